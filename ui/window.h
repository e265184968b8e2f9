// The main window: built from an in-memory template, run modally.
#pragma once

#include <windows.h>

#include "calc/handler.h"

extern HWND mainWindow;   // set once by runMainWindow
extern HINSTANCE appInstance;

// The main procedure: start-up state, the window and its 31 controls, the
// modal loop. Returns 0 when the window has been destroyed.
int runMainWindow();

// Sends WM_CLOSE, then destroys the window: Quit! and the close command.
void closeMainWindow();

// Creates a child of the main window at a rectangle in dialog units, with
// the window's font.
HWND createChild(int id, const char *cls, const char *caption, DWORD style, DWORD exStyle,
                 int x, int y, int width, int height);

// The handlers of the option buttons, Quit!, About and the window's own.
int32_t lengthUnitHandler(WindowHandle, uint32_t message, uintptr_t wParam, intptr_t lParam);
int32_t coreTypeHandler(WindowHandle, uint32_t message, uintptr_t wParam, intptr_t lParam);
int32_t quitHandler(WindowHandle, uint32_t message, uintptr_t wParam, intptr_t lParam);
int32_t aboutHandler(WindowHandle, uint32_t message, uintptr_t wParam, intptr_t lParam);
int32_t helpHandler(WindowHandle, uint32_t message, uintptr_t wParam, intptr_t lParam);
