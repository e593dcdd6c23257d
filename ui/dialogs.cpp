#include "ui/dialogs.h"

#include <commdlg.h>

#include <vector>

#include "ui/application.h"
#include "ui/form.h"
#include "ui/scope.h"

std::string SystemFilter(const std::string& filter) {
    std::string out = filter;
    for (char& c : out)
        if (c == '|') c = '\0';
    out.push_back('\0');
    out.push_back('\0');
    return out;
}

namespace {
HWND DialogOwner() {
    HWND active = GetActiveWindow();
    if (active) return active;
    return Application->MainForm() ? Application->MainForm()->Handle() : nullptr;
}

// A system dialog runs modally over every window of the program.
template <class Dialog>
BOOL RunModal(Dialog run) {
    ModalScope modal(nullptr);
    return run();
}
}  // namespace

bool TOpenDialog::Execute() { return Run(false); }

bool TOpenDialog::Run(bool save) {
    std::string filter = SystemFilter(settings_.filter);
    std::vector<char> name(MAX_PATH * 4, '\0');
    fileName_.copy(name.data(), name.size() - 1);
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = DialogOwner();
    ofn.lpstrFilter = settings_.filter.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = DWORD(filterIndex_);
    ofn.lpstrFile = name.data();
    ofn.nMaxFile = DWORD(name.size());
    ofn.lpstrDefExt = settings_.defaultExt.empty() ? nullptr : settings_.defaultExt.c_str();
    ofn.Flags = OFN_EXPLORER;
    if (settings_.hideReadOnly) ofn.Flags |= OFN_HIDEREADONLY;
    if (settings_.pathMustExist) ofn.Flags |= OFN_PATHMUSTEXIST;
    if (settings_.fileMustExist) ofn.Flags |= OFN_FILEMUSTEXIST;
    if (settings_.resizable) ofn.Flags |= OFN_ENABLESIZING;
    if (settings_.overwritePrompt) ofn.Flags |= OFN_OVERWRITEPROMPT;
    if (!RunModal([&] { return save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn); })) return false;
    fileName_ = name.data();
    filterIndex_ = int(ofn.nFilterIndex);
    return true;
}

bool TPrinterSetupDialog::Execute() {
    PRINTDLGA pd{};
    pd.lStructSize = sizeof(pd);
    pd.hwndOwner = DialogOwner();
    pd.Flags = PD_PRINTSETUP;
    // The dialog owns the blocks while it runs; it may free them and hand back
    // new ones, even on cancel: whatever it returns is ours again.
    pd.hDevMode = devMode_.release();
    pd.hDevNames = devNames_.release();
    ScopeExit takeBack([&] {
        devMode_.reset(pd.hDevMode);
        devNames_.reset(pd.hDevNames);
    });
    return RunModal([&] { return PrintDlgA(&pd); }) != FALSE;
}
