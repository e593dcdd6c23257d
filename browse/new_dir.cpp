#include "browse/new_dir.h"

TNewDir* NewDir = nullptr;

namespace {
FormSettings WindowSettings() {
    FormSettings s;
    s.caption = "Nový priečinok";
    s.left = 270;
    s.top = 111;
    s.clientWidth = 274;
    s.clientHeight = 133;
    s.border = TBorderStyle::bsDialog;
    return s;
}
}  // namespace

TNewDir::TNewDir() : TForm(WindowSettings()) { NewDir = this; }

TNewDir::~TNewDir() {
    if (NewDir == this) NewDir = nullptr;
}
