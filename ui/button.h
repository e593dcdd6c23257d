#pragma once
// A push button. Its modal result reaches the form only after its click
// handler has returned without an error.
#include "ui/control.h"

struct ButtonSettings : ControlSettings {
    int modalResult = 0;
    bool isDefault = false;  // Enter clicks it wherever the focus is
    bool isCancel = false;   // Esc clicks it
    ButtonSettings() { tabStop = true; }
};

class TButton : public TControl {
public:
    TButton(TControl* parent, const ButtonSettings& s);
    int ModalResult() const { return modalResult_; }
    bool IsDefault() const { return isDefault_; }
    bool IsCancel() const { return isCancel_; }
    void Click() override;
    void Notify(WORD code) override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    const char* ClassName() const override { return "TButton"; }

private:
    int modalResult_;
    bool isDefault_, isCancel_;
};
