#pragma once
// The properties dialog: the selected file's name and folder and the width
// and height of its picture. The folder label is written by the folder list
// while the dialog borrows it.
#include <memory>
#include <string_view>
#include <string>

#include "ui/button.h"
#include "ui/form.h"
#include "ui/label.h"
#include "ui/layout_table.h"
#include "ui/panel.h"
#include "viewers/label_tips.h"
#include "viewers/picture_size.h"

// The properties dialog's layout table.
inline constexpr Placement kVlastnostiLayout[] = {
    {"Vlastnosti", {201, 142, 349, 204}},  // the window: place and client size
    {"Button1", {128, 168, 75, 25}},
    {"Panel1", {16, 16, 313, 137}},
    {"Label1", {16, 24, 0, 0}},  // in Panel1; the labels of no size fit their text
    {"Label2", {16, 48, 0, 0}},
    {"Label3", {16, 72, 0, 0}},
    {"Label4", {16, 96, 0, 0}},
    {"meno", {104, 24, 193, 13}},
    {"cesta", {104, 48, 201, 13}},
    {"sirka", {104, 72, 0, 0}},
    {"vyska", {104, 96, 0, 0}},
    {"bodky1", {296, 24, 9, 13}},
};
constexpr Box VlastnostiBox(std::string_view name) { return BoxIn(kVlastnostiLayout, name); }

class TVlastnosti : public TForm {
public:
    TVlastnosti();
    ~TVlastnosti() override;
    const char* ClassName() const override { return "TVlastnosti"; }

    // Name, folder tip, "..." marker and sizes for the file at `path`.
    void Fill(const std::u16string& path, const PictureSizeText& size);
    void Button1Click(TObject* sender);

    // Names of 32 characters or more get the "..." marker.
    static constexpr size_t kLongName = 32;

    std::unique_ptr<TButton> Button1;
    std::unique_ptr<TPanel> Panel1;
    std::unique_ptr<TLabel> Label1, Label2, Label3, Label4;
    std::unique_ptr<TLabel> meno, cesta, sirka, vyska, bodky1;
    // Declared last: the tips go before the labels they watch.
    std::unique_ptr<TLabelTips> Tips;

private:
    void BuildLabels();
};

extern TVlastnosti* Vlastnosti;
