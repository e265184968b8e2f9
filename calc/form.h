// The window seam: the only way calc/ and catalogue/ reach the main window.
//
// ui/ implements these over the real dialog (GetDlgItem, SetWindowTextA,
// MessageBoxA); the unit tests link an in-memory form instead. Controls are
// addressed by identifier; a control that does not exist reads as the empty
// text and ignores writes.
#pragma once

#include <string>

// The whole text of a control, however long.
std::string formText(int id);

// Replaces the whole text of a control.
void setFormText(int id, const char *text);

// Shows a message box with no owner; returns when the user has closed it.
void showMessageBox(const char *text, const char *caption, unsigned style);

// Message box styles, as the platform numbers them.
enum : unsigned {
    MessageBoxStop = 0x2010,        // MB_OK | MB_ICONHAND | MB_TASKMODAL
    MessageBoxInformation = 0x2040, // MB_OK | MB_ICONINFORMATION | MB_TASKMODAL
};
