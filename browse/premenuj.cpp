#include "browse/premenuj.h"

#include "browse/dialog_button.h"

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

LabelSettings SmallLabel(int top, const char* text) {
    LabelSettings s;
    s.left = 8;
    s.top = top;
    s.caption = text;
    return s;
}

EditSettings Field(int top, bool enabled) {
    EditSettings s;
    s.left = 8;
    s.top = top;
    s.width = 289;
    s.height = 21;
    s.readOnly = !enabled;
    s.enabled = enabled;
    return s;
}
}  // namespace

TPremenuj::TPremenuj() : TForm(WindowSettings()) {
    Premenuj = this;
    Label1 = std::make_unique<TLabel>(this, SmallLabel(8, "Z:"));
    Label2 = std::make_unique<TLabel>(this, SmallLabel(64, "Na:"));
    // The old name is only shown: disabled, so it never takes the focus.
    odkial = std::make_unique<TEdit>(this, Field(24, false));
    kam = std::make_unique<TEdit>(this, Field(80, true));
    Button1 = std::make_unique<TButton>(this, DialogButton(64, 128, "&OK", mrOk));
    Button2 = std::make_unique<TButton>(this, DialogButton(160, 128, "&Zrušiť", mrCancel));
    SetTabOrder({odkial.get(), kam.get(), Button1.get(), Button2.get()});
}

TPremenuj::~TPremenuj() {
    if (Premenuj == this) Premenuj = nullptr;
}
