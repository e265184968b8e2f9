// The window seam over the real dialog.
#include <windows.h>

#include "calc/form.h"
#include "ui/window.h"

std::string formText(int id)
{
    HWND control = GetDlgItem(mainWindow, id);
    if (!control)
        return std::string();
    int length = GetWindowTextLengthA(control); // may overstate, never understate
    if (length <= 0)
        return std::string();
    std::string text((size_t)length + 1, '\0');
    int got = GetWindowTextA(control, &text[0], length + 1);
    text.resize(got > 0 ? (size_t)got : 0);
    return text;
}

void setFormText(int id, const char *text)
{
    HWND control = GetDlgItem(mainWindow, id);
    if (control)
        SetWindowTextA(control, text);
}

void showMessageBox(const char *text, const char *caption, unsigned style)
{
    MessageBoxA(NULL, text, caption, style);
}
