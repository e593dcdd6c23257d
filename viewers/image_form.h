#pragma once
#include "ui/form.h"

class TImageForm : public TForm {
public:
    TImageForm();
    ~TImageForm() override;
    const char* ClassName() const override { return "TImageForm"; }
};

extern TImageForm* ImageForm;
