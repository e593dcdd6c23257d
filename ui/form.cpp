#include "ui/form.h"

#include <algorithm>

#include "platform/exceptions.h"
#include "platform/large_memory.h"
#include "ui/application.h"
#include "ui/menu.h"
#include "ui/scope.h"

namespace {
DWORD StyleFor(const FormSettings& s) {
    DWORD style = WS_CLIPCHILDREN;
    switch (s.border) {
        case TBorderStyle::bsSingle: style |= WS_OVERLAPPED | WS_CAPTION; break;
        case TBorderStyle::bsDialog: style |= WS_POPUP | WS_CAPTION | DS_MODALFRAME; break;
        case TBorderStyle::bsToolWindow: style |= WS_POPUP | WS_CAPTION; break;
        case TBorderStyle::bsNone: style |= WS_POPUP; break;
    }
    if (s.border != TBorderStyle::bsNone && s.systemMenu) style |= WS_SYSMENU;
    if (s.border == TBorderStyle::bsSingle && s.minimizeBox) style |= WS_MINIMIZEBOX;
    return style;
}

DWORD ExStyleFor(const FormSettings& s) {
    switch (s.border) {
        case TBorderStyle::bsDialog: return WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
        case TBorderStyle::bsToolWindow: return WS_EX_TOOLWINDOW | WS_EX_WINDOWEDGE;
        case TBorderStyle::bsSingle: return WS_EX_WINDOWEDGE | WS_EX_APPWINDOW;
        default: return 0;
    }
}
}  // namespace

FormSettings DialogAt(const Box& box, std::string caption) {
    auto s = FormAt<FormSettings>(box);
    s.caption = std::move(caption);
    s.border = TBorderStyle::bsDialog;
    return s;
}

TForm::TForm(const FormSettings& s) : TControl(nullptr), position_(s.position) {
    RECT r{0, 0, s.clientWidth, s.clientHeight};
    DWORD style = StyleFor(s), ex = ExStyleFor(s);
    AdjustWindowRectEx(&r, style, FALSE, ex);
    ControlSettings cs;
    cs.caption = s.caption;
    cs.left = s.left;
    cs.top = s.top;
    cs.width = r.right - r.left;
    cs.height = r.bottom - r.top;
    cs.visible = false;
    HWND owner = Application->MainForm() ? Application->MainForm()->Handle() : nullptr;
    CreateTopLevel("Lumeno.Form", style, ex, owner, cs);
    SetColor(s.color);
    Application->AddForm(this);
}

TForm::~TForm() {
    if (Application) Application->RemoveForm(this);
}

void TForm::SetClientWidth(int w) {
    SetWidth(w + Width() - ClientWidth());
}

void TForm::SetClientHeight(int h) {
    SetHeight(h + Height() - ClientHeight());
}

void TForm::SetPosition(TPosition p) { position_ = p; }

// Centring happens once per setting of the placement mode. The window moves
// there as it is shown (ShowHandle): one positioning, not two.
void TForm::PlaceForShow() {
    if (position_ != TPosition::poScreenCenter) return;
    left_ = std::max(0, (GetSystemMetrics(SM_CXSCREEN) - Width()) / 2);
    top_ = std::max(0, (GetSystemMetrics(SM_CYSCREEN) - Height()) / 2);
    moveOnShow_ = true;
    position_ = TPosition::poDesigned;
}

void TForm::SetVisible(bool v) {
    if (v) {
        PlaceForShow();
        TControl::SetVisible(true);
        // Painted before the activation and its round trips, and handed to
        // the screen at once: the wait, with no time to wait, flushes it.
        UpdateWindow(Handle());
        MsgWaitForMultipleObjectsEx(0, nullptr, 0, QS_ALLINPUT, 0);
        ShowWindow(Handle(), SW_SHOW);
        SetForegroundWindow(Handle());
        SetActiveWindow(Handle());
    } else {
        TControl::SetVisible(false);
    }
}

// Shown with its drawing put off: the pages of the window's new drawing
// surface are mapped in at once, and SetVisible then draws it.
void TForm::ShowHandle(bool v) {
    if (!v) return TControl::ShowHandle(false);
    const UINT move = moveOnShow_ ? 0 : SWP_NOMOVE;
    moveOnShow_ = false;
    SetWindowPos(Handle(), nullptr, left_, top_, 0, 0,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE | move | SWP_NOSIZE | SWP_NOZORDER | SWP_DEFERERASE);
    MapInSharedSurfaces();
}

void TForm::SetWindowState(TWindowState state) {
    int cmd = state == TWindowState::wsMaximized ? SW_SHOWMAXIMIZED
              : state == TWindowState::wsMinimized ? SW_SHOWMINNOACTIVE : SW_SHOWNORMAL;
    ShowWindow(Handle(), cmd);
}

void TForm::SetMenu(TMainMenu* menu) {
    int clientWidth = ClientWidth(), clientHeight = ClientHeight();
    menu_ = menu;
    ::SetMenu(Handle(), menu ? menu->Handle() : nullptr);
    // The menu bar takes its room from the client area: give it back.
    SetClientWidth(clientWidth);
    SetClientHeight(clientHeight);
    if (menu) menu->SetOwnerWindow(Handle());
}

HACCEL TForm::Accelerators() const { return menu_ ? menu_->Accelerators() : nullptr; }

void TForm::MenuCommand(UINT id) {
    if (menu_) menu_->Dispatch(id);
}

void TForm::DoCreate() {
    try {
        if (OnCreate) OnCreate(this);
    } catch (const std::exception& e) {
        Application->HandleException(e);
    }
}

bool TForm::DoClose() {
    TCloseAction action = TCloseAction::caHide;
    if (OnClose) OnClose(this, action);
    return action != TCloseAction::caNone;
}

void TForm::Close() {
    if (modal_) {
        modalResult_ = mrCancel;
        return;
    }
    if (!DoClose()) return;
    if (this == Application->MainForm())
        Application->Terminate();
    else
        Hide();
}

int TForm::ShowModal() {
    if (modal_ || Visible()) throw EInvalidGraphicOperation("Cannot make a visible window modal");
    if (GetCapture()) SendMessageW(GetCapture(), WM_CANCELMODE, 0, 0);
    ReleaseCapture();
    // Ends last: the other windows are enabled before this one hides, so the
    // system gives the activation back to one of the program's own.
    ScopeExit hide([this] { Hide(); });
    ModalScope modal(Handle());
    ValueRestorer<bool> modalFlag(modal_, true);
    modalResult_ = mrNone;
    lastFocus_ = nullptr;
    Show();
    SelectNext(true);
    for (;;) {
        if (!Application->HandleMessage()) return modalResult_ = mrCancel;
        if (modalResult_ == mrNone) continue;
        if (DoClose()) return modalResult_;
        modalResult_ = mrNone;
    }
}

void TForm::CollectTabControls(TControl* c, std::vector<TControl*>& out) {
    for (TControl* child : c->Children()) {
        if (!child->Visible() || !child->Enabled()) continue;
        if (child->TabStop()) out.push_back(child);
        CollectTabControls(child, out);
    }
}

std::vector<TControl*> TForm::TabControls() {
    std::vector<TControl*> out;
    if (!tabOrder_.empty()) {
        for (TControl* c : tabOrder_)
            if (c->Visible() && c->Enabled()) out.push_back(c);
        return out;
    }
    CollectTabControls(this, out);
    return out;
}

void TForm::SelectNext(bool forward) {
    std::vector<TControl*> list = TabControls();
    if (list.empty()) {
        ::SetFocus(Handle());
        return;
    }
    HWND focus = GetFocus();
    auto pos = list.end();
    for (HWND w = focus; w && w != Handle() && pos == list.end(); w = GetParent(w))
        pos = std::find_if(list.begin(), list.end(), [w](TControl* c) { return c->Handle() == w; });
    size_t n = list.size(), i;
    if (pos == list.end())
        i = forward ? 0 : n - 1;
    else
        i = (size_t(pos - list.begin()) + (forward ? 1 : n - 1)) % n;
    list[i]->SetFocus();
}

bool TForm::PreviewKey(const MSG& msg) {
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_TAB && !(GetKeyState(VK_CONTROL) & 0x8000) &&
        !(GetKeyState(VK_MENU) & 0x8000)) {
        SelectNext(!(GetKeyState(VK_SHIFT) & 0x8000));
        return true;
    }
    return false;
}

LRESULT TForm::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_CLOSE: return CloseAsked();
        case WM_MENUSELECT: return MenuItemSelected(wp, lp);
        case WM_EXITMENULOOP: return MenuLoopEnded(wp, lp);
        case WM_MEASUREITEM: return MenuItemMeasured(wp, lp);
        case WM_DRAWITEM: return MenuItemDrawn(wp, lp);
        case WM_ACTIVATE: return ActivationChanged(wp, lp);
        default: return TControl::WndProc(msg, wp, lp);
    }
}

LRESULT TForm::CloseAsked() {
    Close();
    return 0;
}

LRESULT TForm::MenuItemSelected(WPARAM wp, LPARAM lp) {
    if (HIWORD(wp) == 0xFFFF && !lp)
        Application->SetHint(u"");
    else if (menu_ && !(HIWORD(wp) & MF_POPUP))
        Application->SetHint(GetLongHint(menu_->HintOf(LOWORD(wp))));
    else
        Application->SetHint(u"");
    return 0;
}

LRESULT TForm::MenuLoopEnded(WPARAM wp, LPARAM lp) {
    Application->SetHint(u"");
    return TControl::WndProc(WM_EXITMENULOOP, wp, lp);
}

LRESULT TForm::MenuItemMeasured(WPARAM wp, LPARAM lp) {
    auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
    if (item->CtlType == ODT_MENU && menu_ && menu_->MeasureItem(*item)) return TRUE;
    return TControl::WndProc(WM_MEASUREITEM, wp, lp);
}

LRESULT TForm::MenuItemDrawn(WPARAM wp, LPARAM lp) {
    auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
    if (item->CtlType == ODT_MENU && menu_ && menu_->DrawItem(*item)) return TRUE;
    return TControl::WndProc(WM_DRAWITEM, wp, lp);
}

// The focus goes back to the control that had it when the form was left.
LRESULT TForm::ActivationChanged(WPARAM wp, LPARAM lp) {
    if (LOWORD(wp) == WA_INACTIVE) {
        HWND f = GetFocus();
        if (f && IsChild(Handle(), f)) lastFocus_ = f;
    } else if (lastFocus_ && IsWindow(lastFocus_)) {
        ::SetFocus(lastFocus_);
        return 0;
    }
    return TControl::WndProc(WM_ACTIVATE, wp, lp);
}
