#pragma once
// The X server the program shows on, seen from a connection of the
// benchmark's own: real pointer and key input (the same requests xdotool
// makes), and the server's reports of where the screen was drawn. Coordinates
// are the screen's, which are the program's screen coordinates inside Wine's
// virtual desktop. Kept free of Windows headers: Xlib's names clash with them.
#include <functional>
#include <memory>

namespace bench {

class XScreen {
public:
    XScreen();  // the display in $DISPLAY; throws when it lacks the extensions
    ~XScreen();
    XScreen(const XScreen&) = delete;
    XScreen& operator=(const XScreen&) = delete;

    void MoveTo(int x, int y);
    void Press(int button);  // 1 left, 2 middle, 3 right
    void Release(int button);
    void Click(int x, int y);
    // Two clicks; the second press follows once the caller's `between` has
    // run (say, waiting for the first click's effect).
    void DoubleClick(int x, int y, const std::function<void()>& between);
    void Key(const char* keysym);  // press and release, e.g. "Down", "Return"

    // Forgets the drawing reported so far.
    void Forget();
    // Waits for a report of one drawn rectangle of at least `pixels` pixels
    // and returns when it arrived (clock.h), or -1 after `timeout` seconds.
    double WaitDrawn(long pixels, double timeout);

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace bench
