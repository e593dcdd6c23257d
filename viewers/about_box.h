#pragma once
// The about box: the program's title and a link to the maker's web address.
#include <memory>

#include "ui/form.h"
#include "ui/label.h"
#include "ui/panel.h"
#include "viewers/caption_button.h"

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
