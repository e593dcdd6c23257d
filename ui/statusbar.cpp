#include "ui/statusbar.h"

#include <commctrl.h>

#include "platform/text.h"
#include "ui/application.h"

TStatusBar::TStatusBar(TControl* parent, const StatusBarSettings& s) : TControl(parent), autoHint_(s.autoHint) {
    CreateStandard(STATUSCLASSNAMEA, CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER, 0, s);
    int parts[1] = {-1};
    SendMessageW(Handle(), SB_SETPARTS, 1, reinterpret_cast<LPARAM>(parts));
    SendMessageW(Handle(), SB_SIMPLE, FALSE, 0);
    SetFont(nullptr);  // the system's status-bar font
    if (autoHint_) Application->OnHint = [this] { Refresh(); };
}

TStatusBar::~TStatusBar() {
    if (autoHint_ && Application) Application->OnHint = nullptr;
}

void TStatusBar::SetSimpleText(const std::u16string& text) {
    simpleText_ = text;
    Refresh();
}

std::u16string TStatusBar::PanelText() const {
    const LRESULT length = SendMessageW(Handle(), SB_GETTEXTLENGTHW, 0, 0);
    std::u16string text(size_t(LOWORD(length)) + 1, u'\0');
    SendMessageW(Handle(), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(WidePtr(text)));
    return FromWide(WidePtr(text));
}

void TStatusBar::Refresh() {
    const std::u16string& hint = Application->Hint();
    const std::u16string& text = autoHint_ && !hint.empty() ? hint : simpleText_;
    takingText_ = true;
    SendMessageW(Handle(), SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(WidePtr(text)));
    takingText_ = false;
}

// The control paints at once when its text changes. That paint is left to
// the window's next one: a step's picture need not wait for its status text.
LRESULT TStatusBar::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_PAINT && takingText_) return 0;
    return TControl::WndProc(msg, wp, lp);
}
