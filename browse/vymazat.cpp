#include "browse/vymazat.h"

#include "browse/dialog_button.h"

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

TVymazat::TVymazat() : TForm(WindowSettings()) {
    Vymazat = this;
    LabelSettings label;
    label.left = 24;
    label.top = 24;
    label.caption = "'Naozaj chcete zmazať označený súbor?";
    text = std::make_unique<TLabel>(this, label);
    // "A&no" comes first in the tab order: Enter at once confirms.
    Button1 = std::make_unique<TButton>(this, DialogButton(40, 64, "A&no", mrYes));
    Button2 = std::make_unique<TButton>(this, DialogButton(128, 64, "&Nie", mrNo));
    SetTabOrder({Button1.get(), Button2.get()});
}

TVymazat::~TVymazat() {
    if (Vymazat == this) Vymazat = nullptr;
}
