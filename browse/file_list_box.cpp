#include "browse/file_list_box.h"

#include <windows.h>

#include <algorithm>

#include "browse/current_folder.h"
#include "browse/directory_list_box.h"
#include "browse/filter_combo_box.h"
#include "browse/find_handle.h"
#include "browse/folder_search.h"
#include "browse/name_order.h"
#include "browse/path_rules.h"
#include "platform/exceptions.h"
#include "platform/text.h"
#include "ui/application.h"
#include "ui/fonts.h"
#include "ui/glyph.h"
#include "ui/owner_draw.h"
#include "ui/scope.h"

namespace {
const unsigned kAttributeBits = 0x3F;
const unsigned kHiddenKinds = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | 0x08 | FILE_ATTRIBUTE_DIRECTORY;
}  // namespace

namespace {
// ASCII case folding is enough here: the program extensions are ASCII.
bool SameAscii(const char16_t* a, const char* b) {
    for (; *a && *b; ++a, ++b) {
        char16_t x = *a >= u'A' && *a <= u'Z' ? char16_t(*a - u'A' + u'a') : *a;
        if (x != char16_t(*b)) return false;
    }
    return *a == 0 && *b == 0;
}
}  // namespace

bool IsProgramName(const std::u16string& name) {
    size_t dot = name.find_last_of(u".\\");
    if (dot == std::u16string::npos || name[dot] != u'.') return false;
    const char16_t* ext = name.c_str() + dot;
    return SameAscii(ext, ".exe") || SameAscii(ext, ".com") || SameAscii(ext, ".bat") || SameAscii(ext, ".pif");
}

TFileListBox::TFileListBox(TControl* parent, const FileListSettings& s)
    : TListBox(parent, s),
      showGlyphs_(s.showGlyphs),
      folderGlyph_(LoadResourceBitmap("CLOSEDFOLDER")),
      programGlyph_(LoadResourceBitmap("EXECUTABLE")),
      otherGlyph_(LoadResourceBitmap("UNKNOWNFILE")) {
    SetItemHeight(RowHeight());
    directory_ = CurrentFolder();
    ReadFiles();
}

TFileListBox::~TFileListBox() {
    if (dirList_) dirList_->fileList_ = nullptr;
    if (filterCombo_) filterCombo_->fileList_ = nullptr;
}

int TFileListBox::RowHeight() const {
    int h = TextHeight(Font());
    return showGlyphs_ ? std::max(h, 16) : h;
}

void TFileListBox::FontChanged() { SetItemHeight(RowHeight()); }

std::u16string TFileListBox::FileName() const {
    int i = ItemIndex();
    return i < 0 ? std::u16string() : JoinPath(directory_, Item(i));
}

void TFileListBox::SetDirectory(const std::u16string& path, const FolderSearch* search) {
    if (lstrcmpiW(WidePtr(path), WidePtr(directory_)) == 0) return;
    if (FolderExists(directory_)) EnterFolder(directory_);
    EnterFolder(path);
    directory_ = CurrentFolder();
    ReadFiles(search);
}

void TFileListBox::SetMask(const std::string& mask) {
    if (mask == mask_) return;
    mask_ = mask;
    ReadFiles();
}

void TFileListBox::SetFileType(TFileType type) {
    if (type == fileType_) return;
    fileType_ = type;
    ReadFiles();
}

void TFileListBox::SetShowGlyphs(bool on) {
    showGlyphs_ = on;
    if (on && ItemHeight() < 16) SetItemHeight(16);
    Invalidate();
}

void TFileListBox::Update() { ReadFiles(); }

void TFileListBox::AddEntry(const std::u16string& name, unsigned attrs, unsigned asked,
                            std::vector<Entry>& entries) {
    if (attrs & kHiddenKinds & ~asked) return;
    if (!(fileType_ & ftNormal) && !(attrs & asked)) return;
    Entry e;
    if (attrs & FILE_ATTRIBUTE_DIRECTORY) {
        e.row.text = u"[" + name + u"]";
        e.row.glyph = showGlyphs_ ? FileGlyph::Folder : FileGlyph::None;
    } else {
        e.row.text = name;
        e.row.glyph = IsProgramName(e.row.text) ? FileGlyph::Program : FileGlyph::Other;
    }
    e.key = SortKey(e.row.text);
    entries.push_back(std::move(e));
    // A long list shows the hourglass for the rest of the read.
    if (entries.size() == 101) Application->SetCursor(TCursor::crHourGlass);
}

void TFileListBox::ReadPattern(const std::string& pattern, unsigned asked, std::vector<Entry>& entries) {
    WIN32_FIND_DATAW fd;
    FindHandle find(WidePtr(Wide(pattern)), fd);
    if (!find) return;
    do {
        AddEntry(FromWide(fd.cFileName), fd.dwFileAttributes, asked, entries);
    } while (find.Next(fd));
}

// What the pattern searches would have returned, pattern by pattern, each in
// the platform's order.
void TFileListBox::TakeFound(const FolderSearch& search, unsigned asked, std::vector<Entry>& entries) {
    for (size_t i = 0; i < search.extensions.size(); ++i)
        for (const FolderEntry& e : search.entries)
            if (e.patterns >> i & 1) AddEntry(e.name, e.attributes, asked, entries);
}

// The rows are sorted here, by sort keys computed once per entry: the system
// list's own sorted insertion compares strings a dozen times per row, which
// is several times slower than the read itself. The list keeps the rows; the
// system list is told only their count.
void TFileListBox::ReadFiles(const FolderSearch* search) {
    if (!Handle()) return;
    unsigned asked = fileType_ & kAttributeBits;
    EnterFolder(directory_);
    {
        RedrawGuard redraw(Handle());
        Clear();
        rows_.clear();
        // The pointer as it is now comes back when the read ends.
        PointerScope pointer(Application->Cursor());
        std::vector<Entry> entries;
        const std::vector<std::string> plain = PlainExtensions(mask_);
        if (search && !plain.empty() && plain == search->extensions) {
            TakeFound(*search, asked, entries);
        } else {
            for (const std::string& pattern : SplitMask(mask_))
                if (!pattern.empty()) ReadPattern(pattern, asked, entries);
        }
        std::stable_sort(entries.begin(), entries.end(),
                         [](const Entry& a, const Entry& b) { return a.key < b.key; });
        rows_.reserve(entries.size());
        for (Entry& e : entries) rows_.push_back(std::move(e.row));
        SetRowCount(int(rows_.size()));
    }
    Change();
}

std::u16string TFileListBox::Item(int index) const {
    return size_t(index) < rows_.size() ? rows_[size_t(index)].text : std::u16string();
}

FileGlyph TFileListBox::RowGlyph(int index) const {
    return size_t(index) < rows_.size() ? rows_[size_t(index)].glyph : FileGlyph::None;
}

void TFileListBox::Change() {
    lastSelection_ = ItemIndex();
    if (OnChange) OnChange(this);
}

void TFileListBox::Notify(WORD code) {
    if (code != LBN_SELCHANGE) return;
    Click();
    if (ItemIndex() != lastSelection_) Change();
}

// A typed character selects the next row that starts with it, as the
// system list does for the rows it keeps itself.
void TFileListBox::SelectByFirstLetter(char16_t key) {
    int n = Count();
    if (n == 0) return;
    int from = ItemIndex();
    const WCHAR typed = WCHAR(key);
    for (int step = 1; step <= n; ++step) {
        int i = (from + step + n) % n;
        const std::u16string& text = rows_[size_t(i)].text;
        if (!text.empty() &&
            CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, &typed, 1, WidePtr(text), 1) == CSTR_EQUAL) {
            SetItemIndex(i);
            Notify(LBN_SELCHANGE);
            return;
        }
    }
}

LRESULT TFileListBox::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg != WM_CHAR) return TListBox::WndProc(msg, wp, lp);
    char16_t key = char16_t(wp);
    if (OnKeyPress) OnKeyPress(this, key);
    if (key >= u' ') SelectByFirstLetter(key);
    return 0;
}

void TFileListBox::DrawRow(HDC dc, int index, const RECT& row, bool selected) {
    FillItemBackground(dc, row, selected);
    int offset = 2;
    if (showGlyphs_) {
        HBITMAP glyph = nullptr;
        switch (RowGlyph(index)) {
            case FileGlyph::Folder: glyph = folderGlyph_.get(); break;
            case FileGlyph::Program: glyph = programGlyph_.get(); break;
            case FileGlyph::Other: glyph = otherGlyph_.get(); break;
            case FileGlyph::None: break;
        }
        if (int width = itemGlyphs_.Draw(dc, glyph, row.left + 2, row)) offset = width + 6;
    }
    const std::u16string text = Item(index);
    TextOutW(dc, row.left + offset, row.top, WidePtr(text), int(text.size()));
}
