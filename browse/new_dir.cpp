#include "browse/new_dir.h"

#include "browse/dialog_button.h"
#include "platform/exceptions.h"
#include "ui/message_dialog.h"

TNewDir* NewDir = nullptr;
std::u16string NewFolderName;

TNewDir::TNewDir() : TForm(DialogAt(NewDirBox("NewDir"), "Nový priečinok")) {
    NewDir = this;
    // Sized to its text: the design's box is that text's size in the
    // original font, and a wider substitute font must not clip it.
    auto label = PlacedAt<LabelSettings>(NewDirBox("Label1"));
    label.caption = "Názov nového priečinka: (max. 255 znakov)";
    Label1 = std::make_unique<TLabel>(this, label);

    Edit1 = std::make_unique<TEdit>(this, PlacedAt<EditSettings>(NewDirBox("Edit1")));

    Button1 = std::make_unique<TButton>(this, DialogButton(NewDirBox("Button1"), "&OK", mrOk));
    Button1->OnClick = [this](TObject* sender) { Button1Click(sender); };
    Button2 = std::make_unique<TButton>(this, DialogButton(NewDirBox("Button2"), "&Zrušiť", mrCancel));
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
