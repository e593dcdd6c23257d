// The main window's browsing controls and their wiring.
#include "app/okno.h"

#include "app/layout.h"

namespace {
const char kFilter[] =
    "Všetky formáty (jpg,bmp,ico,emf,wmf)|*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf|"
    "JPG súbory (*.jpg,*.jpeg)|*.jpg;*.jpeg|"
    "Bitové mapy (*.bmp)|*.bmp|"
    "Ikony systému Windows (*.ico)|*.ico|"
    "EMF súbory (*.emf)|*.emf|"
    "Kliparty MS-Word (*.wmf)|*.wmf";

template <class S>
S At(int left, int top, int width, int height) {
    S s;
    s.left = left;
    s.top = top;
    s.width = width;
    s.height = height;
    return s;
}

Box BoxOf(const TControl& c) { return Box{c.Left(), c.Top(), c.Width(), c.Height()}; }

void MoveTo(TControl& c, const Box& b) { c.SetBounds(b.left, b.top, b.width, b.height); }
}  // namespace

void TOkno::BuildLists() {
    Dir = std::make_unique<TDirectoryListBox>(this, At<ListBoxSettings>(8, 27, 265, 150));
    auto f = At<FileListSettings>(288, 51, 321, 278);
    f.showGlyphs = true;
    files = std::make_unique<TFileListBox>(this, f);
    disk = std::make_unique<TDriveComboBox>(this, At<ComboBoxSettings>(288, 27, 321, 19));
    filter = std::make_unique<TFilterComboBox>(this, At<ComboBoxSettings>(400, 336, 209, 21));

    disk->SetDirList(Dir.get());
    Dir->SetFileList(files.get());
    Dir->SetDirLabel(adresa.get());

    files->OnChange = [this](TObject* s) { filesChange(s); };
    files->OnClick = [this](TObject* s) { filesClick(s); };
    files->OnDblClick = [this](TObject* s) { filesDblClick(s); };
    files->OnKeyPress = [this](TObject* s, char& key) { filesKeyPress(s, key); };
    filter->OnChange = [this](TObject* s) { filterChange(s); };
    // Filling the filter notifies, which gives the file list row 0's mask.
    filter->SetFilter(kFilter);

    SetTabOrder({DolnyPosuvak.get(), HornyPosuvak.get(), Dir.get(), files.get(), disk.get(), filter.get()});
}

void TOkno::filterChange(TObject*) { files->SetMask(filter->Mask()); }

void TOkno::filesChange(TObject*) { files->SetMask(filter->Mask()); }

void TOkno::filesClick(TObject*) { KlikniNaSubor(); }

void TOkno::filesDblClick(TObject*) { DvojKlikniNaSubor(); }

void TOkno::filesKeyPress(TObject*, char& key) {
    if (key == '\r') DvojKlikniNaSubor();
}

void TOkno::MoveListsWithToolBar(bool shown) {
    ListBoxes b = ToolBarShift({BoxOf(*Dir), BoxOf(*disk), BoxOf(*files)}, shown);
    MoveTo(*Dir, b.dir);
    MoveTo(*disk, b.disk);
    MoveTo(*files, b.files);
}
