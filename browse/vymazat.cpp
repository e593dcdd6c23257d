#include "browse/vymazat.h"

TVymazat* Vymazat = nullptr;

namespace {
FormSettings WindowSettings() {
    FormSettings s;
    s.caption = "";
    s.left = 222;
    s.top = 161;
    s.clientWidth = 250;
    s.clientHeight = 102;
    s.border = TBorderStyle::bsDialog;
    return s;
}
}  // namespace

TVymazat::TVymazat() : TForm(WindowSettings()) { Vymazat = this; }

TVymazat::~TVymazat() {
    if (Vymazat == this) Vymazat = nullptr;
}
