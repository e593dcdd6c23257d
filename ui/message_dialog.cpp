#include "ui/message_dialog.h"

#include <algorithm>

#include "platform/text.h"
#include "ui/application.h"
#include "ui/fonts.h"
#include "ui/gdi.h"

namespace {
const int kIconSize = 32;
const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

FormSettings DialogSettings() {
    FormSettings s;
    s.border = TBorderStyle::bsDialog;
    s.position = TPosition::poScreenCenter;
    return s;
}
}  // namespace

MessageMeasures MeasureMessage(const std::u16string& text, HFONT font, bool icon) {
    WindowDC dc(nullptr);
    SelectGuard sel(dc.get(), font);
    SIZE abc{};
    GetTextExtentPoint32A(dc.get(), kAlphabet, 52, &abc);
    int cw = abc.cx / 52, ch = abc.cy;
    MessageMeasures m{};
    m.icon = icon;
    m.hMargin = MulDiv(8, cw, 4);
    m.vMargin = MulDiv(8, ch, 8);
    m.hSpacing = MulDiv(10, cw, 4);
    m.vSpacing = MulDiv(10, ch, 8);
    int captionWidth = 0;
    GetTextExtentPoint32A(dc.get(), "OK", 2, &abc);
    captionWidth = abc.cx + 8;
    m.buttonWidth = std::max(MulDiv(50, cw, 4), captionWidth);
    m.buttonHeight = MulDiv(14, ch, 8);
    RECT r{0, 0, GetSystemMetrics(SM_CXSCREEN) / 2, 0};
    DrawTextW(dc.get(), WidePtr(text), int(text.size()), &r, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
    int textLeft = icon ? kIconSize + m.hSpacing : 0;
    OffsetRect(&r, textLeft, 0);
    m.text = r;
    int blockWidth = r.right;
    int blockHeight = std::max(icon ? kIconSize : 0, int(r.bottom));
    m.clientWidth = std::max(blockWidth, m.buttonWidth) + 2 * m.hMargin;
    m.clientHeight = blockHeight + m.vSpacing + m.buttonHeight + 2 * m.vMargin;
    return m;
}

TMessageForm::TMessageForm(const std::u16string& text, const std::u16string& caption, bool errorIcon)
    : TForm(DialogSettings()), text_(text) {
    // The caption may be the application title, which names a file.
    SetCaption(caption);
    SetFont(MessageFont());
    measures_ = MeasureMessage(text, MessageFont(), errorIcon);
    SetClientWidth(measures_.clientWidth);
    SetClientHeight(measures_.clientHeight);
    int blockHeight = std::max(errorIcon ? kIconSize : 0, int(measures_.text.bottom));
    ButtonSettings b;
    b.caption = "OK";
    b.modalResult = mrOk;
    b.isDefault = true;
    b.isCancel = true;
    b.width = measures_.buttonWidth;
    b.height = measures_.buttonHeight;
    b.left = (measures_.clientWidth - b.width) / 2;
    b.top = measures_.vMargin + blockHeight + measures_.vSpacing;
    ok_ = std::make_unique<TButton>(this, b);
}

bool TMessageForm::PreviewKey(const MSG& msg) {
    if (msg.message == WM_KEYDOWN && (msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE)) {
        ok_->Click();
        return true;
    }
    return TForm::PreviewKey(msg);
}

void TMessageForm::Paint(HDC dc) {
    int x = measures_.hMargin, y = measures_.vMargin;
    if (measures_.icon) DrawIconEx(dc, x, y, LoadIconA(nullptr, IDI_HAND), kIconSize, kIconSize, 0, nullptr, DI_NORMAL);
    RECT r = measures_.text;
    OffsetRect(&r, x, y);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SelectGuard f(dc, MessageFont());
    DrawTextW(dc, WidePtr(text_), int(text_.size()), &r, DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
}

void ShowNotice(const std::string& text) {
    TMessageForm form(Wide(text), Application->Title(), false);
    form.ShowModal();
}

void ShowErrorDialog(const std::string& text) {
    TMessageForm form(Wide(text), u"Error", true);
    form.ShowModal();
}
