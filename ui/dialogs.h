#pragma once
// The system's common dialogs: open, save and printer set-up.
#include <windows.h>

#include <string>

#include "ui/gdi.h"
#include "ui/object.h"

struct FileDialogSettings {
    std::string filter;        // "desc|mask|desc|mask", as the layout tables give it
    std::string defaultExt;    // without the dot; empty for none
    bool hideReadOnly = true;
    bool pathMustExist = false;
    bool fileMustExist = false;
    bool resizable = false;
    bool overwritePrompt = false;
};

class TOpenDialog : public TObject {
public:
    explicit TOpenDialog(const FileDialogSettings& s) : settings_(s) {}
    // Runs the dialog; true when the user confirmed. FileName is the choice.
    virtual bool Execute();
    const std::u16string& FileName() const { return fileName_; }
    void SetFileName(const std::u16string& name) { fileName_ = name; }
    int FilterIndex() const { return filterIndex_; }
    const char* ClassName() const override { return "TOpenDialog"; }

protected:
    bool Run(bool save);

private:
    FileDialogSettings settings_;
    std::u16string fileName_;
    int filterIndex_ = 1;
};

class TSaveDialog : public TOpenDialog {
public:
    using TOpenDialog::TOpenDialog;
    bool Execute() override { return Run(true); }
    const char* ClassName() const override { return "TSaveDialog"; }
};

// The print set-up dialog; on OK its choice becomes the current printer.
class TPrinterSetupDialog : public TObject {
public:
    bool Execute();
    const char* ClassName() const override { return "TPrinterSetupDialog"; }

private:
    GlobalMemory devMode_;
    GlobalMemory devNames_;
};

// The form's print dialog, which no command opens.
class TPrintDialog : public TObject {
public:
    const char* ClassName() const override { return "TPrintDialog"; }
};

// "a|b|c|d" to the double-NUL list the system wants.
std::u16string SystemFilter(const std::string& filter);
