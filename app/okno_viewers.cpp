// Opening the selected file in a viewer, the copy command and properties.
#include "app/okno.h"

#include "browse/existing_file.h"
#include "picture/clipboard.h"
#include "ui/application.h"
#include "viewers/image_form.h"
#include "viewers/image_form2.h"
#include "viewers/picture_size.h"
#include "viewers/vlastnosti.h"

namespace {
// The hourglass for a scope; the default pointer afterwards, also after an error.
class HourGlass {
public:
    HourGlass() { Application->SetCursor(TCursor::crHourGlass); }
    ~HourGlass() { Application->SetCursor(TCursor::crDefault); }
    HourGlass(const HourGlass&) = delete;
    HourGlass& operator=(const HourGlass&) = delete;
};

// Lends the folder list's label link to another label for a scope.
class BorrowedDirLabel {
public:
    BorrowedDirLabel(TDirectoryListBox& dir, TLabel* borrower, TLabel* owner) : dir_(dir), owner_(owner) {
        dir_.SetDirLabel(borrower);
    }
    ~BorrowedDirLabel() { dir_.SetDirLabel(owner_); }
    BorrowedDirLabel(const BorrowedDirLabel&) = delete;
    BorrowedDirLabel& operator=(const BorrowedDirLabel&) = delete;

private:
    TDirectoryListBox& dir_;
    TLabel* owner_;
};
}  // namespace

void TOkno::DvojKlikniNaSubor() {
    HourGlass pointer;
    const std::string path = files->FileName();
    if (!IsExistingFile(path)) {
        MessageBeep(MB_ICONHAND);
        return;
    }
    if (FullScreen->Checked())
        ImageForm2->ShowFile(files->FileName());
    else
        ImageForm->ShowFile(files->FileName());
}

void TOkno::Koprova1Click(TObject*) { Clipboard().Assign(&Image->Picture()); }

void TOkno::Vlastnosti1Click(TObject*) {
    const std::string path = files->FileName();
    if (!IsExistingFile(path)) return;
    // The preview may hold another file's picture (a failed preview, the open
    // command): the sizes are read from the selected file itself.
    Vlastnosti->Fill(path, MeasurePictureFile(path));
    BorrowedDirLabel borrowed(*Dir, Vlastnosti->cesta.get(), adresa.get());
    Vlastnosti->ShowModal();
}
