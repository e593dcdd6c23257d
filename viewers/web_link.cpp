#include "viewers/web_link.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/text.h"
#include "ui/message_dialog.h"

const char kMakerAddress[] = "http://www.korvel.sk/";

void OpenMakerAddress() {
    HINSTANCE result =
        ShellExecuteW(nullptr, L"open", WidePtr(Wide(kMakerAddress)), nullptr, nullptr, SW_SHOWNORMAL);
    if (reinterpret_cast<INT_PTR>(result) <= 32) ShowErrorDialog("Vyskytla sa chyba ");
}
