#include "viewers/about_box.h"

TAboutBox* AboutBox = nullptr;

namespace {
FormSettings WindowSettings() {
    FormSettings s;
    s.caption = "About TarnikLumeno";
    s.left = 0;
    s.top = 0;
    s.clientWidth = 332;
    s.clientHeight = 213;
    s.border = TBorderStyle::bsDialog;
    s.position = TPosition::poScreenCenter;
    return s;
}
}  // namespace

TAboutBox::TAboutBox() : TForm(WindowSettings()) { AboutBox = this; }

TAboutBox::~TAboutBox() {
    if (AboutBox == this) AboutBox = nullptr;
}
