#include "browse/new_dir.h"

#include "browse/dialog_button.h"
#include "ui/exceptions.h"
#include "ui/message_dialog.h"

TNewDir* NewDir = nullptr;
std::string NewFolderName;

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

TNewDir::TNewDir() : TForm(WindowSettings()) {
    NewDir = this;
    LabelSettings label;
    label.left = 16;
    label.top = 24;
    // Sized to its text: the 209 x 13 of the design is that text's size in
    // the original font, and a wider substitute font must not clip it.
    label.caption = "Názov nového priečinka: (max. 255 znakov)";
    Label1 = std::make_unique<TLabel>(this, label);

    EditSettings edit;
    edit.left = 16;
    edit.top = 48;
    edit.width = 249;
    edit.height = 21;
    Edit1 = std::make_unique<TEdit>(this, edit);

    Button1 = std::make_unique<TButton>(this, DialogButton(48, 88, "&OK", mrOk));
    Button1->OnClick = [this](TObject* sender) { Button1Click(sender); };
    Button2 = std::make_unique<TButton>(this, DialogButton(144, 88, "&Zrušiť", mrCancel));
    SetTabOrder({Edit1.get(), Button1.get(), Button2.get()});
}

TNewDir::~TNewDir() {
    if (NewDir == this) NewDir = nullptr;
}

void TNewDir::Button1Click(TObject*) {
    NewFolderName = Edit1->Text();
    if (NewFolderName.empty()) {
        ShowNotice("Nie je zadaný názov nového priečinka!");
        AbortSilently();
    }
}
