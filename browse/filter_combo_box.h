#pragma once
// The filter selector: one row per description of a "description|mask|..."
// filter; the selected row's mask is offered to the file list.
#include <string>
#include <vector>

#include "ui/combobox.h"

class TFileListBox;

class TFilterComboBox : public TComboBox {
public:
    TFilterComboBox(TControl* parent, const ComboBoxSettings& s);
    ~TFilterComboBox() override;

    const std::string& Filter() const { return filter_; }
    // A filter equal to the stored one (ignoring case) changes nothing.
    void SetFilter(const std::string& filter);
    // The selected row's mask; with no selection the last row is selected;
    // "*.*" when there are no rows.
    std::string Mask();
    TFileListBox* FileList() const { return fileList_; }
    // A linked file list gets the mask by itself.
    void SetFileList(TFileListBox* list);

    TNotifyEvent OnChange;
    const char* ClassName() const override { return "TFilterComboBox"; }

protected:
    void SelectionChanged() override;
    void FontChanged() override;

private:
    void FillFilters();
    void NotifyChange();

    std::string filter_;
    std::vector<std::string> masks_;
    TFileListBox* fileList_ = nullptr;

    friend class TFileListBox;
};
