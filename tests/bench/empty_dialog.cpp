// The yardstick for start-up time and size: an empty dialog from an
// in-memory template, shown and run like the real window, nothing else.
#include <windows.h>

static INT_PTR CALLBACK emptyProc(HWND window, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE) {
        DestroyWindow(window);
        return TRUE;
    }
    return FALSE;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    struct {
        DLGTEMPLATE header;
        WORD menu, windowClass;
        WCHAR title[2];
        WORD pointSize;
        WCHAR typeface[14];
    } t = {};
    t.header.style = WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER | DS_SETFONT;
    t.header.cx = 380;
    t.header.cy = 280;
    t.title[0] = L' ';
    t.pointSize = 8;
    memcpy(t.typeface, L"MS Sans Serif", sizeof t.typeface);
    HWND window = CreateDialogIndirectParamW(instance, &t.header, NULL, emptyProc, 0);
    SetWindowTextA(window, "Empty dialog");
    ShowWindow(window, SW_SHOW);
    MSG msg;
    while (IsWindow(window) && GetMessageA(&msg, NULL, 0, 0) > 0)
        if (!IsDialogMessageA(window, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    ExitProcess(0);
}
