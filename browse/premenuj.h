#pragma once
// The rename dialog: the old name shown greyed, the new name typed.
#include <memory>

#include "ui/button.h"
#include "ui/edit.h"
#include "ui/form.h"
#include "ui/label.h"

class TPremenuj : public TForm {
public:
    TPremenuj();
    ~TPremenuj() override;
    const char* ClassName() const override { return "TPremenuj"; }

    std::unique_ptr<TLabel> Label1, Label2;
    std::unique_ptr<TEdit> odkial, kam;
    std::unique_ptr<TButton> Button1, Button2;
};

extern TPremenuj* Premenuj;
