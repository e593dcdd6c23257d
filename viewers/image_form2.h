#pragma once
#include "ui/form.h"

class TImageForm2 : public TForm {
public:
    TImageForm2();
    ~TImageForm2() override;
    const char* ClassName() const override { return "TImageForm2"; }
};

extern TImageForm2* ImageForm2;
