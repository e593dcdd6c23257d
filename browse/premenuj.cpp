#include "browse/premenuj.h"

#include "browse/dialog_button.h"

TPremenuj* Premenuj = nullptr;

namespace {
LabelSettings SmallLabel(std::string_view name, const char* text) {
    auto s = PlacedAt<LabelSettings>(PremenujBox(name));
    s.caption = text;
    return s;
}

EditSettings Field(std::string_view name, bool enabled) {
    auto s = PlacedAt<EditSettings>(PremenujBox(name));
    s.readOnly = !enabled;
    s.enabled = enabled;
    return s;
}
}  // namespace

TPremenuj::TPremenuj() : TForm(DialogAt(PremenujBox("Premenuj"), "Premenovanie súboru")) {
    Premenuj = this;
    Label1 = std::make_unique<TLabel>(this, SmallLabel("Label1", "Z:"));
    Label2 = std::make_unique<TLabel>(this, SmallLabel("Label2", "Na:"));
    // The old name is only shown: disabled, so it never takes the focus.
    odkial = std::make_unique<TEdit>(this, Field("odkial", false));
    kam = std::make_unique<TEdit>(this, Field("kam", true));
    Button1 = std::make_unique<TButton>(this, DialogButton(PremenujBox("Button1"), "&OK", mrOk));
    Button2 = std::make_unique<TButton>(this, DialogButton(PremenujBox("Button2"), "&Zrušiť", mrCancel));
    SetTabOrder({odkial.get(), kam.get(), Button1.get(), Button2.get()});
}

TPremenuj::~TPremenuj() {
    if (Premenuj == this) Premenuj = nullptr;
}
