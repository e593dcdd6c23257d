#pragma once
#include "ui/form.h"

class TVlastnosti : public TForm {
public:
    TVlastnosti();
    ~TVlastnosti() override;
    const char* ClassName() const override { return "TVlastnosti"; }
};

extern TVlastnosti* Vlastnosti;
