#include "browse/vymazat.h"

#include "browse/dialog_button.h"

TVymazat* Vymazat = nullptr;

TVymazat::TVymazat() : TForm(DialogAt(VymazatBox("Vymazat"), "")) {
    Vymazat = this;
    auto label = PlacedAt<LabelSettings>(VymazatBox("text"));
    label.caption = "'Naozaj chcete zmazať označený súbor?";
    text = std::make_unique<TLabel>(this, label);
    // "A&no" comes first in the tab order: Enter at once confirms.
    Button1 = std::make_unique<TButton>(this, DialogButton(VymazatBox("Button1"), "A&no", mrYes));
    Button2 = std::make_unique<TButton>(this, DialogButton(VymazatBox("Button2"), "&Nie", mrNo));
    SetTabOrder({Button1.get(), Button2.get()});
}

TVymazat::~TVymazat() {
    if (Vymazat == this) Vymazat = nullptr;
}
