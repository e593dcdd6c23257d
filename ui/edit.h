#pragma once
// A one-line edit field.
#include "ui/control.h"

struct EditSettings : ControlSettings {
    bool readOnly = false;
    bool enabled = true;
    EditSettings() { tabStop = true; }
};

class TEdit : public TControl {
public:
    TEdit(TControl* parent, const EditSettings& s);
    std::u16string Text() const { return Caption(); }
    void SetText(const std::u16string& text) { SetCaption(text); }
    const char* ClassName() const override { return "TEdit"; }
};
