#include "ui/statusbar.h"

#include <commctrl.h>

#include "ui/application.h"

TStatusBar::TStatusBar(TControl* parent, const StatusBarSettings& s) : TControl(parent), autoHint_(s.autoHint) {
    CreateStandard(STATUSCLASSNAMEA, CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER, 0, s);
    int parts[1] = {-1};
    SendMessageA(Handle(), SB_SETPARTS, 1, reinterpret_cast<LPARAM>(parts));
    SendMessageA(Handle(), SB_SIMPLE, FALSE, 0);
    SetFont(nullptr);  // the system's status-bar font
    if (autoHint_) Application->OnHint = [this] { Refresh(); };
}

TStatusBar::~TStatusBar() {
    if (autoHint_ && Application) Application->OnHint = nullptr;
}

void TStatusBar::SetSimpleText(const std::string& text) {
    simpleText_ = text;
    Refresh();
}

std::string TStatusBar::PanelText() const {
    char buf[1024] = {};
    LRESULT len = SendMessageA(Handle(), SB_GETTEXTLENGTHA, 0, 0);
    if (LOWORD(len) < sizeof buf) SendMessageA(Handle(), SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(buf));
    return buf;
}

void TStatusBar::Refresh() {
    const std::string& hint = Application->Hint();
    const std::string& text = autoHint_ && !hint.empty() ? hint : simpleText_;
    SendMessageA(Handle(), SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text.c_str()));
}
