// The window's help handler and the About button's handler.
#include <windows.h>

#include "calc/controlids.h"
#include "calc/form.h"
#include "ui/helptexts.h"
#include "ui/window.h"

int32_t helpHandler(WindowHandle, uint32_t message, uintptr_t, intptr_t lParam)
{
    if (message != WM_HELP || !lParam)
        return 0;
    const HELPINFO *info = (const HELPINFO *)lParam;
    const char *text = helpTextFor(info->iCtrlId);
    if (text)
        showMessageBox(text, "What's this?", MessageBoxInformation);
    return 0;
}

int32_t aboutHandler(WindowHandle, uint32_t message, uintptr_t wParam, intptr_t)
{
    if (isClick(message, wParam))
        showMessageBox(AboutText, "About this program", MessageBoxInformation);
    return 0;
}
