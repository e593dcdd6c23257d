#pragma once
// The about box: the program's title and a link to the maker's web address.
#include <memory>
#include <string_view>

#include "ui/form.h"
#include "ui/label.h"
#include "ui/layout_table.h"
#include "ui/panel.h"
#include "viewers/caption_button.h"

// The about box's layout table.
inline constexpr Placement kAboutBoxLayout[] = {
    {"AboutBox", {0, 0, 332, 213}},  // the window: place and client size
    {"Panel1", {8, 8, 305, 161}},
    {"Label1", {120, 8, 0, 0}},  // in Panel1, sized to its text
    {"Label3", {152, 32, 0, 0}},  // in Panel1, sized to its text
    {"Label5", {192, 120, 89, 14}},  // in Panel1, sized to the address, which is ours to choose
    {"Panel2", {216, 176, 97, 33}},
    {"SpeedButton1", {2, 2, 88, 25}},  // in Panel2
};
constexpr Box AboutBoxBox(std::string_view name) { return BoxIn(kAboutBoxLayout, name); }

class TAboutBox : public TForm {
public:
    TAboutBox();
    ~TAboutBox() override;
    const char* ClassName() const override { return "TAboutBox"; }

    void Label5Click(TObject* sender);
    void SpeedButton1Click(TObject* sender);

    std::unique_ptr<TPanel> Panel1, Panel2;
    std::unique_ptr<TLabel> Label1, Label3, Label5;
    std::unique_ptr<TCaptionButton> SpeedButton1;

private:
    void BuildPanel1();
    void BuildPanel2();
};

extern TAboutBox* AboutBox;
