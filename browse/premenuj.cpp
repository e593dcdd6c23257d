#include "browse/premenuj.h"

TPremenuj* Premenuj = nullptr;

namespace {
FormSettings WindowSettings() {
    FormSettings s;
    s.caption = "Premenovanie súboru";
    s.left = 235;
    s.top = 48;
    s.clientWidth = 306;
    s.clientHeight = 168;
    s.border = TBorderStyle::bsDialog;
    return s;
}
}  // namespace

TPremenuj::TPremenuj() : TForm(WindowSettings()) { Premenuj = this; }

TPremenuj::~TPremenuj() {
    if (Premenuj == this) Premenuj = nullptr;
}
