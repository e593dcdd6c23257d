#pragma once
// The delete confirmation; the command sets its caption before each showing.
#include <memory>

#include "ui/button.h"
#include "ui/form.h"
#include "ui/label.h"

class TVymazat : public TForm {
public:
    TVymazat();
    ~TVymazat() override;
    const char* ClassName() const override { return "TVymazat"; }

    std::unique_ptr<TLabel> text;
    std::unique_ptr<TButton> Button1, Button2;
};

extern TVymazat* Vymazat;
