#include "picture/clipboard.h"

#include "picture/graphic.h"
#include "picture/picture.h"
#include "platform/exceptions.h"
#include "ui/application.h"

namespace {
const char kWindowClass[] = "Lumeno.Clipboard";

HWND NewHiddenWindow() {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    if (!GetClassInfoExA(GetModuleHandleA(nullptr), kWindowClass, &wc)) {
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = kWindowClass;
        RegisterClassExA(&wc);
    }
    return CreateWindowExA(0, kWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, GetModuleHandleA(nullptr),
                           nullptr);
}

// Closes one opening of the clipboard object when it goes.
class OpenGuard {
public:
    explicit OpenGuard(TClipboard& c) : c_(c) { c_.Open(); }
    ~OpenGuard() { c_.Close(); }
    OpenGuard(const OpenGuard&) = delete;
    OpenGuard& operator=(const OpenGuard&) = delete;

private:
    TClipboard& c_;
};
}  // namespace

TClipboard::~TClipboard() {
    while (openCount_ > 0) Close();
}

void TClipboard::Open() {
    if (openCount_ == 0) {
        window_ = Application ? Application->Handle() : nullptr;
        if (!window_) {
            ownWindow_.reset(NewHiddenWindow());
            window_ = ownWindow_.get();
        }
        if (!OpenClipboard(window_)) {
            ownWindow_.reset();
            window_ = nullptr;
            throw EClipboardError("Cannot open clipboard");
        }
        emptied_ = false;
    }
    ++openCount_;
}

void TClipboard::Close() {
    if (openCount_ == 0) return;
    if (--openCount_ > 0) return;
    CloseClipboard();
    ownWindow_.reset();
    window_ = nullptr;
}

void TClipboard::Clear() {
    OpenGuard open(*this);
    EmptyClipboard();
}

void TClipboard::Adding() {
    if (openCount_ == 0 || emptied_) return;
    Clear();
    emptied_ = true;
}

void TClipboard::Put(TPicture* picture, TGraphic* graphic) {
    OpenGuard open(*this);
    Adding();
    ClipboardData data = picture ? picture->SaveClipboardData() : graphic->SaveClipboardData();
    data.Hand();
}

void TClipboard::Assign(TObject* source) {
    if (auto* picture = dynamic_cast<TPicture*>(source)) return Put(picture, nullptr);
    if (auto* graphic = dynamic_cast<TGraphic*>(source)) return Put(nullptr, graphic);
    throw AssignError(source ? source->ClassName() : "nil", ClassName());
}

TClipboard& Clipboard() {
    static TClipboard clipboard;
    return clipboard;
}
