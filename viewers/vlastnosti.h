#pragma once
// The properties dialog: the selected file's name and folder and the width
// and height of its picture. The folder label is written by the folder list
// while the dialog borrows it.
#include <memory>
#include <string>

#include "ui/button.h"
#include "ui/form.h"
#include "ui/label.h"
#include "ui/panel.h"
#include "viewers/label_tips.h"
#include "viewers/picture_size.h"

class TVlastnosti : public TForm {
public:
    TVlastnosti();
    ~TVlastnosti() override;
    const char* ClassName() const override { return "TVlastnosti"; }

    // Name, folder tip, "..." marker and sizes for the file at `path`.
    void Fill(const std::string& path, const PictureSizeText& size);
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
