#pragma once
// The new-folder dialog. It hands the confirmed name to the command only
// through NewFolderName.
#include <memory>
#include <string_view>
#include <string>

#include "ui/button.h"
#include "ui/edit.h"
#include "ui/form.h"
#include "ui/label.h"
#include "ui/layout_table.h"

// The new-folder dialog's layout table.
inline constexpr Placement kNewDirLayout[] = {
    {"NewDir", {270, 111, 274, 133}},  // the window: place and client size
    {"Label1", {16, 24, 0, 0}},  // sized to its text, which a wider substitute font must not clip
    {"Edit1", {16, 48, 249, 21}},
    {"Button1", {48, 88, 75, 25}},
    {"Button2", {144, 88, 75, 25}},
};
constexpr Box NewDirBox(std::string_view name) { return BoxIn(kNewDirLayout, name); }

class TNewDir : public TForm {
public:
    TNewDir();
    ~TNewDir() override;
    const char* ClassName() const override { return "TNewDir"; }

    // OK: takes the field's text; an empty one is refused with a notice and
    // the silent abort, so the dialog stays open.
    void Button1Click(TObject* sender);

    std::unique_ptr<TLabel> Label1;
    std::unique_ptr<TEdit> Edit1;
    std::unique_ptr<TButton> Button1, Button2;
};

extern TNewDir* NewDir;

// The name last confirmed in the new-folder dialog; empty at start.
extern std::u16string NewFolderName;
