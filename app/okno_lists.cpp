// The main window's browsing controls and their wiring.
#include "app/okno.h"

#include "app/layout.h"
#include "app/okno_layout.h"
#include "ui/application.h"

namespace {
const char kFilter[] =
    "Všetky formáty (jpg,bmp,ico,emf,wmf)|*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf|"
    "JPG súbory (*.jpg,*.jpeg)|*.jpg;*.jpeg|"
    "Bitové mapy (*.bmp)|*.bmp|"
    "Ikony systému Windows (*.ico)|*.ico|"
    "EMF súbory (*.emf)|*.emf|"
    "Kliparty MS-Word (*.wmf)|*.wmf";

Box BoxOf(const TControl& c) { return Box{c.Left(), c.Top(), c.Width(), c.Height()}; }

void MoveTo(TControl& c, const Box& b) { c.SetBounds(b.left, b.top, b.width, b.height); }
}  // namespace

void TOkno::BuildLists() {
    Dir = std::make_unique<TDirectoryListBox>(this, PlacedAt<ListBoxSettings>(OknoBox("Dir")));
    auto f = PlacedAt<FileListSettings>(OknoBox("files"));
    f.showGlyphs = true;
    files = std::make_unique<TFileListBox>(this, f);
    disk = std::make_unique<TDriveComboBox>(this, PlacedAt<ComboBoxSettings>(OknoBox("disk")));
    filter = std::make_unique<TFilterComboBox>(this, PlacedAt<ComboBoxSettings>(OknoBox("filter")));

    disk->SetDirList(Dir.get());
    Dir->SetFileList(files.get());
    Dir->SetDirLabel(adresa.get());

    files->OnChange = [this](TObject* s) { filesChange(s); };
    files->OnClick = [this](TObject* s) { filesClick(s); };
    files->OnDblClick = [this](TObject* s) { filesDblClick(s); };
    files->OnKeyPress = [this](TObject* s, char16_t& key) { filesKeyPress(s, key); };
    filter->OnChange = [this](TObject* s) { filterChange(s); };
    // Filling the filter notifies, which gives the file list row 0's mask.
    filter->SetFilter(kFilter);

    SetTabOrder({DolnyPosuvak.get(), HornyPosuvak.get(), Dir.get(), files.get(), disk.get(), filter.get()});
}

void TOkno::filterChange(TObject*) { files->SetMask(filter->Mask()); }

void TOkno::filesChange(TObject*) {
    // Read again (another folder, drive or mask): nothing ahead is a neighbour now.
    if (files->ItemIndex() < 0) {
        Application->WhenIdle(nullptr);
        PictureAhead.Drop();
    }
    files->SetMask(filter->Mask());
}

void TOkno::filesClick(TObject*) {
    // The key of this step is still down while the list reports it.
    stepsUp_ = GetKeyState(VK_UP) < 0 || GetKeyState(VK_PRIOR) < 0;
    KlikniNaSubor();
}

void TOkno::filesDblClick(TObject*) { DvojKlikniNaSubor(); }

void TOkno::filesKeyPress(TObject*, char16_t& key) {
    if (key == u'\r') DvojKlikniNaSubor();
}

void TOkno::MoveListsWithToolBar(bool shown) {
    ListBoxes b = ToolBarShift({BoxOf(*Dir), BoxOf(*disk), BoxOf(*files)}, shown);
    MoveTo(*Dir, b.dir);
    MoveTo(*disk, b.disk);
    MoveTo(*files, b.files);
}
