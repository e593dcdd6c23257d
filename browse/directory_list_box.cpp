#include "browse/directory_list_box.h"

#include <windows.h>

#include <algorithm>

#include "browse/current_folder.h"
#include "browse/drive_combo_box.h"
#include "browse/existing_file.h"
#include "browse/file_list_box.h"
#include "browse/name_order.h"
#include "platform/text.h"
#include "ui/fonts.h"
#include "ui/glyph.h"
#include "ui/label.h"
#include "ui/owner_draw.h"
#include "ui/scope.h"

namespace {
const DWORD kVolumeLabel = 0x08;

char16_t UpperLetter(char16_t c) { return c >= u'a' && c <= u'z' ? char16_t(c - u'a' + u'A') : c; }
}  // namespace

void CheckFolderPath(const std::u16string& path) {
    CurrentFolderKeeper keep;
    std::u16string drive = DrivePart(path);
    std::u16string rest = path.substr(drive.size());
    if (!drive.empty()) EnterFolder(drive);
    size_t cut = rest.find_last_of(u'\\');
    std::u16string last = cut == std::u16string::npos ? rest : rest.substr(cut + 1);
    if (cut != std::u16string::npos) EnterFolder(cut == 0 ? std::u16string(u"\\") : rest.substr(0, cut));
    if (!last.empty() && last.find_first_of(u"*?") == std::u16string::npos && !IsExistingFile(last))
        EnterFolder(last);
    // The wide calls enter a folder whose path is too long to be read back.
    CurrentFolder();
}

TDirectoryListBox::TDirectoryListBox(TControl* parent, const ListBoxSettings& s)
    : TListBox(parent, s),
      openGlyph_(LoadResourceBitmap("OPENFOLDER")),
      currentGlyph_(LoadResourceBitmap("CURRENTFOLDER")),
      closedGlyph_(LoadResourceBitmap("CLOSEDFOLDER")) {
    SetItemHeight(RowHeight());
    directory_ = CurrentFolder();
    FillFolders();
}

TDirectoryListBox::~TDirectoryListBox() {
    if (driveCombo_) driveCombo_->dirList_ = nullptr;
    if (fileList_) fileList_->dirList_ = nullptr;
}

int TDirectoryListBox::RowHeight() const { return std::max(TextHeight(Font()), 16); }

void TDirectoryListBox::FontChanged() { SetItemHeight(RowHeight()); }

void TDirectoryListBox::ReadVolumeFlags(const std::u16string& root) {
    DWORD flags = 0;
    if (GetVolumeInformationW(WidePtr(root), nullptr, 0, nullptr, nullptr, &flags, nullptr, 0)) {
        volumeKeepsCase_ = flags & (FILE_CASE_PRESERVED_NAMES | FILE_CASE_SENSITIVE_SEARCH);
        volumeCaseSensitive_ = flags & FILE_CASE_SENSITIVE_SEARCH;
    } else {
        // Unknown volume: show names as they are stored.
        volumeKeepsCase_ = true;
        volumeCaseSensitive_ = false;
    }
}

std::vector<std::u16string> TDirectoryListBox::Subfolders() const {
    struct Name {
        std::string key;
        std::u16string text;
    };
    std::vector<Name> names;
    const DWORD skipped = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | kVolumeLabel;
    for (const FolderEntry& e : search_.entries) {
        if (!(e.attributes & FILE_ATTRIBUTE_DIRECTORY) || (e.attributes & skipped)) continue;
        if (e.name == u"." || e.name == u"..") continue;
        names.push_back({SortKey(e.name), e.name});
    }
    // Sorted ignoring case; a name equal to another but for case is dropped.
    std::stable_sort(names.begin(), names.end(), [](const Name& a, const Name& b) { return a.key < b.key; });
    names.erase(std::unique(names.begin(), names.end(), [](const Name& a, const Name& b) { return a.key == b.key; }),
                names.end());
    std::vector<std::u16string> out;
    for (Name& n : names) out.push_back(std::move(n.text));
    return out;
}

void TDirectoryListBox::FillFolders() {
    RedrawGuard redraw(Handle());
    Clear();
    ReadVolumeFlags(DrivePart(directory_) + u"\\");
    rows_ = FolderRows(directory_);
    int current = int(rows_.size()) - 1;
    // One search serves the file list too, for the mask it has now.
    search_ = SearchFolder(directory_, fileList_ ? PlainExtensions(fileList_->Mask()) : std::vector<std::string>());
    for (std::u16string& name : Subfolders()) rows_.push_back({std::move(name), FolderKind::Closed});
    if (!fileList_) search_ = FolderSearch();
    for (const FolderRow& row : rows_) Add(row.text);
    SetItemIndex(current);
}

bool TDirectoryListBox::SameDirectory(const std::u16string& path) const {
    if (volumeCaseSensitive_) return path == directory_;
    return lstrcmpiW(WidePtr(path), WidePtr(directory_)) == 0;
}

void TDirectoryListBox::SetDirectory(const std::u16string& path) {
    if (path.empty() || SameDirectory(path)) return;
    CheckFolderPath(path);
    char16_t letter = DriveLetter(path);
    if (directory_.empty() || UpperLetter(directory_[0]) != UpperLetter(letter)) {
        ValueRestorer<bool> switching(switchingDrive_, true);
        if (driveCombo_)
            driveCombo_->SetDrive(letter);
        else
            EnterDrive(letter);
    }
    if (FolderExists(directory_)) EnterFolder(directory_);
    std::u16string rest = letter ? path.substr(2) : path;
    if (!rest.empty()) EnterFolder(rest);
    directory_ = CurrentFolder();
    FillFolders();
    NotifyChange();
}

void TDirectoryListBox::Update() {
    FillFolders();
    NotifyChange();
}

void TDirectoryListBox::EnterDrive(char16_t letter) {
    if (!directory_.empty() && UpperLetter(directory_[0]) == UpperLetter(letter)) return;
    if (letter) {
        // The platform keeps the letter's case in the new folder: ask for
        // "C:", so paths read alike whichever case the selector uses.
        EnterFolder(std::u16string(1, UpperLetter(letter)) + u":");
        directory_ = CurrentFolder();
    }
    if (switchingDrive_) return;
    FillFolders();
    NotifyChange();
}

std::u16string TDirectoryListBox::EntryPath(int i) const { return ::EntryPath(directory_, rows_, i); }

void TDirectoryListBox::OpenSelected() {
    int i = ItemIndex();
    if (i >= 0) SetDirectory(EntryPath(i));
}

void TDirectoryListBox::SetFileList(TFileListBox* list) {
    if (list == fileList_) return;
    if (fileList_) fileList_->dirList_ = nullptr;
    fileList_ = list;
    if (!list) return;
    if (list->dirList_) list->dirList_->fileList_ = nullptr;
    list->dirList_ = this;
}

void TDirectoryListBox::SetDirLabel(TLabel* label) {
    dirLabel_ = label;
    ShowPathInLabel();
}

void TDirectoryListBox::NotifyChange() {
    const FolderSearch search = std::move(search_);
    search_ = FolderSearch();
    if (fileList_) fileList_->SetDirectory(directory_, &search);
    ShowPathInLabel();
    if (OnChange) OnChange(this);
}

void TDirectoryListBox::ShowPathInLabel() {
    if (!dirLabel_) return;
    int width = dirLabel_->AutoSize() ? Width() : dirLabel_->Width();
    HFONT font = dirLabel_->Font();
    auto measure = [font](const std::u16string& text) { return TextWidth(font, text); };
    dirLabel_->SetCaption(FitPathToWidth(directory_, measure, width));
}

int TDirectoryListBox::RowIndent(int i) const {
    if (rows_.at(size_t(i)).kind == FolderKind::Closed) return 4 * FolderDepth(directory_) + 6;
    return 4 * i + 2;
}

void TDirectoryListBox::DrawRow(HDC dc, int index, const RECT& row, bool selected) {
    FillItemBackground(dc, row, selected);
    if (size_t(index) >= rows_.size()) return;
    const FolderRow& r = rows_[size_t(index)];
    HBITMAP glyph = r.kind == FolderKind::Open      ? openGlyph_.get()
                    : r.kind == FolderKind::Current ? currentGlyph_.get()
                                                    : closedGlyph_.get();
    int indent = RowIndent(index);
    int width = itemGlyphs_.Draw(dc, glyph, row.left + indent, row);
    std::u16string text = r.text;
    if (!volumeKeepsCase_ && !volumeCaseSensitive_ && !text.empty())
        CharLowerBuffW(WidePtr(text), DWORD(text.size()));
    TextOutW(dc, row.left + width + indent + 4, row.top, WidePtr(text), int(text.size()));
}

void TDirectoryListBox::DblClick() {
    TListBox::DblClick();
    OpenSelected();
}

LRESULT TDirectoryListBox::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_CHAR && wp == VK_RETURN) {
        LRESULT r = TListBox::WndProc(msg, wp, lp);
        OpenSelected();
        return r;
    }
    return TListBox::WndProc(msg, wp, lp);
}
