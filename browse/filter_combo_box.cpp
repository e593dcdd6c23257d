#include "browse/filter_combo_box.h"

#include <windows.h>

#include "browse/file_list_box.h"
#include "browse/path_rules.h"
#include "platform/text.h"
#include "ui/fonts.h"

TFilterComboBox::TFilterComboBox(TControl* parent, const ComboBoxSettings& s) : TComboBox(parent, s) {
    SetItemHeight(TextHeight(Font()) + 2);
    FitClosedHeight(s.height);
}

TFilterComboBox::~TFilterComboBox() {
    if (fileList_) fileList_->filterCombo_ = nullptr;
}

void TFilterComboBox::FontChanged() { SetItemHeight(TextHeight(Font()) + 2); }

void TFilterComboBox::SetFilter(const std::string& filter) {
    if (lstrcmpiA(filter.c_str(), filter_.c_str()) == 0) return;
    filter_ = filter;
    FillFilters();
    NotifyChange();
}

void TFilterComboBox::FillFilters() {
    Clear();
    masks_.clear();
    for (const FilterEntry& e : ParseFilter(filter_)) {
        Add(Wide(e.description));
        masks_.push_back(e.mask);
    }
    if (Count() > 0) SetItemIndex(0);
}

std::string TFilterComboBox::Mask() {
    if (ItemIndex() < 0) SetItemIndex(Count() - 1);
    int i = ItemIndex();
    if (i < 0 || size_t(i) >= masks_.size()) return "*.*";
    return masks_[size_t(i)];
}

void TFilterComboBox::SetFileList(TFileListBox* list) {
    if (list == fileList_) return;
    if (fileList_) fileList_->filterCombo_ = nullptr;
    fileList_ = list;
    if (!list) return;
    if (list->filterCombo_) list->filterCombo_->fileList_ = nullptr;
    list->filterCombo_ = this;
}

void TFilterComboBox::NotifyChange() {
    if (fileList_) fileList_->SetMask(Mask());
    if (OnChange) OnChange(this);
}

void TFilterComboBox::SelectionChanged() { NotifyChange(); }
