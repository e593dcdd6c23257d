#pragma once
#include "ui/form.h"

class TPremenuj : public TForm {
public:
    TPremenuj();
    ~TPremenuj() override;
    const char* ClassName() const override { return "TPremenuj"; }
};

extern TPremenuj* Premenuj;
