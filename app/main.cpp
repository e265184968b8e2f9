// Start-up: the floating-point environment, the main procedure, exit code 0.
#include <windows.h>

#include "calc/fpenv.h"
#include "ui/window.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    setFloatingPointEnvironment();
    ExitProcess((UINT)runMainWindow());
}
