#pragma once
// The rename dialog: the old name shown greyed, the new name typed.
#include <memory>
#include <string_view>

#include "ui/button.h"
#include "ui/edit.h"
#include "ui/form.h"
#include "ui/label.h"
#include "ui/layout_table.h"

// The rename dialog's layout table.
inline constexpr Placement kPremenujLayout[] = {
    {"Premenuj", {235, 48, 306, 168}},  // the window: place and client size
    {"Label1", {8, 8, 0, 0}},  // sized to its text
    {"odkial", {8, 24, 289, 21}},
    {"Label2", {8, 64, 0, 0}},  // sized to its text
    {"kam", {8, 80, 289, 21}},
    {"Button1", {64, 128, 75, 25}},
    {"Button2", {160, 128, 75, 25}},
};
constexpr Box PremenujBox(std::string_view name) { return BoxIn(kPremenujLayout, name); }

class TPremenuj : public TForm {
public:
    TPremenuj();
    ~TPremenuj() override;
    const char* ClassName() const override { return "TPremenuj"; }

    std::unique_ptr<TLabel> Label1, Label2;
    std::unique_ptr<TEdit> odkial, kam;
    std::unique_ptr<TButton> Button1, Button2;
};

extern TPremenuj* Premenuj;
