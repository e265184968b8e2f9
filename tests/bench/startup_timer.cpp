// Times programs from process start to their window being visible, in turns,
// and prints the median of each. Usage: startup_timer RUNS PROGRAM.exe...
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

struct Search {
    DWORD pid;
    HWND found;
};

static BOOL CALLBACK visibleWindowOf(HWND h, LPARAM lp)
{
    Search *s = (Search *)lp;
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (pid == s->pid && IsWindowVisible(h)) {
        s->found = h;
        return FALSE;
    }
    return TRUE;
}

static double once(const std::string &program)
{
    std::string line = "\"" + program + "\"";
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi;
    LARGE_INTEGER f, t0, t1;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t0);
    if (!CreateProcessA(NULL, &line[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
        return -1;
    Search s = {pi.dwProcessId, NULL};
    while (!s.found && WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT) {
        EnumWindows(visibleWindowOf, (LPARAM)&s);
        if (!s.found)
            Sleep(1);
    }
    QueryPerformanceCounter(&t1);
    if (s.found)
        PostMessageA(s.found, WM_SYSCOMMAND, SC_CLOSE, 0);
    if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0)
        TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return s.found ? (double)(t1.QuadPart - t0.QuadPart) * 1000.0 / (double)f.QuadPart : -1;
}

int main(int argc, char **argv)
{
    if (argc < 3) {
        fprintf(stderr, "usage: startup_timer RUNS PROGRAM.exe...\n");
        return 2;
    }
    int runs = atoi(argv[1]);
    std::vector<std::vector<double>> times(argc - 2);
    for (int r = 0; r < runs; r++)
        for (int p = 2; p < argc; p++)
            times[p - 2].push_back(once(argv[p]));
    for (int p = 2; p < argc; p++) {
        std::vector<double> &t = times[p - 2];
        std::sort(t.begin(), t.end());
        printf("%-40s median %.1f ms  (min %.1f, max %.1f, %d runs)\n", argv[p], t[t.size() / 2],
               t.front(), t.back(), runs);
    }
    return 0;
}
