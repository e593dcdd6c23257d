#pragma once
// A top-level window with the framework's modal loop and placement modes.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/control.h"
#include "ui/layout_table.h"

class TMainMenu;

enum class TBorderStyle { bsSingle, bsDialog, bsToolWindow, bsNone };
enum class TPosition { poDesigned, poScreenCenter };
enum class TWindowState { wsNormal, wsMinimized, wsMaximized };
enum class TCloseAction { caNone, caHide };
enum TModalResult : int { mrNone = 0, mrOk = 1, mrCancel = 2, mrYes = 6, mrNo = 7 };

using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;

struct FormSettings {
    std::string caption;
    int left = 0, top = 0;
    int clientWidth = 300, clientHeight = 200;
    TBorderStyle border = TBorderStyle::bsSingle;
    bool minimizeBox = true;
    bool systemMenu = true;
    COLORREF color = GetSysColor(COLOR_BTNFACE);
    TPosition position = TPosition::poDesigned;
};

// A dialog's window at its box, with its caption and the dialog border.
FormSettings DialogAt(const Box& box, std::string caption);

class TForm : public TControl {
public:
    explicit TForm(const FormSettings& s);
    ~TForm() override;

    void SetClientWidth(int w);
    void SetClientHeight(int h);
    void SetVisible(bool v) override;
    void SetWindowState(TWindowState state);

    // Shows the form and runs a nested loop until a modal result is set.
    int ShowModal();
    bool Modal() const { return modal_; }
    // A modal form gets the result cancel; the main form ends the program.
    void Close();
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int r) { modalResult_ = r; }

    TPosition Position() const { return position_; }
    void SetPosition(TPosition p);

    void SetMenu(TMainMenu* menu);
    TMainMenu* Menu() const { return menu_; }
    HACCEL Accelerators() const;

    // Keys seen before translation while this form is active: Tab moves the
    // focus; subclasses add their own (return true when consumed).
    virtual bool PreviewKey(const MSG& msg);
    // An explicit Tab order; otherwise creation order.
    void SetTabOrder(std::vector<TControl*> order) { tabOrder_ = std::move(order); }
    void SelectNext(bool forward);

    // Runs OnCreate; an error is shown and creation goes on.
    void DoCreate();

    TNotifyEvent OnCreate;
    TCloseEvent OnClose;

    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    void MenuCommand(UINT id) override;
    const char* ClassName() const override { return "TForm"; }

protected:
    void PlaceForShow();
    void ShowHandle(bool v) override;

private:
    // The window procedure's handlers, one per message it treats.
    LRESULT CloseAsked();
    LRESULT MenuItemSelected(WPARAM wp, LPARAM lp);
    LRESULT MenuLoopEnded(WPARAM wp, LPARAM lp);
    LRESULT MenuItemMeasured(WPARAM wp, LPARAM lp);
    LRESULT MenuItemDrawn(WPARAM wp, LPARAM lp);
    LRESULT ActivationChanged(WPARAM wp, LPARAM lp);
    bool DoClose();
    std::vector<TControl*> TabControls();
    void CollectTabControls(TControl* c, std::vector<TControl*>& out);

    TMainMenu* menu_ = nullptr;
    TPosition position_;
    bool moveOnShow_ = false;
    bool modal_ = false;
    int modalResult_ = mrNone;
    HWND lastFocus_ = nullptr;
    std::vector<TControl*> tabOrder_;
};
