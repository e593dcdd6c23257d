// Opening the selected file in a viewer, the copy command and properties.
#include "app/okno.h"

#include "browse/existing_file.h"
#include "picture/clipboard.h"
#include "ui/scope.h"
#include "viewers/image_form.h"
#include "viewers/image_form2.h"
#include "viewers/picture_size.h"
#include "viewers/vlastnosti.h"

void TOkno::DvojKlikniNaSubor() {
    PointerScope hourglass(TCursor::crHourGlass, TCursor::crDefault);
    const std::u16string path = files->FileName();
    if (!IsExistingFile(path)) {
        MessageBeep(MB_ICONHAND);
        return;
    }
    // The viewer shares the preview's pixels when it loads identical bytes.
    const PixelReuse reuse{&Image->Picture(), &PictureAhead};
    if (FullScreen->Checked())
        ImageForm2->ShowFile(files->FileName(), reuse);
    else
        ImageForm->ShowFile(files->FileName(), reuse);
}

void TOkno::Koprova1Click(TObject*) { Clipboard().Assign(&Image->Picture()); }

void TOkno::Vlastnosti1Click(TObject*) {
    const std::u16string path = files->FileName();
    if (!IsExistingFile(path)) return;
    // The preview may hold another file's picture (a failed preview, the open
    // command): the sizes are read from the selected file itself.
    Vlastnosti->Fill(path, MeasurePictureFile(path));
    // The dialog borrows the folder list's label while it shows.
    Dir->SetDirLabel(Vlastnosti->cesta.get());
    ScopeExit giveBack([this] { Dir->SetDirLabel(adresa.get()); });
    Vlastnosti->ShowModal();
}
