#pragma once
#include "ui/form.h"

class TNewDir : public TForm {
public:
    TNewDir();
    ~TNewDir() override;
    const char* ClassName() const override { return "TNewDir"; }
};

extern TNewDir* NewDir;
