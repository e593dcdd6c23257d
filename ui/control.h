#pragma once
// Every control is a real window. The object is found from its window
// through a process-wide map; one static, exception-proof window procedure
// serves the program's own window classes and the subclassed system ones.
#include <windows.h>

#include <string>
#include <vector>

#include "ui/object.h"

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum class TCursor { crDefault, crHourGlass, crHandPoint, crArrow };

class TForm;

// Named settings of a new control; caption and hint are the program's own
// texts (Windows-1250).
struct ControlSettings {
    int left = 0, top = 0, width = 0, height = 0;
    std::string caption;
    std::string hint;
    bool visible = true;
    bool showHint = false;
    bool tabStop = false;
    TAlign align = TAlign::alNone;
};

class TControl : public TObject {
public:
    explicit TControl(TControl* parent);
    ~TControl() override;
    TControl(const TControl&) = delete;
    TControl& operator=(const TControl&) = delete;

    HWND Handle() const { return handle_; }
    TControl* Parent() const { return parent_; }
    TForm* OwnerForm();
    static TControl* FromHandle(HWND wnd);

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
    void SetTop(int v) { SetBounds(left_, v, width_, height_); }
    void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
    void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
    virtual void SetBounds(int left, int top, int width, int height);
    int ClientWidth() const;
    int ClientHeight() const;

    bool Visible() const { return visible_; }
    virtual void SetVisible(bool v);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool Enabled() const;
    void SetEnabled(bool v);
    std::u16string Caption() const;
    void SetCaption(const std::u16string& text);
    // The program's own text (Windows-1250).
    void SetCaption(const std::string& text);

    TAlign Align() const { return align_; }
    virtual void SetAlign(TAlign a);
    void Realign();

    HFONT Font() const { return font_; }
    void SetFont(HFONT font);
    COLORREF Color() const { return color_; }
    void SetColor(COLORREF c);
    HBRUSH BackgroundBrush();

    void Invalidate();
    void Repaint();
    void SetFocus();
    const std::vector<TControl*>& Children() const { return children_; }
    bool TabStop() const { return tabStop_; }

    std::u16string Hint;
    bool ShowHint = false;
    TCursor Cursor = TCursor::crDefault;

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TKeyPressEvent OnKeyPress;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;

    // Messages; the base handles reflection, painting, the cursor and the
    // mouse and key events. Overrides call the base for what they leave.
    virtual LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT DefaultProc(UINT msg, WPARAM wp, LPARAM lp);

    // Reflected notifications from the parent window.
    virtual void Notify(WORD /*code*/) {}
    virtual bool DrawItem(const DRAWITEMSTRUCT& /*item*/) { return false; }
    virtual void ScrollMessage(WORD /*code*/) {}
    virtual LRESULT NotifyMessage(NMHDR* /*header*/) { return 0; }
    virtual void MenuCommand(UINT /*id*/) {}
    virtual HBRUSH ChildColor(HDC /*dc*/, TControl* /*child*/) { return nullptr; }

    const char* ClassName() const override { return "TControl"; }

protected:
    // A window of the program's own class `kind` (registered once).
    void CreateCustom(const char* kind, DWORD style, DWORD exStyle, const ControlSettings& s);
    // A system control (BUTTON, EDIT, ...), subclassed.
    void CreateStandard(const char* cls, DWORD style, DWORD exStyle, const ControlSettings& s);
    // Top-level windows pass their owner and outer bounds directly.
    void CreateTopLevel(const char* kind, DWORD style, DWORD exStyle, HWND owner,
                        const ControlSettings& s);
    virtual void Paint(HDC /*dc*/) {}
    virtual void Click();
    virtual void DblClick();
    virtual void Resized() {}
    // The parent's client area changed size (before it realigns).
    virtual void ParentResized() {}
    // Puts the window where the control's bounds say.
    virtual void Place();
    // Shows or hides the window itself (SetVisible keeps the flag and the layout).
    virtual void ShowHandle(bool v);
    void ApplySettings(const ControlSettings& s);
    static HCURSOR CursorHandle(TCursor c);

    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;

private:
    static LRESULT CALLBACK Procedure(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) noexcept;
    void Attach(HWND wnd);
    void Detach();
    bool MouseMessage(UINT msg, WPARAM wp, LPARAM lp);
    // The window procedure's handlers, one per message it treats.
    LRESULT CommandReceived(WPARAM wp, LPARAM lp);
    LRESULT DrawItemReceived(WPARAM wp, LPARAM lp);
    LRESULT ScrollReceived(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT NotifyReceived(WPARAM wp, LPARAM lp);
    LRESULT ChildColorAsked(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT CursorAsked(WPARAM wp, LPARAM lp);
    LRESULT EraseAsked(WPARAM wp, LPARAM lp);
    LRESULT PaintAsked(WPARAM wp, LPARAM lp);
    LRESULT SizeChanged(WPARAM wp, LPARAM lp);
    LRESULT CharReceived(WPARAM wp, LPARAM lp);
    LRESULT OtherMessage(UINT msg, WPARAM wp, LPARAM lp);
    void Adopt(TControl* child);
    void Orphan(TControl* child);
    // The control of ours behind a notification's window handle, when it is
    // a child of this one.
    TControl* ChildOf(LPARAM wnd) const;

    HWND handle_ = nullptr;
    TControl* parent_;
    std::vector<TControl*> children_;
    WNDPROC systemProc_ = nullptr;
    HFONT font_ = nullptr;
    COLORREF color_;
    HBRUSH brush_ = nullptr;
    TAlign align_ = TAlign::alNone;
    bool visible_ = true;
    bool tabStop_ = false;
    bool placing_ = false;
};

