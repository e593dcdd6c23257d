#pragma once
#include "ui/form.h"

class TAboutBox : public TForm {
public:
    TAboutBox();
    ~TAboutBox() override;
    const char* ClassName() const override { return "TAboutBox"; }
};

extern TAboutBox* AboutBox;
