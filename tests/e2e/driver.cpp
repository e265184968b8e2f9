// The second process: starting the program, finding its windows, acting on
// them and reading back what it shows.
#include "tests/e2e/driver.h"

#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#ifndef MIRVELTA_EXE
#error "MIRVELTA_EXE must name the program (a Linux path)"
#endif

static const char Caption[] = "Mirvelta    v1.03a       by:  Quib";
static const DWORD ActionTimeout = 10000;

bool underWine()
{
    return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != NULL;
}

std::string windowsPath(const std::string &unixPath)
{
    if (unixPath.empty() || unixPath[0] != '/')
        return unixPath; // a native Windows build: already a Windows path
    std::string p = "Z:" + unixPath;
    for (char &c : p)
        if (c == '/')
            c = '\\';
    return p;
}

std::string outputDirectory()
{
    const char *out = getenv("MIRVELTA_E2E_OUT");
    return out && *out ? out : "/tmp";
}

void runUnix(const std::string &command)
{
    // Wine starts Unix programs for CreateProcess, but neither their end nor
    // their exit code comes back: the command leaves a marker file when it is
    // done, and that is what we wait for.
    static int serial;
    std::string marker = outputDirectory() + "/unix-done-" + std::to_string(GetCurrentProcessId()) +
                         "-" + std::to_string(++serial);
    std::string line = "/bin/sh -c \"" + command + "; : > " + marker + "\"";
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi;
    if (!CreateProcessA(NULL, &line[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
        return;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    std::string done = windowsPath(marker);
    for (int i = 0; i < 3000; i++) {
        if (GetFileAttributesA(done.c_str()) != INVALID_FILE_ATTRIBUTES) {
            DeleteFileA(done.c_str());
            return;
        }
        Sleep(10);
    }
}

App::App() {}

App::~App()
{
    if (pi_.hProcess) {
        if (running()) {
            TerminateProcess(pi_.hProcess, 1);
            WaitForSingleObject(pi_.hProcess, 5000);
        }
        CloseHandle(pi_.hThread);
        CloseHandle(pi_.hProcess);
    }
}

// A visible top-level dialog of the program: the main window (the one that
// holds Quit!) or, with `main` given, any other, which is a message box.
struct DialogSearch {
    DWORD pid;
    HWND main;
    HWND found;
};

static BOOL CALLBACK findDialog(HWND h, LPARAM lp)
{
    DialogSearch *s = (DialogSearch *)lp;
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    char cls[32] = "";
    GetClassNameA(h, cls, sizeof cls);
    if (pid != s->pid || !IsWindowVisible(h) || strcmp(cls, "#32770") != 0)
        return TRUE;
    if (s->main ? h == s->main : !GetDlgItem(h, 2100))
        return TRUE;
    s->found = h;
    return FALSE;
}

static HWND dialogOf(DWORD pid, HWND main)
{
    DialogSearch s = {pid, main, NULL};
    EnumWindows(findDialog, (LPARAM)&s);
    return s.found;
}

bool App::start()
{
    // The program reads no command line; the tag on it names this instance,
    // so that the Linux side finds this process and no other calculator.
    static int serial;
    tag_ = "mirvelta-e2e-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++serial);
    std::string line = "\"" + windowsPath(MIRVELTA_EXE) + "\" " + tag_;
    // Once in a fresh prefix's first minute the program was seen to end at
    // once, its window never made (Wine's own desktop still starting): that
    // is said, with the exit code, and the program started once more. A
    // program that ends so twice fails the test.
    for (int attempt = 0; attempt < 2; attempt++) {
        STARTUPINFOA si = {};
        si.cb = sizeof si;
        if (pi_.hProcess) {
            CloseHandle(pi_.hThread);
            CloseHandle(pi_.hProcess);
            pi_ = {};
        }
        if (!CreateProcessA(NULL, &line[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi_))
            return false;
        for (int i = 0; i < 3000; i++) {
            HWND found = dialogOf(pi_.dwProcessId, NULL);
            if (found && windowText(found) == Caption) {
                main_ = found;
                return true;
            }
            if (!running())
                break;
            Sleep(10);
        }
        if (running())
            return false; // no window in 30 s: no second try
        DWORD code = 0;
        GetExitCodeProcess(pi_.hProcess, &code);
        fprintf(stderr, "the program ended with exit code %lu before its window appeared%s\n", (unsigned long)code,
                attempt == 0 ? "; starting it once more" : "");
    }
    return false;
}

bool App::running() const
{
    return pi_.hProcess && WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT;
}

static std::string narrow(const WCHAR *w, int n)
{
    if (n <= 0)
        return "";
    int bytes = WideCharToMultiByte(CP_ACP, 0, w, n, NULL, 0, NULL, NULL);
    std::string s((size_t)bytes, '\0');
    WideCharToMultiByte(CP_ACP, 0, w, n, &s[0], bytes, NULL, NULL);
    return s;
}

std::string App::windowText(HWND h) const
{
    // The W messages: the A ones come back truncated across processes. Most
    // texts fit the first buffer; a longer one asks for its length.
    static WCHAR buffer[4096];
    LRESULT got = SendMessageW(h, WM_GETTEXT, (WPARAM)(sizeof buffer / sizeof *buffer), (LPARAM)buffer);
    if (got < (LRESULT)(sizeof buffer / sizeof *buffer) - 1)
        return narrow(buffer, (int)got);
    LRESULT n = SendMessageW(h, WM_GETTEXTLENGTH, 0, 0);
    std::wstring w((size_t)n + 1, L'\0');
    got = SendMessageW(h, WM_GETTEXT, (WPARAM)(n + 1), (LPARAM)&w[0]);
    return narrow(w.data(), (int)got);
}

std::string App::text(int id) const
{
    HWND h = item(id);
    return h ? windowText(h) : "<missing>";
}

void App::setText(int id, const std::string &text)
{
    int n = MultiByteToWideChar(CP_ACP, 0, text.data(), (int)text.size(), NULL, 0);
    std::wstring w((size_t)n, L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), (int)text.size(), &w[0], n);
    SendMessageW(item(id), WM_SETTEXT, 0, (LPARAM)w.c_str());
}

void App::pick(int combo, int index)
{
    SendMessageW(item(combo), CB_SETCURSEL, (WPARAM)index, 0);
}

std::vector<std::string> App::items(int combo) const
{
    std::vector<std::string> out;
    HWND h = item(combo);
    LRESULT n = SendMessageW(h, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < n; i++) {
        WCHAR buf[64] = {};
        SendMessageW(h, CB_GETLBTEXT, (WPARAM)i, (LPARAM)buf);
        char narrow[64] = {};
        WideCharToMultiByte(CP_ACP, 0, buf, -1, narrow, sizeof narrow, NULL, NULL);
        out.push_back(narrow);
    }
    return out;
}

int App::selection(int combo) const
{
    return (int)SendMessageW(item(combo), CB_GETCURSEL, 0, 0);
}

bool App::checked(int id) const
{
    return SendMessageW(item(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

HWND App::focus() const
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(pi_.dwThreadId, &info);
    return info.hwndFocus;
}

HWND App::findBox() const
{
    return dialogOf(pi_.dwProcessId, main_);
}

// A message sent from a helper thread: SendMessage returns only when the
// program has handled it, modal boxes included, so its return is the sign
// that the work is done.
struct Sent {
    HWND target;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

static DWORD WINAPI sendProc(void *p)
{
    Sent *s = (Sent *)p;
    SendMessageW(s->target, s->message, s->wParam, s->lParam);
    return 0;
}

Outcome App::act(HWND target, UINT message, WPARAM wParam, const void *data, size_t size)
{
    Outcome out;
    std::vector<char> copy((const char *)data, (const char *)data + size);
    Sent s = {target, message, wParam, size ? (LPARAM)copy.data() : 0};
    HANDLE thread = CreateThread(NULL, 0, sendProc, &s, 0, NULL);
    DWORD start = GetTickCount();
    while (GetTickCount() - start < ActionTimeout) {
        if (WaitForSingleObject(thread, 5) == WAIT_OBJECT_0) {
            out.done = true;
            break;
        }
        HWND box = findBox();
        if (!box)
            continue;
        Sleep(20); // let the box finish painting its text
        BoxSeen seen;
        seen.caption = windowText(box);
        seen.text = windowText(GetDlgItem(box, 0xFFFF));
        seen.ownerless = GetWindow(box, GW_OWNER) == NULL;
        seen.mainDisabled = !IsWindowEnabled(main_);
        out.boxes.push_back(seen);
        PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
        for (int i = 0; i < 500 && IsWindow(box); i++)
            Sleep(5);
    }
    if (!out.done)
        TerminateThread(thread, 1);
    CloseHandle(thread);
    return out;
}

Outcome App::click(int id)
{
    return act(item(id), BM_CLICK, 0, nullptr, 0);
}

Outcome App::help(int id)
{
    HELPINFO info = {};
    info.cbSize = sizeof info;
    info.iContextType = HELPINFO_WINDOW;
    info.iCtrlId = id;
    info.hItemHandle = item(id);
    return act(main_, WM_HELP, 0, &info, sizeof info);
}

Outcome App::sendToMain(UINT message, WPARAM wParam, LPARAM lParam)
{
    Outcome out;
    Sent s = {main_, message, wParam, lParam};
    HANDLE thread = CreateThread(NULL, 0, sendProc, &s, 0, NULL);
    out.done = WaitForSingleObject(thread, ActionTimeout) == WAIT_OBJECT_0;
    CloseHandle(thread);
    return out;
}

long App::waitForExit(DWORD ms)
{
    if (WaitForSingleObject(pi_.hProcess, ms) != WAIT_OBJECT_0)
        return -1;
    DWORD code = 0;
    GetExitCodeProcess(pi_.hProcess, &code);
    return (long)code;
}

double App::roundTrip(UINT limit) const
{
    LARGE_INTEGER f, a, b;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&a);
    DWORD_PTR result;
    if (!SendMessageTimeoutW(main_, WM_NULL, 0, 0, SMTO_NORMAL, limit, &result))
        return -1;
    QueryPerformanceCounter(&b);
    return (double)(b.QuadPart - a.QuadPart) * 1000.0 / (double)f.QuadPart;
}

size_t App::privateBytes() const
{
    PROCESS_MEMORY_COUNTERS_EX pmc = {};
    pmc.cb = sizeof pmc;
    if (!GetProcessMemoryInfo(pi_.hProcess, (PROCESS_MEMORY_COUNTERS *)&pmc, sizeof pmc))
        return 0;
    return pmc.PrivateUsage;
}

std::string App::unixProcess() const
{
    // The bracket keeps the pattern from matching the shell that runs it.
    return "$(pgrep -f -- 'mirvelta[-]" + tag_.substr(strlen("mirvelta-")) + "( |$)')";
}

unsigned long App::xWindow() const
{
    // Wine keeps the X window of every top-level window as this property.
    return (unsigned long)(ULONG_PTR)GetPropA(main_, "__wine_x11_whole_window");
}

size_t App::residentPrivateKiB() const
{
    if (!underWine())
        return 0;
    std::string out = outputDirectory() + "/memory-" + std::to_string(GetCurrentProcessId()) + ".txt";
    runUnix("awk '/^RssAnon/ {print $2}' /proc/" + unixProcess() + "/status > " + out);
    FILE *f = fopen(windowsPath(out).c_str(), "r");
    unsigned long kib = 0;
    if (f) {
        if (fscanf(f, "%lu", &kib) != 1)
            kib = 0;
        fclose(f);
    }
    DeleteFileA(windowsPath(out).c_str());
    return kib;
}

// ---- Dialog units --------------------------------------------------------

static INT_PTR CALLBACK twinProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

RECT dialogRect(int x, int y, int width, int height)
{
    static HWND twin = [] {
        struct {
            DLGTEMPLATE header;
            WORD menu, windowClass;
            WCHAR title[2];
            WORD pointSize;
            WCHAR typeface[14];
        } t = {};
        t.header.style = WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_3DLOOK;
        t.header.cx = 380;
        t.header.cy = 280;
        t.title[0] = L' ';
        t.pointSize = 8;
        memcpy(t.typeface, L"MS Sans Serif", sizeof t.typeface);
        return CreateDialogIndirectParamW(GetModuleHandleW(NULL), &t.header, NULL, twinProc, 0);
    }();
    RECT r = {x, y, x + width, y + height};
    MapDialogRect(twin, &r);
    return r;
}
