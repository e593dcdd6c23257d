#pragma once
// The folder list: the root, the ancestors and the current folder, then its
// subfolders. Opening a row (double-click or Enter) makes it the current
// folder, which travels to the linked file list and path label.
#include <string>
#include <vector>

#include "browse/folder_search.h"
#include "browse/path_rules.h"
#include "ui/gdi.h"
#include "ui/owner_draw.h"
#include "ui/listbox.h"

class TDriveComboBox;
class TFileListBox;
class TLabel;

class TDirectoryListBox : public TListBox {
public:
    TDirectoryListBox(TControl* parent, const ListBoxSettings& s);
    ~TDirectoryListBox() override;

    const std::u16string& Directory() const { return directory_; }
    // Opens the folder. It is checked first: a folder that cannot be entered
    // raises EInOutError before anything changes.
    void SetDirectory(const std::u16string& path);
    // Re-reads the rows for the same folder and sends the change on.
    void Update();
    // Moves to the folder the process last had current on the drive.
    void EnterDrive(char16_t letter);
    // The full path of row i ("" past the end).
    std::u16string EntryPath(int i) const;
    void OpenSelected();

    TFileListBox* FileList() const { return fileList_; }
    void SetFileList(TFileListBox* list);
    // The label must outlive the link (or be unlinked first).
    TLabel* DirLabel() const { return dirLabel_; }
    void SetDirLabel(TLabel* label);
    TDriveComboBox* DriveCombo() const { return driveCombo_; }

    bool VolumeKeepsCase() const { return volumeKeepsCase_; }
    bool VolumeCaseSensitive() const { return volumeCaseSensitive_; }
    FolderKind RowKind(int i) const { return rows_.at(size_t(i)).kind; }
    // Left offset of row i's glyph.
    int RowIndent(int i) const;

    // After every change of folder, and after Update.
    TNotifyEvent OnChange;

    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    const char* ClassName() const override { return "TDirectoryListBox"; }

protected:
    void DrawRow(HDC dc, int index, const RECT& row, bool selected) override;
    void DblClick() override;
    void FontChanged() override;

private:
    void FillFolders();
    void ReadVolumeFlags(const std::u16string& root);
    std::vector<std::u16string> Subfolders() const;
    bool SameDirectory(const std::u16string& path) const;
    void NotifyChange();
    void ShowPathInLabel();
    int RowHeight() const;

    std::u16string directory_;
    std::vector<FolderRow> rows_;
    // The last search of the folder, until the file list has had it.
    FolderSearch search_;
    TFileListBox* fileList_ = nullptr;
    TLabel* dirLabel_ = nullptr;
    TDriveComboBox* driveCombo_ = nullptr;
    bool volumeKeepsCase_ = true;
    bool volumeCaseSensitive_ = false;
    bool switchingDrive_ = false;
    Bitmap openGlyph_, currentGlyph_, closedGlyph_;
    ItemGlyphs itemGlyphs_;

    friend class TDriveComboBox;
    friend class TFileListBox;
};

// Checks that a folder can be entered, leaving the current folder as it was:
// the drive, the folders up to the last component, then the last one unless
// it is a pattern or an existing file. EInOutError on the first refusal.
void CheckFolderPath(const std::u16string& path);
