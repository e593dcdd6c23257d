#include "ui/button.h"

#include "ui/form.h"

TButton::TButton(TControl* parent, const ButtonSettings& s)
    : TControl(parent), modalResult_(s.modalResult), isDefault_(s.isDefault), isCancel_(s.isCancel) {
    CreateStandard("BUTTON", BS_PUSHBUTTON | (s.isDefault ? BS_DEFPUSHBUTTON : 0), 0, s);
}

void TButton::Click() {
    TControl::Click();
    if (modalResult_ != 0)
        if (TForm* form = OwnerForm()) form->SetModalResult(modalResult_);
}

void TButton::Notify(WORD code) {
    if (code == BN_CLICKED) Click();
}

LRESULT TButton::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    // Enter presses the button that holds the focus.
    if (msg == WM_KEYDOWN && wp == VK_RETURN) {
        Click();
        return 0;
    }
    if (msg == WM_CHAR && wp == VK_RETURN) return 0;
    return TControl::WndProc(msg, wp, lp);
}
