#pragma once
// The new-folder dialog. It hands the confirmed name to the command only
// through NewFolderName.
#include <memory>
#include <string>

#include "ui/button.h"
#include "ui/edit.h"
#include "ui/form.h"
#include "ui/label.h"

class TNewDir : public TForm {
public:
    TNewDir();
    ~TNewDir() override;
    const char* ClassName() const override { return "TNewDir"; }

    // OK: takes the field's text; an empty one is refused with a notice and
    // the silent abort, so the dialog stays open.
    void Button1Click(TObject* sender);

    std::unique_ptr<TLabel> Label1;
    std::unique_ptr<TEdit> Edit1;
    std::unique_ptr<TButton> Button1, Button2;
};

extern TNewDir* NewDir;

// The name last confirmed in the new-folder dialog; empty at start.
extern std::string NewFolderName;
