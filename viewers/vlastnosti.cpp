#include "viewers/vlastnosti.h"

TVlastnosti* Vlastnosti = nullptr;

namespace {
FormSettings WindowSettings() {
    FormSettings s;
    s.caption = "Vlastnosti";
    s.left = 201;
    s.top = 142;
    s.clientWidth = 349;
    s.clientHeight = 204;
    s.border = TBorderStyle::bsDialog;
    return s;
}
}  // namespace

TVlastnosti::TVlastnosti() : TForm(WindowSettings()) { Vlastnosti = this; }

TVlastnosti::~TVlastnosti() {
    if (Vlastnosti == this) Vlastnosti = nullptr;
}
