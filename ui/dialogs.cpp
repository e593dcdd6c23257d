#include "ui/dialogs.h"

#include <commdlg.h>

#include <vector>

#include "platform/text.h"
#include "ui/application.h"
#include "ui/form.h"
#include "ui/scope.h"

std::u16string SystemFilter(const std::string& filter) {
    std::u16string out = Wide(filter);
    for (char16_t& c : out)
        if (c == u'|') c = u'\0';
    out.push_back(u'\0');
    out.push_back(u'\0');
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
    const std::u16string filter = SystemFilter(settings_.filter);
    const std::u16string defaultExt = Wide(settings_.defaultExt);
    // Room for a long name; a longer one makes the dialog fail, never cut.
    std::vector<WCHAR> name(MAX_PATH * 4, 0);
    fileName_.copy(reinterpret_cast<char16_t*>(name.data()), name.size() - 1);
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = DialogOwner();
    ofn.lpstrFilter = settings_.filter.empty() ? nullptr : WidePtr(filter);
    ofn.nFilterIndex = DWORD(filterIndex_);
    ofn.lpstrFile = name.data();
    ofn.nMaxFile = DWORD(name.size());
    ofn.lpstrDefExt = defaultExt.empty() ? nullptr : WidePtr(defaultExt);
    ofn.Flags = OFN_EXPLORER;
    if (settings_.hideReadOnly) ofn.Flags |= OFN_HIDEREADONLY;
    if (settings_.pathMustExist) ofn.Flags |= OFN_PATHMUSTEXIST;
    if (settings_.fileMustExist) ofn.Flags |= OFN_FILEMUSTEXIST;
    if (settings_.resizable) ofn.Flags |= OFN_ENABLESIZING;
    if (settings_.overwritePrompt) ofn.Flags |= OFN_OVERWRITEPROMPT;
    if (!RunModal([&] { return save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn); })) return false;
    fileName_ = FromWide(name.data());
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
