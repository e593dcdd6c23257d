#include "browse/drive_combo_box.h"

#include <windows.h>
#include <winnetwk.h>

#include <algorithm>

#include "browse/current_folder.h"
#include "browse/directory_list_box.h"
#include "ui/fonts.h"
#include "ui/glyph.h"
#include "ui/owner_draw.h"
#include "ui/scope.h"

namespace {
const char* const kGlyphNames[] = {"FLOPPY", "HARD", "NETWORK", "CDROM", "RAM"};

char UpperLetter(char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }
char LowerLetter(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

// Turns text to the case of the drive letter, by the locale's rules.
std::string InCaseOf(char letter, std::string text) {
    if (text.empty()) return text;
    if (static_cast<unsigned char>(letter) >= 'a')
        CharLowerBuffA(text.data(), DWORD(text.size()));
    else
        CharUpperBuffA(text.data(), DWORD(text.size()));
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

std::string VolumeLabel(const char* root) {
    // No critical-error box for a drive without a medium.
    ScopeExit errorBoxes([old = SetErrorMode(SEM_FAILCRITICALERRORS)] { SetErrorMode(old); });
    char label[261] = {};
    if (!GetVolumeInformationA(root, label, sizeof label, nullptr, nullptr, nullptr, nullptr, 0)) return "";
    return label;
}

bool RemoteName(char letter, std::string& out) {
    char local[3] = {UpperLetter(letter), ':', 0};
    char remote[MAX_PATH] = {};
    DWORD size = sizeof remote;
    if (WNetGetConnectionA(local, remote, &size) != NO_ERROR) return false;
    out = remote;
    return true;
}
}  // namespace

std::string DriveRowText(char letter, unsigned driveType, const std::string& label, const std::string& remote) {
    DriveGlyph glyph;
    if (!GlyphOf(driveType, glyph)) return "";
    std::string head = std::string(1, letter) + ":";
    if (driveType == DRIVE_REMOVABLE) return head;
    std::string volume = "[" + InCaseOf(letter, label) + "]";
    if (driveType == DRIVE_REMOTE && !remote.empty()) return head + " " + InCaseOf(letter, remote);
    return head + " " + volume;
}

TDriveComboBox::TDriveComboBox(TControl* parent, const ComboBoxSettings& s) : TComboBox(parent, s) {
    for (int i = 0; i < 5; ++i) glyphs_[i] = LoadResourceBitmap(kGlyphNames[i]);
    SetItemHeight(RowHeight());
    FitClosedHeight(s.height);
    std::string current = CurrentFolder();
    drive_ = current.empty() || current[0] == '\\' ? 0 : current[0];
    FillDrives();
}

TDriveComboBox::~TDriveComboBox() {
    if (dirList_) dirList_->driveCombo_ = nullptr;
}

int TDriveComboBox::RowHeight() const { return std::max(TextHeight(Font()), 11); }

void TDriveComboBox::FontChanged() { SetItemHeight(RowHeight()); }

void TDriveComboBox::AddDrive(int bit) {
    char letter = char('a' + bit);
    const char root[4] = {letter, ':', '\\', 0};
    UINT type = GetDriveTypeA(root);
    if (textCase_ == TTextCase::tcUpperCase) letter = UpperLetter(letter);
    DriveGlyph glyph;
    if (!GlyphOf(type, glyph)) return;
    std::string label, remote;
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

void TDriveComboBox::SetDrive(char letter) {
    if (ItemIndex() >= 0 && UpperLetter(letter) == UpperLetter(drive_)) return;
    if (letter) {
        drive_ = textCase_ == TTextCase::tcUpperCase ? UpperLetter(letter) : LowerLetter(letter);
        for (int i = 0, n = Count(); i < n; ++i) {
            std::string text = Item(i);
            if (text.size() >= 2 && UpperLetter(text[0]) == UpperLetter(drive_) && text[1] == ':') {
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
    std::string text = Item(i);
    if (!text.empty()) SetDrive(text[0]);
}

void TDriveComboBox::DrawRow(HDC dc, int index, const RECT& row, bool selected) {
    FillItemBackground(dc, row, selected);
    if (index < 0) return;
    uintptr_t g = ItemData(index);
    int width = g < 5 ? DrawItemGlyph(dc, glyphs_[g].get(), row.left + 2, row) : 0;
    RECT text = row;
    text.left += (width ? width : 16) + 6;
    std::string caption = Item(index);
    DrawTextA(dc, caption.c_str(), int(caption.size()), &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}
