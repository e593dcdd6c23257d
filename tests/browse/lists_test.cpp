// The browsing controls on real folders of the Wine drive, driven by the
// messages a user's actions send.
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <iterator>
#include <memory>

#include "app/okno_layout.h"
#include "browse/current_folder.h"
#include "browse/directory_list_box.h"
#include "browse/drive_combo_box.h"
#include "browse/existing_file.h"
#include "browse/file_list_box.h"
#include "browse/filter_combo_box.h"
#include "fixture.h"
#include "platform/exceptions.h"
#include "platform/handle.h"
#include "probe.h"
#include "platform/text.h"
#include "testing.h"
#include "ui/application.h"
#include "ui/fonts.h"
#include "ui/form.h"
#include "ui/label.h"

namespace {

// A window with the four controls and a path label, linked like the main
// window's.
struct Browser {
    Browser() {
        TestApplication();
        FormSettings fs;
        fs.caption = "browse test";
        fs.clientWidth = 620;
        fs.clientHeight = 400;
        form = std::make_unique<TForm>(fs);
        dir = std::make_unique<TDirectoryListBox>(form.get(), PlacedAt<ListBoxSettings>(OknoBox("Dir")));
        auto f = PlacedAt<FileListSettings>(OknoBox("files"));
        f.showGlyphs = true;
        files = std::make_unique<TFileListBox>(form.get(), f);
        disk = std::make_unique<TDriveComboBox>(form.get(), PlacedAt<ComboBoxSettings>(OknoBox("disk")));
        filter = std::make_unique<TFilterComboBox>(form.get(), PlacedAt<ComboBoxSettings>(OknoBox("filter")));
        auto l = PlacedAt<LabelSettings>(OknoBox("adresa"));
        l.autoSize = false;
        label = std::make_unique<TLabel>(form.get(), l);
        disk->SetDirList(dir.get());
        dir->SetFileList(files.get());
        dir->SetDirLabel(label.get());
        form->Show();
        Pump();
    }
    ~Browser() {
        // Unlink the label before it goes.
        if (dir) dir->SetDirLabel(nullptr);
    }
    int Row(const std::u16string& text) const {
        for (int i = 0; i < dir->Count(); ++i)
            if (dir->Item(i) == text) return i;
        return -1;
    }
    std::u16string FittedLabel() const {
        HFONT font = label->Font();
        return FitPathToWidth(dir->Directory(), [font](const std::u16string& s) { return TextWidth(font, s); },
                              OknoBox("adresa").width);
    }
    std::unique_ptr<TForm> form;
    std::unique_ptr<TDirectoryListBox> dir;
    std::unique_ptr<TFileListBox> files;
    std::unique_ptr<TDriveComboBox> disk;
    std::unique_ptr<TFilterComboBox> filter;
    std::unique_ptr<TLabel> label;
};

bool SortedIgnoringCase(const std::vector<std::u16string>& names) {
    for (size_t i = 1; i < names.size(); ++i)
        if (CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, WidePtr(names[i - 1]), -1, WidePtr(names[i]), -1) ==
            CSTR_GREATER_THAN)
            return false;
    return true;
}

void SetWriteTime(const std::u16string& path, WORD year) {
    SYSTEMTIME st{};
    st.wYear = year;
    st.wMonth = 1;
    st.wDay = 1;
    FILETIME ft;
    SystemTimeToFileTime(&st, &ft);
    FileHandle h(CreateFileW(WidePtr(path), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    SetFileTime(h.get(), &ft, &ft, &ft);
}
}  // namespace

TEST_CASE("folder list: rows, glyphs and indents") {
    TempFolder temp;
    Browser b;
    const int width = b.dir->ClientWidth(), height = b.dir->ItemHeight();

    SUBCASE("a nested folder: root, ancestors, the folder, then its visible subfolders in order") {
        std::u16string folder = temp.File(u"a");
        MakeFolder(folder);
        folder += u"\\b";
        MakeFolder(folder);
        for (const char16_t* name : {u"Zeta", u"alpha", u"Beta"}) MakeFolder(folder + u"\\" + name);
        MakeFolder(folder + u"\\skryty", FILE_ATTRIBUTE_HIDDEN);
        MakeFolder(folder + u"\\systemovy", FILE_ATTRIBUTE_SYSTEM);
        MakeFile(folder + u"\\subor.txt");
        b.dir->SetDirectory(folder);

        CHECK(b.dir->Directory() == folder);
        std::vector<FolderRow> ancestors = FolderRows(folder);
        int current = int(ancestors.size()) - 1;
        std::vector<std::u16string> expected;
        for (const FolderRow& r : ancestors) expected.push_back(r.text);
        for (const char16_t* name : {u"alpha", u"Beta", u"Zeta"}) expected.push_back(name);
        CHECK(Rows(*b.dir) == expected);
        CHECK(b.dir->ItemIndex() == current);
        CHECK(b.dir->RowKind(0) == FolderKind::Open);
        CHECK(b.dir->RowKind(current) == FolderKind::Current);
        CHECK(b.dir->RowKind(current + 1) == FolderKind::Closed);
        CHECK(b.dir->EntryPath(0) == u"C:\\");
        CHECK(b.dir->EntryPath(current - 1) == temp.File(u"a"));
        CHECK(b.dir->EntryPath(current + 2) == folder + u"\\Beta");

        int depth = FolderDepth(folder);
        CHECK(b.dir->RowIndent(current) == 4 * current + 2);
        CHECK(b.dir->RowIndent(current + 1) == 4 * depth + 6);
        CHECK(GlyphDrawnAt(*b.dir, ODT_LISTBOX, 0, width, height, "OPENFOLDER", 2));
        CHECK(GlyphDrawnAt(*b.dir, ODT_LISTBOX, 1, width, height, "OPENFOLDER", 6));
        CHECK(GlyphDrawnAt(*b.dir, ODT_LISTBOX, current, width, height, "CURRENTFOLDER", 4 * current + 2));
        CHECK(GlyphDrawnAt(*b.dir, ODT_LISTBOX, current + 1, width, height, "CLOSEDFOLDER", 4 * depth + 6));
        CHECK_FALSE(GlyphDrawnAt(*b.dir, ODT_LISTBOX, current + 1, width, height, "CLOSEDFOLDER", 2));
        CHECK_FALSE(GlyphDrawnAt(*b.dir, ODT_LISTBOX, current + 1, width, height, "OPENFOLDER", 4 * depth + 6));
    }
    SUBCASE("a drive root is its own current row") {
        b.dir->SetDirectory(u"C:\\");
        REQUIRE(b.dir->Count() > 1);
        CHECK(b.dir->Item(0) == u"C:\\");
        CHECK(b.dir->RowKind(0) == FolderKind::Current);
        CHECK(b.dir->RowKind(1) == FolderKind::Closed);
        CHECK(b.dir->EntryPath(0) == u"C:\\");
        CHECK(b.dir->EntryPath(1) == u"C:\\" + b.dir->Item(1));
        std::vector<std::u16string> subfolders = Rows(*b.dir);
        subfolders.erase(subfolders.begin());
        CHECK(SortedIgnoringCase(subfolders));
        CHECK(GlyphDrawnAt(*b.dir, ODT_LISTBOX, 0, width, height, "CURRENTFOLDER", 2));
        CHECK(GlyphDrawnAt(*b.dir, ODT_LISTBOX, 1, width, height, "CLOSEDFOLDER", 10));
        // Opening the root row from a subfolder comes back here.
        b.dir->SetDirectory(b.dir->EntryPath(1));
        CHECK(b.dir->Item(0) == u"C:\\");
        DoubleClickRow(*b.dir, 0);
        CHECK(b.dir->Directory() == u"C:\\");
    }
}

TEST_CASE("folder list: opening a row moves the file list and the path label along") {
    TempFolder temp;
    MakeFolder(temp.File(u"vnutorny priecinok s dlhym nazvom"));
    MakeFile(temp.File(u"vnutorny priecinok s dlhym nazvom\\x.jpg"));
    MakeFile(temp.File(u"y.jpg"));
    Browser b;
    b.files->SetMask("*.jpg");
    b.dir->SetDirectory(temp.Path());
    CHECK(b.files->Directory() == temp.Path());
    CHECK(Rows(*b.files) == std::vector<std::u16string>{u"y.jpg"});
    CHECK(b.label->Text() == b.FittedLabel());
    b.files->SetItemIndex(0);

    int changes = 0;
    b.dir->OnChange = [&changes](TObject*) { ++changes; };
    DoubleClickRow(*b.dir, b.Row(u"vnutorny priecinok s dlhym nazvom"));
    CHECK(b.dir->Directory() == temp.File(u"vnutorny priecinok s dlhym nazvom"));
    CHECK(b.dir->Item(b.dir->ItemIndex()) == u"vnutorny priecinok s dlhym nazvom");
    CHECK(b.dir->RowKind(b.dir->ItemIndex()) == FolderKind::Current);
    CHECK(b.files->Directory() == temp.File(u"vnutorny priecinok s dlhym nazvom"));
    CHECK(Rows(*b.files) == std::vector<std::u16string>{u"x.jpg"});
    CHECK(b.files->Mask() == "*.jpg");
    CHECK(b.files->FileName() == u"");
    CHECK(b.label->Text() == b.FittedLabel());
    CHECK(b.label->Text() != b.dir->Directory());  // too long for the label: shortened
    CHECK(changes == 1);

    // The current folder's own row changes nothing and re-reads nothing.
    DoubleClickRow(*b.dir, b.dir->ItemIndex());
    CHECK(changes == 1);

    // Enter opens the selected row too: here the parent.
    int parent = b.dir->ItemIndex() - 1;
    b.dir->SetItemIndex(parent);
    SendMessageA(b.dir->Handle(), WM_CHAR, VK_RETURN, 0);
    CHECK(b.dir->Directory() == temp.Path());
    CHECK(b.files->Directory() == temp.Path());
    CHECK(changes == 2);
}

TEST_CASE("folder list: a folder that cannot be entered raises the I/O error and changes nothing") {
    TempFolder temp;
    MakeFolder(temp.File(u"zmizne"));
    MakeFile(temp.File(u"a.jpg"));
    Browser b;
    b.files->SetMask("*.jpg");
    b.dir->SetDirectory(temp.Path());
    const std::vector<std::u16string> rows = Rows(*b.dir), fileRows = Rows(*b.files);
    const std::u16string caption = b.label->Text();

    auto unchanged = [&] {
        CHECK(b.dir->Directory() == temp.Path());
        CHECK(Rows(*b.dir) == rows);
        CHECK(b.files->Directory() == temp.Path());
        CHECK(Rows(*b.files) == fileRows);
        CHECK(b.label->Text() == caption);
    };
    SUBCASE("a stale row, double-clicked") {
        RemoveDirectoryW(WidePtr(temp.File(u"zmizne")));
        CaptureErrors errors;
        DoubleClickRow(*b.dir, b.Row(u"zmizne"));
        REQUIRE(errors.texts.size() == 1);
        CHECK(errors.texts[0] == ErrorBoxText(Wide(EInOutError::MessageFor(ERROR_FILE_NOT_FOUND))));
        unchanged();
    }
    SUBCASE("a path longer than the platform's limit") {
        // Built with the wide calls, which take such paths.
        std::u16string deep = u"\\\\?\\" + temp.Path();
        std::vector<std::u16string> made;
        while (deep.size() < 300) {
            deep += Wide("\\dlhy_nazov_priecinka_" + std::to_string(made.size()));
            CreateDirectoryW(WidePtr(deep), nullptr);
            made.push_back(deep);
        }
        CHECK_THROWS_AS(b.dir->SetDirectory(deep.substr(4)), EInOutError);
        unchanged();
        for (auto it = made.rbegin(); it != made.rend(); ++it) {
            RemoveDirectoryW(WidePtr(*it));
        }
    }
    SUBCASE("the file list's own folder vanished") {
        MakeFolder(temp.File(u"zmizne\\b"));
        b.files->SetDirectory(temp.File(u"zmizne\\b"));
        MakeFile(temp.File(u"zmizne\\b\\c.jpg"));
        b.files->Update();
        CHECK(Rows(*b.files) == std::vector<std::u16string>{u"c.jpg"});
        // Away from it first: the platform keeps the current folder open.
        SetCurrentDirectoryW(WidePtr(temp.Path()));
        DeleteFileW(WidePtr(temp.File(u"zmizne\\b\\c.jpg")));
        RemoveDirectoryW(WidePtr(temp.File(u"zmizne\\b")));
        int changes = 0;
        b.files->OnChange = [&changes](TObject*) { ++changes; };
        CHECK_THROWS_AS(b.files->Update(), EInOutError);
        CHECK(Rows(*b.files) == std::vector<std::u16string>{u"c.jpg"});
        CHECK(changes == 0);
    }
}

TEST_CASE("file list: what a mask lists, in what order, with which glyph") {
    TempFolder temp;
    for (const char16_t* name : {u"Zz.jpg", u"A.JPG", u"b.jpeg", u"c.txt", u"x.exe", u"r.jpg"}) MakeFile(temp.File(name));
    MakeFile(temp.File(u"h.jpg"), FILE_ATTRIBUTE_HIDDEN);
    MakeFile(temp.File(u"s.jpg"), FILE_ATTRIBUTE_SYSTEM);
    SetFileAttributesW(WidePtr(temp.File(u"r.jpg")), FILE_ATTRIBUTE_READONLY);
    MakeFolder(temp.File(u"priecinok.jpg"));
    Browser b;
    b.dir->SetDirectory(temp.Path());
    const std::vector<std::u16string> pictures{u"A.JPG", u"b.jpeg", u"r.jpg", u"Zz.jpg"};

    b.files->SetMask("*.jpg;*.jpeg");
    CHECK(Rows(*b.files) == pictures);
    for (int i = 0; i < b.files->Count(); ++i) CHECK(b.files->RowGlyph(i) == FileGlyph::Other);
    // Each row colour gets the glyph on its own background, whichever came first.
    for (bool selected : {false, true, false})
        CHECK(GlyphDrawnAt(*b.files, ODT_LISTBOX, 0, b.files->ClientWidth(), b.files->ItemHeight(), "UNKNOWNFILE", 2,
                           selected));
    b.files->SetMask("*.jpg;*.jpeg;");
    CHECK(Rows(*b.files) == pictures);
    b.files->SetMask("*.jpeg;;*.JPEG");
    CHECK(Rows(*b.files) == std::vector<std::u16string>{u"b.jpeg", u"b.jpeg"});
    b.files->SetMask("*.nic");
    CHECK(b.files->Count() == 0);
    b.files->SetMask("*.exe");
    REQUIRE(b.files->Count() == 1);
    CHECK(b.files->RowGlyph(0) == FileGlyph::Program);
    CHECK(GlyphDrawnAt(*b.files, ODT_LISTBOX, 0, b.files->ClientWidth(), b.files->ItemHeight(), "EXECUTABLE", 2));

    SUBCASE("the selected file's path, and a mask written again") {
        b.files->SetMask("*.jpg");
        CHECK(b.files->FileName() == u"");
        int changes = 0;
        b.files->OnChange = [&changes](TObject*) { ++changes; };
        ClickRow(*b.files, 1);
        CHECK(b.files->FileName() == temp.File(u"r.jpg"));
        CHECK(changes == 1);
        b.files->SetMask("*.jpg");
        CHECK(changes == 1);
        CHECK(b.files->ItemIndex() == 1);
    }
    SUBCASE("folders when asked for") {
        b.files->SetMask("*.jpg");
        b.files->SetFileType(ftDirectory);
        CHECK(Rows(*b.files) == std::vector<std::u16string>{u"[priecinok.jpg]"});
        CHECK(b.files->RowGlyph(0) == FileGlyph::Folder);
        b.files->SetFileType(ftNormal | ftHidden);
        CHECK(Rows(*b.files) == std::vector<std::u16string>{u"A.JPG", u"h.jpg", u"r.jpg", u"Zz.jpg"});
    }
    SetFileAttributesW(WidePtr(temp.File(u"r.jpg")), FILE_ATTRIBUTE_NORMAL);
}

TEST_CASE("file list: entering a folder lists exactly what the list's own pattern searches list") {
    TempFolder temp;
    // Upper case, double extensions, a dot-name, a name whose 8.3 form ends
    // in .JPG, no extension, spaces, a hidden file and folders.
    for (const char16_t* name : {u"A.JPG", u"b.jpeg", u"c.jpgx", u"d.jpg.txt", u".jpg", u"e.JpG", u"f.jpeg.jpg", u"g",
                             u"dlhy nazov suboru.jpg", u"x.bmp", u"obr.ICO", u"kresba.emf"})
        MakeFile(temp.File(name));
    MakeFile(temp.File(u"h.jpg"), FILE_ATTRIBUTE_HIDDEN);
    MakeFolder(temp.File(u"priecinok.jpg"));
    MakeFolder(temp.File(u"sub"));
    const std::u16string parent = temp.Path().substr(0, temp.Path().find_last_of('\\'));
    for (const char* mask : {"*.jpg;*.jpeg", "*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf", "*.JPEG;*.jpeg", "*.j?g", "*.*"})
        for (TFileType type : {ftNormal, ftNormal | ftDirectory | ftHidden}) {
            CAPTURE(mask);
            CAPTURE(type);
            Browser b;
            b.files->SetMask(mask);
            b.files->SetFileType(type);
            b.dir->SetDirectory(parent);
            b.dir->SetDirectory(temp.Path());
            const std::vector<std::u16string> entered = Rows(*b.files);
            b.files->Update();
            CHECK(entered == Rows(*b.files));
            CHECK(b.dir->Item(b.dir->Count() - 1) == u"sub");
        }
}

TEST_CASE("file list: the scroll bar that comes with a folder's rows is painted") {
    TempFolder temp;
    MakeFolder(temp.File(u"prazdny"));
    for (int i = 0; i < 60; ++i) MakeFile(temp.File(u"obr" + Wide(std::to_string(i)) + u".jpg"));
    Browser b;
    b.dir->SetDirectory(temp.File(u"prazdny"));
    Pump();
    b.dir->SetDirectory(temp.Path());
    Pump();
    // The bar takes the right edge of what was the client area, which showed
    // the list's background before.
    const HWND list = b.files->Handle();
    REQUIRE((GetWindowLongW(list, GWL_STYLE) & WS_VSCROLL) != 0);
    RECT window, client;
    GetWindowRect(list, &window);
    GetClientRect(list, &client);
    POINT bar{client.right + GetSystemMetrics(SM_CXVSCROLL) / 2, 0};
    MapWindowPoints(list, nullptr, &bar, 1);
    const HDC dc = GetWindowDC(list);
    const COLORREF background = GetSysColor(COLOR_WINDOW);
    int other = 0;
    for (int y = 0; y < window.bottom - window.top; ++y) other += GetPixel(dc, bar.x - window.left, y) != background;
    ReleaseDC(list, dc);
    // Arrows, thumb and half the dithered track differ from it; unpainted, only the border does.
    CHECK(other > (window.bottom - window.top) / 3);
}

TEST_CASE("file list: names in any script, whole, in the locale's order, case ignored") {
    TempFolder temp;
    const char16_t* names[] = {u"hora.jpg", u"chata.jpg", u"cesta.jpg", u"čaj.jpg", u"Ďaleko.jpg", u"dom.jpg", u"_x.jpg",
                           u"10.jpg", u"9.jpg", u"a-b.jpg", u"ab.jpg", u"Šťava.jpg", u"sova.jpg", u"zima.jpg", u"Žaba.jpg",
                               u"фото.jpg", u"Ωμέγα.jpg", u"写真.jpg", u"smile 😀.jpg", u"Фото 2.jpg"};
    for (const char16_t* name : names) MakeFile(temp.File(name));
    Browser b;
    b.files->SetMask("*.jpg");
    b.dir->SetDirectory(temp.Path());
    std::vector<std::u16string> rows = Rows(*b.files);
    CHECK(rows.size() == std::size(names));
    for (const char16_t* name : names) CHECK(std::find(rows.begin(), rows.end(), name) != rows.end());
    CHECK(SortedIgnoringCase(rows));
}

TEST_CASE("file list: a user's selection reports the click, then the change when it moved") {
    TempFolder temp;
    for (const char16_t* name : {u"a.jpg", u"b.jpg", u"c.jpg"}) MakeFile(temp.File(name));
    Browser b;
    b.files->SetMask("*.jpg");
    b.dir->SetDirectory(temp.Path());
    CHECK(b.files->LastSelection() == -1);
    std::vector<std::u16string> events;
    b.files->OnClick = [&events](TObject*) { events.push_back(u"click"); };
    b.files->OnChange = [&events](TObject*) { events.push_back(u"change"); };

    ClickRow(*b.files, 1);
    CHECK(events == std::vector<std::u16string>{u"click", u"change"});
    CHECK(b.files->LastSelection() == 1);
    events.clear();
    SendMessageA(b.files->Handle(), WM_KEYDOWN, VK_DOWN, 0);
    CHECK(events == std::vector<std::u16string>{u"click", u"change"});
    CHECK(b.files->FileName() == temp.File(u"c.jpg"));
    events.clear();
    // Already at the last row: nothing moved, no change is reported.
    SendMessageA(b.files->Handle(), WM_KEYDOWN, VK_DOWN, 0);
    CHECK(std::count(events.begin(), events.end(), u"change") == 0);

    // A typed letter selects the next row starting with it, and reports it.
    events.clear();
    SendMessageA(b.files->Handle(), WM_CHAR, 'A', 0);
    CHECK(b.files->FileName() == temp.File(u"a.jpg"));
    CHECK(events == std::vector<std::u16string>{u"click", u"change"});

    bool doubled = false;
    b.files->OnDblClick = [&doubled](TObject*) { doubled = true; };
    DoubleClickRow(*b.files, 0);
    CHECK(doubled);
}

TEST_CASE("filter selector: rows, mask and the linked file list") {
    Browser b;
    TFilterComboBox& f = *b.filter;
    int changes = 0;
    f.OnChange = [&changes](TObject*) { ++changes; };

    f.SetFilter("A|*.a|B|*.b");
    CHECK(Rows(f) == std::vector<std::u16string>{u"A", u"B"});
    CHECK(f.ItemIndex() == 0);
    CHECK(f.Mask() == "*.a");
    CHECK(changes == 1);
    f.SetFilter("a|*.A|b|*.B");  // the same, ignoring case
    CHECK(Rows(f) == std::vector<std::u16string>{u"A", u"B"});
    CHECK(changes == 1);
    f.SetItemIndex(-1);
    CHECK(f.Mask() == "*.b");
    CHECK(f.ItemIndex() == 1);

    f.SetFilter("A|*.a|B");
    CHECK(Rows(f) == std::vector<std::u16string>{u"A"});
    f.SetFilter("");
    CHECK(f.Count() == 0);
    CHECK(f.Mask() == "*.*");

    f.SetFilter("Obrázky|*.jpg;*.bmp|Ikony|*.ico");
    f.SetFileList(b.files.get());
    // Each way of picking notifies once per pick, from the box's own
    // notifications.
    for (PickBy way : {PickBy::Mouse, PickBy::DroppedKeys, PickBy::ClosedArrows}) {
        CAPTURE(int(way));
        changes = 0;
        PickRow(f, 1, way);
        CHECK(b.files->Mask() == "*.ico");
        CHECK(changes == 1);
        PickRow(f, 0, way);
        CHECK(b.files->Mask() == "*.jpg;*.bmp");
        CHECK(changes == 2);
    }
    // Rows passed in the dropped list pick nothing; Esc puts the row back.
    changes = 0;
    SendMessageA(f.Handle(), CB_SHOWDROPDOWN, TRUE, 0);
    SendMessageA(f.Handle(), WM_KEYDOWN, VK_DOWN, 0);
    CHECK(changes == 0);
    SendMessageA(f.Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    CHECK(changes == 0);
    CHECK(f.ItemIndex() == 0);
    CHECK(f.Mask() == "*.jpg;*.bmp");
    b.files.reset();
    CHECK(f.FileList() == nullptr);
    CHECK(b.dir->FileList() == nullptr);
}

TEST_CASE("drive selector: rows, glyphs and the drive switch") {
    TempFolder temp;
    Browser b;
    b.dir->SetDirectory(temp.Path());
    TDriveComboBox& d = *b.disk;
    std::vector<std::u16string> rows = Rows(d);
    int c = -1;
    for (int i = 0; i < int(rows.size()); ++i) {
        CHECK(rows[i].size() >= 2);
        CHECK(rows[i][1] == ':');
        if (rows[i][0] == 'c') c = i;
    }
    REQUIRE(c >= 0);
    CHECK(rows[c].rfind(u"c: [", 0) == 0);
    CHECK(rows[c].back() == ']');
    CHECK(d.RowGlyph(c) == DriveGlyph::Hard);
    CHECK(d.Drive() == 'c');
    CHECK(d.ItemIndex() == c);
    CHECK(GlyphDrawnAt(d, ODT_COMBOBOX, c, 300, d.ItemHeight(), "HARD", 2));
    CHECK(d.Height() == 19);

    int changes = 0;
    d.OnChange = [&changes](TObject*) { ++changes; };
    PickRow(d, c);  // the selected drive again: nothing
    CHECK(changes == 0);
    CHECK(b.dir->Directory() == temp.Path());

    int other = c + 1 < int(rows.size()) ? c + 1 : c - 1;
    if (other >= 0) {
        for (PickBy way : {PickBy::Mouse, PickBy::DroppedKeys, PickBy::ClosedArrows}) {
            CAPTURE(int(way));
            changes = 0;
            PickRow(d, other, way);
            CHECK(changes == 1);
            CHECK(std::toupper(b.dir->Directory()[0]) == std::toupper(rows[other][0]));
            CHECK(b.files->Directory() == b.dir->Directory());
            CHECK(std::toupper(b.label->Text()[0]) == std::toupper(rows[other][0]));
            PickRow(d, c, way);
            CHECK(changes == 2);
            CHECK(b.dir->Directory()[0] == 'C');
        }
    }
    // The folder list's own drive change moves the selector along.
    b.dir->SetDirectory(temp.Path());
    CHECK(d.Drive() == 'c');

    d.SetTextCase(TTextCase::tcUpperCase);
    CHECK(d.Drive() == 'C');
    CHECK(d.Item(d.ItemIndex()).rfind(u"C: [", 0) == 0);
    b.dir.reset();
    CHECK(d.DirList() == nullptr);
}

TEST_CASE("IsExistingFile: any entry that is not a folder, whatever its time") {
    TempFolder temp;
    MakeFile(temp.File(u"stary.jpg"));
    MakeFile(temp.File(u"buduci.jpg"));
    MakeFile(temp.File(u"dnes.jpg"));
    SetWriteTime(temp.File(u"stary.jpg"), 1970);
    SetWriteTime(temp.File(u"buduci.jpg"), 2200);
    CHECK(IsExistingFile(temp.File(u"dnes.jpg")));
    CHECK(IsExistingFile(temp.File(u"stary.jpg")));
    CHECK(IsExistingFile(temp.File(u"buduci.jpg")));
    CHECK_FALSE(IsExistingFile(u""));
    CHECK_FALSE(IsExistingFile(temp.Path()));
    CHECK_FALSE(IsExistingFile(temp.File(u"nie.jpg")));
    CHECK_FALSE(IsExistingFile(temp.File(u"*.jpg")));
}

TEST_CASE("the current folder helpers report refusals as I/O errors") {
    TempFolder temp;
    EnterFolder(temp.Path());
    CHECK(CurrentFolder() == temp.Path());
    CHECK(FolderExists(temp.Path()));
    CHECK_FALSE(FolderExists(temp.File(u"nie")));
    try {
        EnterFolder(temp.File(u"nie"));
        FAIL(u"no error");
    } catch (const EInOutError& e) {
        CHECK(e.ErrorCode() == ERROR_FILE_NOT_FOUND);
        CHECK(e.Message() == u"File not found");
    }
    {
        CurrentFolderKeeper keep;
        EnterFolder(u"C:\\");
    }
    CHECK(CurrentFolder() == temp.Path());
}
