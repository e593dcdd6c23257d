#pragma once
// The application object: title, main form, the message loop, the
// application-wide pointer, hints and the error handler.
#include <windows.h>

#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "ui/control.h"
#include "ui/gdi.h"

class TForm;

class TApplication : public TObject {
public:
    TApplication();
    ~TApplication() override;

    void Initialize();
    // The hidden window that owns message boxes; its text is the title.
    HWND Handle() const { return handle_.get(); }
    // As the system keeps it: at most 255 characters.
    std::u16string Title() const;
    void SetTitle(const std::u16string& title);
    void SetTitle(const std::string& title);  // the program's own text

    // The first form created becomes the main form.
    void AddForm(TForm* form);
    void RemoveForm(TForm* form);
    TForm* MainForm() const { return mainForm_; }
    // Shows the main form and runs the loop until termination.
    void Run(int showCommand = SW_SHOWNORMAL);
    // Runs once the main form and its controls have painted at start.
    std::function<void()> OnMainShown;
    void Terminate();
    bool Terminated() const { return terminated_; }
    // One message: false when WM_QUIT arrived (it is posted again for an
    // outer loop).
    bool HandleMessage();
    void ProcessMessages();
    // Runs `work` once, when the message queue is next found empty, in
    // place of any work still waiting; null cancels what waits.
    void WhenIdle(std::function<void()> work) { idleWork_ = std::move(work); }
    // Runs the waiting work now if no message waits; true when it ran.
    bool RunIdleWork();

    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor c);

    const std::u16string& Hint() const { return hint_; }
    void SetHint(const std::u16string& hint);
    std::function<void()> OnHint;

    // Shows an error that escaped a handler (EAbort: nothing).
    void HandleException(const std::exception& e);
    // Replaces the message box for tests; returns what the box would.
    std::function<void(const std::u16string& text, const std::u16string& caption)> ShowErrorHook;

    const char* ClassName() const override { return "TApplication"; }

private:
    bool PreTranslate(MSG& msg);
    // The hint follows the window under the pointer: its first non-empty
    // hint going outwards, else none.
    void HintFromWindow(HWND under);
    void HintFromPointer();
    void TrackLeave(HWND wnd);
    TForm* ActiveForm() const;

    WindowHandle handle_;
    TForm* mainForm_ = nullptr;
    std::vector<TForm*> forms_;
    TCursor cursor_ = TCursor::crDefault;
    std::u16string hint_;
    bool terminated_ = false;
    std::function<void()> idleWork_;
};

// The single application object.
extern TApplication* Application;

// The long part of a hint: after its first "|" when it has one.
std::u16string GetLongHint(const std::u16string& hint);
// The error box text: a full stop appended when the message's last character
// is above ".".
std::u16string ErrorBoxText(const std::u16string& message);
