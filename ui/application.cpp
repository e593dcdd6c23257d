#include "ui/application.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/exceptions.h"
#include "platform/text.h"
#include "ui/form.h"
#include "ui/scope.h"

TApplication* Application = nullptr;

namespace {
const WCHAR kAppClass[] = L"Lumeno.Application";

LRESULT CALLBACK AppProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    return DefWindowProcW(wnd, msg, wp, lp);
}
}  // namespace

std::u16string GetLongHint(const std::u16string& hint) {
    size_t bar = hint.find(u'|');
    return bar == std::u16string::npos ? hint : hint.substr(bar + 1);
}

std::u16string ErrorBoxText(const std::u16string& message) {
    if (!message.empty() && message.back() > u'.') return message + u".";
    return message;
}

TApplication::TApplication() { Application = this; }

TApplication::~TApplication() {
    handle_.reset();
    if (Application == this) Application = nullptr;
}

void TApplication::Initialize() {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = AppProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kAppClass;
    RegisterClassExW(&wc);
    handle_.reset(CreateWindowExW(WS_EX_TOOLWINDOW, kAppClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr));
}

std::u16string TApplication::Title() const {
    WCHAR buf[256] = {};
    GetWindowTextW(handle_.get(), buf, 256);
    return FromWide(buf);
}

void TApplication::SetTitle(const std::u16string& title) { SetWindowTextW(handle_.get(), WidePtr(title)); }

void TApplication::SetTitle(const std::string& title) { SetTitle(Wide(title)); }

void TApplication::AddForm(TForm* form) {
    forms_.push_back(form);
    if (!mainForm_) mainForm_ = form;
}

void TApplication::RemoveForm(TForm* form) {
    forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
    if (mainForm_ == form) mainForm_ = nullptr;
}

void TApplication::Run(int showCommand) {
    if (!mainForm_) return;
    if (showCommand == SW_SHOWMAXIMIZED) mainForm_->SetWindowState(TWindowState::wsMaximized);
    if (showCommand == SW_SHOWMINNOACTIVE) mainForm_->SetWindowState(TWindowState::wsMinimized);
    mainForm_->Show();
    RedrawWindow(mainForm_->Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    if (OnMainShown) OnMainShown();
    while (HandleMessage()) {
    }
}

void TApplication::Terminate() {
    terminated_ = true;
    PostQuitMessage(0);
}

TForm* TApplication::ActiveForm() const {
    return dynamic_cast<TForm*>(TControl::FromHandle(GetActiveWindow()));
}

bool TApplication::PreTranslate(MSG& msg) {
    switch (msg.message) {
        case WM_MOUSEMOVE:
        case WM_NCMOUSEMOVE: HintFromWindow(msg.hwnd); break;
        // The hinted window was left, perhaps for a window of another
        // program, which tells this one nothing: ask what is under the
        // pointer now.
        case WM_MOUSELEAVE: HintFromPointer(); break;
        default: break;
    }
    TForm* form = ActiveForm();
    if (!form) return false;
    if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST && form->PreviewKey(msg)) return true;
    if (HACCEL accel = form->Accelerators())
        if (TranslateAcceleratorW(form->Handle(), accel, &msg)) return true;
    return false;
}

bool TApplication::RunIdleWork() {
    MSG msg;
    // Looked for only while work waits: each look is a round trip to the server.
    if (!idleWork_ || PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) return false;
    const std::function<void()> work = std::move(idleWork_);
    idleWork_ = nullptr;
    try {
        work();
    } catch (const std::exception& e) {
        HandleException(e);
    }
    return true;
}

bool TApplication::HandleMessage() {
    MSG msg;
    RunIdleWork();
    // Wide messages: typed text reaches the windows in any script.
    BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got <= 0) {
        terminated_ = true;
        PostQuitMessage(int(msg.wParam));
        return false;
    }
    if (!PreTranslate(msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return true;
}

void TApplication::ProcessMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
        if (msg.message == WM_QUIT) return;
        HandleMessage();
    }
}

void TApplication::SetCursor(TCursor c) {
    if (c == cursor_) return;
    cursor_ = c;
    // The hourglass is set at once, wherever the pointer is; for any other
    // the window under the pointer picks its cursor again.
    if (c == TCursor::crHourGlass) {
        ::SetCursor(LoadCursorA(nullptr, IDC_WAIT));
        return;
    }
    POINT p;
    if (GetCursorPos(&p)) SetCursorPos(p.x, p.y);
}

void TApplication::SetHint(const std::u16string& hint) {
    if (hint == hint_) return;
    hint_ = hint;
    if (OnHint) OnHint();
}

void TApplication::HintFromWindow(HWND under) {
    for (HWND wnd = under; wnd; wnd = GetParent(wnd)) {
        TControl* c = TControl::FromHandle(wnd);
        if (!c) continue;
        if (!c->Hint.empty()) {
            SetHint(GetLongHint(c->Hint));
            TrackLeave(wnd);
            return;
        }
        if (!c->Parent()) break;
    }
    SetHint(u"");
}

void TApplication::HintFromPointer() {
    POINT p;
    HintFromWindow(GetCursorPos(&p) ? WindowFromPoint(p) : nullptr);
}

// Asks for a WM_MOUSELEAVE when the pointer leaves the window that gives the
// hint, unless that window is tracked already (the tool buttons track their
// own hover).
void TApplication::TrackLeave(HWND wnd) {
    TRACKMOUSEEVENT now{sizeof(now), TME_QUERY, nullptr, 0};
    if (TrackMouseEvent(&now) && now.hwndTrack == wnd && (now.dwFlags & TME_LEAVE)) return;
    TRACKMOUSEEVENT leave{sizeof(leave), TME_LEAVE, wnd, 0};
    TrackMouseEvent(&leave);
}

void TApplication::HandleException(const std::exception& e) {
    if (HWND captured = GetCapture()) SendMessageW(captured, WM_CANCELMODE, 0, 0);
    if (dynamic_cast<const EAbort*>(&e)) return;
    auto* known = dynamic_cast<const Exception*>(&e);
    const std::u16string text = ErrorBoxText(known ? known->Message() : Wide(e.what()));
    const std::u16string caption = Title();
    if (ShowErrorHook) {
        ShowErrorHook(text, caption);
        return;
    }
    ModalScope modal(handle_.get());
    MessageBoxW(handle_.get(), WidePtr(text), WidePtr(caption), MB_OK | MB_ICONERROR);
}
