#include "browse/drive_combo_box.h"

#include <windows.h>
#include <winnetwk.h>

#include <algorithm>

#include "browse/current_folder.h"
#include "browse/directory_list_box.h"
#include "platform/text.h"
#include "ui/fonts.h"
#include "ui/glyph.h"
#include "ui/owner_draw.h"
#include "ui/scope.h"

namespace {
const char* const kGlyphNames[] = {"FLOPPY", "HARD", "NETWORK", "CDROM", "RAM"};

char16_t UpperLetter(char16_t c) { return c >= u'a' && c <= u'z' ? char16_t(c - u'a' + u'A') : c; }
char16_t LowerLetter(char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c - u'A' + u'a') : c; }

// Turns text to the case of the drive letter, by the locale's rules.
std::u16string InCaseOf(char16_t letter, std::u16string text) {
    if (text.empty()) return text;
    if (letter >= u'a')
        CharLowerBuffW(WidePtr(text), DWORD(text.size()));
    else
        CharUpperBuffW(WidePtr(text), DWORD(text.size()));
    return text;
}

bool GlyphOf(unsigned type, DriveGlyph& glyph) {
    switch (type) {
        case DRIVE_REMOVABLE: glyph = DriveGlyph::Floppy; return true;
        case DRIVE_FIXED: glyph = DriveGlyph::Hard; return true;
        case DRIVE_REMOTE: glyph = DriveGlyph::Network; return true;
        case DRIVE_CDROM: glyph = DriveGlyph::CdRom; return true;
        case DRIVE_RAMDISK: glyph = DriveGlyph::Ram; return true;
        default: return false;
    }
}

std::u16string VolumeLabel(const WCHAR* root) {
    // No critical-error box for a drive without a medium.
    ScopeExit errorBoxes([old = SetErrorMode(SEM_FAILCRITICALERRORS)] { SetErrorMode(old); });
    WCHAR label[261] = {};
    if (!GetVolumeInformationW(root, label, 261, nullptr, nullptr, nullptr, nullptr, 0)) return u"";
    return FromWide(label);
}

bool RemoteName(char16_t letter, std::u16string& out) {
    const WCHAR local[3] = {WCHAR(UpperLetter(letter)), L':', 0};
    WCHAR remote[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    if (WNetGetConnectionW(local, remote, &size) != NO_ERROR) return false;
    out = FromWide(remote);
    return true;
}
}  // namespace

std::u16string DriveRowText(char16_t letter, unsigned driveType, const std::u16string& label,
                            const std::u16string& remote) {
    DriveGlyph glyph;
    if (!GlyphOf(driveType, glyph)) return u"";
    std::u16string head = std::u16string(1, letter) + u":";
    if (driveType == DRIVE_REMOVABLE) return head;
    std::u16string volume = u"[" + InCaseOf(letter, label) + u"]";
    if (driveType == DRIVE_REMOTE && !remote.empty()) return head + u" " + InCaseOf(letter, remote);
    return head + u" " + volume;
}

TDriveComboBox::TDriveComboBox(TControl* parent, const ComboBoxSettings& s) : TComboBox(parent, s) {
    for (int i = 0; i < 5; ++i) glyphs_[i] = LoadResourceBitmap(kGlyphNames[i]);
    SetItemHeight(RowHeight());
    FitClosedHeight(s.height);
    std::u16string current = CurrentFolder();
    drive_ = current.empty() || current[0] == u'\\' ? 0 : current[0];
    FillDrives();
}

TDriveComboBox::~TDriveComboBox() {
    if (dirList_) dirList_->driveCombo_ = nullptr;
}

int TDriveComboBox::RowHeight() const { return std::max(TextHeight(Font()), 11); }

void TDriveComboBox::FontChanged() { SetItemHeight(RowHeight()); }

void TDriveComboBox::AddDrive(int bit) {
    char16_t letter = char16_t(u'a' + bit);
    const WCHAR root[4] = {WCHAR(letter), L':', L'\\', 0};
    UINT type = GetDriveTypeW(root);
    if (textCase_ == TTextCase::tcUpperCase) letter = UpperLetter(letter);
    DriveGlyph glyph;
    if (!GlyphOf(type, glyph)) return;
    std::u16string label, remote;
    if (type == DRIVE_REMOTE) RemoteName(letter, remote);
    // A removable drive is never touched: no disk spins up for the list.
    if (type != DRIVE_REMOVABLE && remote.empty()) label = VolumeLabel(root);
    Add(DriveRowText(letter, type, label, remote), uintptr_t(glyph));
}

void TDriveComboBox::FillDrives() {
    Clear();
    DWORD drives = GetLogicalDrives();
    for (int bit = 0; bit < 26; ++bit)
        if (drives & (DWORD(1) << bit)) AddDrive(bit);
    SetDrive(drive_);
}

void TDriveComboBox::SetTextCase(TTextCase c) {
    textCase_ = c;
    FillDrives();
}

void TDriveComboBox::SetDirList(TDirectoryListBox* list) {
    if (list == dirList_) return;
    if (dirList_) dirList_->driveCombo_ = nullptr;
    dirList_ = list;
    if (!list) return;
    if (list->driveCombo_) list->driveCombo_->dirList_ = nullptr;
    list->driveCombo_ = this;
}

void TDriveComboBox::SetDrive(char16_t letter) {
    if (ItemIndex() >= 0 && UpperLetter(letter) == UpperLetter(drive_)) return;
    if (letter) {
        drive_ = textCase_ == TTextCase::tcUpperCase ? UpperLetter(letter) : LowerLetter(letter);
        for (int i = 0, n = Count(); i < n; ++i) {
            std::u16string text = Item(i);
            if (text.size() >= 2 && UpperLetter(text[0]) == UpperLetter(drive_) && text[1] == u':') {
                SetItemIndex(i);
                break;
            }
        }
    } else {
        drive_ = 0;
        SetItemIndex(-1);
    }
    if (dirList_) dirList_->EnterDrive(drive_);
    if (OnChange) OnChange(this);
}

void TDriveComboBox::SelectionChanged() {
    int i = ItemIndex();
    if (i < 0) return;
    std::u16string text = Item(i);
    if (!text.empty()) SetDrive(text[0]);
}

void TDriveComboBox::DrawRow(HDC dc, int index, const RECT& row, bool selected) {
    FillItemBackground(dc, row, selected);
    if (index < 0) return;
    uintptr_t g = ItemData(index);
    int width = g < 5 ? itemGlyphs_.Draw(dc, glyphs_[g].get(), row.left + 2, row) : 0;
    RECT text = row;
    text.left += (width ? width : 16) + 6;
    const std::u16string caption = Item(index);
    DrawTextW(dc, WidePtr(caption), int(caption.size()), &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}
