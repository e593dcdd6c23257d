#include "bench/harness/x_screen.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#include <X11/extensions/XTest.h>
#include <poll.h>

#include <cmath>
#include <stdexcept>

#include "bench/harness/clock.h"

namespace bench {

struct XScreen::State {
    Display* display = nullptr;
    int damageBase = 0;
    Damage damage = 0;
};

XScreen::XScreen() : state_(new State) {
    Display* d = XOpenDisplay(nullptr);
    if (!d) throw std::runtime_error("no X display");
    state_->display = d;
    int event = 0, error = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(d, &event, &error, &major, &minor))
        throw std::runtime_error("the X server has no test extension");
    if (!XDamageQueryExtension(d, &state_->damageBase, &error))
        throw std::runtime_error("the X server has no damage extension");
    // Every drawing on the screen, windows inside the root included, one
    // report per rectangle as it happens.
    state_->damage = XDamageCreate(d, DefaultRootWindow(d), XDamageReportRawRectangles);
    XSync(d, False);
}

XScreen::~XScreen() {
    if (state_->damage) XDamageDestroy(state_->display, state_->damage);
    XCloseDisplay(state_->display);
}

void XScreen::MoveTo(int x, int y) {
    XTestFakeMotionEvent(state_->display, -1, x, y, CurrentTime);
    XFlush(state_->display);
}

void XScreen::Press(int button) {
    XTestFakeButtonEvent(state_->display, unsigned(button), True, CurrentTime);
    XFlush(state_->display);
}

void XScreen::Release(int button) {
    XTestFakeButtonEvent(state_->display, unsigned(button), False, CurrentTime);
    XFlush(state_->display);
}

void XScreen::Click(int x, int y) {
    MoveTo(x, y);
    Press(1);
    Release(1);
}

void XScreen::DoubleClick(int x, int y, const std::function<void()>& between) {
    Click(x, y);
    if (between) between();
    Press(1);
    Release(1);
}

void XScreen::Key(const char* keysym) {
    const KeyCode code = XKeysymToKeycode(state_->display, XStringToKeysym(keysym));
    if (!code) throw std::runtime_error(std::string("no key for ") + keysym);
    XTestFakeKeyEvent(state_->display, code, True, CurrentTime);
    XTestFakeKeyEvent(state_->display, code, False, CurrentTime);
    XFlush(state_->display);
}

void XScreen::Forget() {
    Display* d = state_->display;
    XSync(d, False);
    XEvent e;
    while (XPending(d)) XNextEvent(d, &e);
}

double XScreen::WaitDrawn(long pixels, double timeout) {
    Display* d = state_->display;
    const double end = Now() + timeout;
    for (;;) {
        while (XPending(d)) {
            XEvent e;
            XNextEvent(d, &e);
            if (e.type != state_->damageBase + XDamageNotify) continue;
            const XRectangle& r = reinterpret_cast<XDamageNotifyEvent&>(e).area;
            if (long(r.width) * long(r.height) >= pixels) return Now();
        }
        const double left = end - Now();
        if (left <= 0) return -1;
        pollfd p{ConnectionNumber(d), POLLIN, 0};
        poll(&p, 1, int(std::ceil(left * 1000)));
    }
}

}  // namespace bench
