// The handler contract shared by every control handler and the window's own.
//
// A handler gets the main window's handle, the message number and the two
// message parameters, and returns a 32-bit result; 0 lets the message go on
// to the window's own handler. The handle is opaque outside ui/.
#pragma once

#include <cstdint>

typedef void *WindowHandle;
typedef int32_t (*Handler)(WindowHandle window, uint32_t message, uintptr_t wParam,
                           intptr_t lParam);

enum : uint32_t {
    MessageHelp = 0x0053,    // WM_HELP
    MessageCommand = 0x0111, // WM_COMMAND
};
enum : unsigned { NotifyClicked = 0 }; // BN_CLICKED

inline unsigned commandId(uintptr_t wParam) { return (unsigned)(wParam & 0xFFFF); }
inline unsigned commandCode(uintptr_t wParam) { return (unsigned)((wParam >> 16) & 0xFFFF); }

// A click notification of a button: WM_COMMAND with BN_CLICKED.
inline bool isClick(uint32_t message, uintptr_t wParam)
{
    return message == MessageCommand && commandCode(wParam) == NotifyClicked;
}
