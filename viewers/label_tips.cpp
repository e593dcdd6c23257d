#include "viewers/label_tips.h"

#include <commctrl.h>

#include "platform/text.h"

namespace {
TTTOOLINFOW ToolOf(TControl& label) {
    TTTOOLINFOW ti{};
    ti.cbSize = sizeof(ti);
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = GetParent(label.Handle());
    ti.uId = reinterpret_cast<UINT_PTR>(label.Handle());
    ti.lpszText = WidePtr(label.Hint);
    return ti;
}
}  // namespace

TLabelTips::TLabelTips(TControl& owner) {
    tips_.reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0,
                                0, 0, 0, owner.Handle(), nullptr, GetModuleHandleW(nullptr), nullptr));
    SendMessageW(tips_.get(), TTM_SETDELAYTIME, TTDT_INITIAL, 500);
}

void TLabelTips::Add(TControl& label) {
    TTTOOLINFOW ti = ToolOf(label);
    SendMessageW(tips_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}

void TLabelTips::SetHint(TControl& label, const std::u16string& text) {
    label.Hint = text;
    TTTOOLINFOW ti = ToolOf(label);
    SendMessageW(tips_.get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
}
