// Drives the real mirvelta.exe from a second Win32 process, by control
// identifier: clicks, picks, typing, help requests, message boxes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// A message box the program showed, read before it was dismissed.
struct BoxSeen {
    std::string caption, text;
    bool ownerless = false;
    bool mainDisabled = false; // task-modal: the main window takes no input
};

// What one action led to: nothing, or one message box (dismissed with OK).
struct Outcome {
    bool done = false;  // the action finished within the time allowed
    std::vector<BoxSeen> boxes;
    std::string message() const { return boxes.empty() ? "" : boxes[0].text; }
};

class App {
public:
    App();
    ~App(); // ends the process if a test left it running

    bool start();
    HWND window() const { return main_; }
    HWND item(int id) const { return GetDlgItem(main_, id); }
    DWORD processId() const { return pi_.dwProcessId; }
    DWORD threadId() const { return pi_.dwThreadId; }
    bool running() const;

    std::string text(int id) const;
    std::string windowText(HWND h) const;
    void setText(int id, const std::string &text);
    void pick(int combo, int index);
    std::vector<std::string> items(int combo) const;
    int selection(int combo) const;
    bool checked(int id) const;

    Outcome click(int id);
    Outcome help(int id);
    Outcome sendToMain(UINT message, WPARAM wParam, LPARAM lParam);
    // Waits for the process to end; its exit code, or -1 on a time-out.
    long waitForExit(DWORD ms = 10000);

    HWND focus() const;
    // The message box the program shows now, if any.
    HWND box() const { return findBox(); }
    // The X window of the main window, and a shell expression for the Linux
    // process of this very instance (under Wine).
    unsigned long xWindow() const;
    std::string unixProcess() const;

    // A WM_NULL round trip to the program's window: milliseconds, or -1 if
    // it was not answered within `limit` ms.
    double roundTrip(UINT limit = 1000) const;
    // What Wine reports of the process's objects and memory (0: not reported).
    DWORD gdiObjects() const { return GetGuiResources(pi_.hProcess, GR_GDIOBJECTS); }
    DWORD userObjects() const { return GetGuiResources(pi_.hProcess, GR_USEROBJECTS); }
    size_t privateBytes() const;
    // Under Wine: the anonymous resident memory of the program's Linux
    // process, in KiB, from /proc (0 if it cannot be read).
    size_t residentPrivateKiB() const;

private:
    Outcome act(HWND target, UINT message, WPARAM wParam, const void *data, size_t size);
    HWND findBox() const;

    PROCESS_INFORMATION pi_ = {};
    std::string tag_;
    HWND main_ = NULL;
};

// Dialog units of the program's template in pixels, from a twin dialog made
// here with the same template (MapDialogRect works only in-process).
RECT dialogRect(int x, int y, int width, int height);

// True under Wine; the tests that press keys through the X server need it.
bool underWine();

// Runs a shell command line on the Linux side (xdotool, import) and waits.
void runUnix(const std::string &command);

// A Linux path as Wine sees it (Z: is the root).
std::string windowsPath(const std::string &unixPath);

std::string outputDirectory(); // MIRVELTA_E2E_OUT, a Linux path
