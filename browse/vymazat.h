#pragma once
#include "ui/form.h"

class TVymazat : public TForm {
public:
    TVymazat();
    ~TVymazat() override;
    const char* ClassName() const override { return "TVymazat"; }
};

extern TVymazat* Vymazat;
