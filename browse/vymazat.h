#pragma once
// The delete confirmation; the command sets its caption before each showing.
#include <memory>
#include <string_view>

#include "ui/button.h"
#include "ui/form.h"
#include "ui/label.h"
#include "ui/layout_table.h"

// The delete question's layout table.
inline constexpr Placement kVymazatLayout[] = {
    {"Vymazat", {222, 161, 250, 102}},  // the window: place and client size
    {"text", {24, 24, 0, 0}},  // sized to its text
    {"Button1", {40, 64, 75, 25}},
    {"Button2", {128, 64, 75, 25}},
};
constexpr Box VymazatBox(std::string_view name) { return BoxIn(kVymazatLayout, name); }

class TVymazat : public TForm {
public:
    TVymazat();
    ~TVymazat() override;
    const char* ClassName() const override { return "TVymazat"; }

    std::unique_ptr<TLabel> text;
    std::unique_ptr<TButton> Button1, Button2;
};

extern TVymazat* Vymazat;
