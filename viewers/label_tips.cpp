#include "viewers/label_tips.h"

#include <commctrl.h>

namespace {
TTTOOLINFOA ToolOf(const TControl& label) {
    TTTOOLINFOA ti{};
    ti.cbSize = sizeof(ti);
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = GetParent(label.Handle());
    ti.uId = reinterpret_cast<UINT_PTR>(label.Handle());
    return ti;
}
}  // namespace

TLabelTips::TLabelTips(TControl& owner) {
    tips_.reset(CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0,
                                0, 0, 0, owner.Handle(), nullptr, GetModuleHandleA(nullptr), nullptr));
    SendMessageA(tips_.get(), TTM_SETDELAYTIME, TTDT_INITIAL, 500);
}

void TLabelTips::Add(TControl& label) {
    TTTOOLINFOA ti = ToolOf(label);
    ti.lpszText = const_cast<char*>(label.Hint.c_str());
    SendMessageA(tips_.get(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
}

void TLabelTips::SetHint(TControl& label, const std::string& text) {
    label.Hint = text;
    TTTOOLINFOA ti = ToolOf(label);
    ti.lpszText = const_cast<char*>(label.Hint.c_str());
    SendMessageA(tips_.get(), TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&ti));
}
