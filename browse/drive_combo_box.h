#pragma once
// The drive selector: one row per drive with its glyph, in letter order.
// Picking a row moves the linked folder list to that drive.
#include <string>

#include "ui/combobox.h"
#include "ui/gdi.h"
#include "ui/owner_draw.h"

class TDirectoryListBox;

enum class TTextCase { tcLowerCase, tcUpperCase };

// The glyphs of the drive kinds, in the order of the resources.
enum class DriveGlyph { Floppy, Hard, Network, CdRom, Ram };

// A drive row's text: "a:" for a removable drive (never queried), else
// "c: [label]", or for a network drive "x: remote" (the label part when the
// remote name is unknown). The label and remote name take the case of the
// letter. Empty for a drive type that gets no row.
std::u16string DriveRowText(char16_t letter, unsigned driveType, const std::u16string& label,
                            const std::u16string& remote);

class TDriveComboBox : public TComboBox {
public:
    TDriveComboBox(TControl* parent, const ComboBoxSettings& s);
    ~TDriveComboBox() override;

    // The selected drive's letter in the text case; 0 for none.
    char16_t Drive() const { return drive_; }
    // The drive switch: selects the drive's row and moves the folder list.
    void SetDrive(char16_t letter);
    TTextCase TextCase() const { return textCase_; }
    void SetTextCase(TTextCase c);
    TDirectoryListBox* DirList() const { return dirList_; }
    void SetDirList(TDirectoryListBox* list);
    DriveGlyph RowGlyph(int index) const { return DriveGlyph(ItemData(index)); }

    // After every drive switch that goes ahead.
    TNotifyEvent OnChange;
    const char* ClassName() const override { return "TDriveComboBox"; }

protected:
    void DrawRow(HDC dc, int index, const RECT& row, bool selected) override;
    void SelectionChanged() override;
    void FontChanged() override;

private:
    void FillDrives();
    void AddDrive(int bit);
    int RowHeight() const;

    char16_t drive_ = 0;
    TTextCase textCase_ = TTextCase::tcLowerCase;
    TDirectoryListBox* dirList_ = nullptr;
    Bitmap glyphs_[5];
    ItemGlyphs itemGlyphs_;

    friend class TDirectoryListBox;
};
