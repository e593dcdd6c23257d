#pragma once
// The file list: the entries of one folder that match a mask of patterns,
// sorted in the locale's order without regard to case. It owns the notion of the selected file.
#include <string>
#include <vector>

#include "ui/gdi.h"
#include "ui/owner_draw.h"
#include "ui/listbox.h"

class TDirectoryListBox;
struct FolderSearch;
class TFilterComboBox;

// Members of FileType; the first six are the entries' attribute bits.
using TFileType = unsigned;
constexpr TFileType ftReadOnly = 0x01, ftHidden = 0x02, ftSystem = 0x04, ftVolumeID = 0x08,
                    ftDirectory = 0x10, ftArchive = 0x20, ftNormal = 0x100;

// What a row shows beside its text.
enum class FileGlyph { None, Folder, Program, Other };

struct FileListSettings : ListBoxSettings {
    bool showGlyphs = false;
    // The list keeps and sorts its rows itself, in the locale's order
    // ignoring case.
    FileListSettings() { ownRows = true; }
};

class TFileListBox : public TListBox {
public:
    TFileListBox(TControl* parent, const FileListSettings& s);
    ~TFileListBox() override;

    // The full path of the selected entry; empty when none is selected.
    std::u16string FileName() const;
    const std::u16string& Directory() const { return directory_; }
    // With the folder list's search of that folder when it has one: what it
    // found stands for this list's own searches when the mask is plain.
    void SetDirectory(const std::u16string& path, const FolderSearch* search = nullptr);
    const std::string& Mask() const { return mask_; }
    // Re-reads only when the mask really differs (exact comparison).
    void SetMask(const std::string& mask);
    TFileType FileType() const { return fileType_; }
    void SetFileType(TFileType type);
    bool ShowGlyphs() const { return showGlyphs_; }
    void SetShowGlyphs(bool on);
    int LastSelection() const { return lastSelection_; }
    std::u16string Item(int index) const override;
    FileGlyph RowGlyph(int index) const;
    // Re-reads the same folder with the same mask.
    void Update();

    // After every read and every selection change that moved the selection.
    TNotifyEvent OnChange;

    void Notify(WORD code) override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    const char* ClassName() const override { return "TFileListBox"; }

protected:
    void DrawRow(HDC dc, int index, const RECT& row, bool selected) override;
    void FontChanged() override;

private:
    struct Row {
        std::u16string text;
        FileGlyph glyph;
    };
    struct Entry {
        std::string key;
        Row row;
    };
    void ReadFiles(const FolderSearch* search = nullptr);
    void ReadPattern(const std::string& pattern, unsigned asked, std::vector<Entry>& entries);
    void TakeFound(const FolderSearch& search, unsigned asked, std::vector<Entry>& entries);
    void AddEntry(const std::u16string& name, unsigned attrs, unsigned asked, std::vector<Entry>& entries);
    void Change();
    void SelectByFirstLetter(char16_t key);
    int RowHeight() const;

    std::u16string directory_;
    std::string mask_ = "*.*";
    TFileType fileType_ = ftNormal;
    bool showGlyphs_;
    int lastSelection_ = -1;
    TDirectoryListBox* dirList_ = nullptr;
    TFilterComboBox* filterCombo_ = nullptr;
    std::vector<Row> rows_;
    Bitmap folderGlyph_, programGlyph_, otherGlyph_;
    ItemGlyphs itemGlyphs_;

    friend class TDirectoryListBox;
    friend class TFilterComboBox;
};

// Whether a file name's extension marks a program (.exe, .com, .bat, .pif).
bool IsProgramName(const std::u16string& name);
