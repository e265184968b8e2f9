// The main window: its template, its controls as one table, message routing,
// colours and the modal loop.
#include "ui/window.h"

#include <cstring>

#include "calc/controlids.h"
#include "calc/solve.h"
#include "calc/state.h"

HWND mainWindow;
HINSTANCE appInstance;

static HBRUSH windowBrush;  // the cream of the window and 24 controls, made once
static HBITMAP sketchImage; // the winding sketch, loaded once
static HFONT windowFont;    // the template's font, given to every control

static const COLORREF WindowColour = RGB(255, 245, 210);

static const char Caption[] = "Mirvelta    "
                              "v1.03a"
                              "       by:  Quib";

// ---- The controls --------------------------------------------------------

// Styles of the control kinds: all the styles each kind has.
enum : DWORD {
    PushButton = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
    PushButtonNoTab = WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
    OptionHead = WS_CHILD | WS_VISIBLE | WS_GROUP | BS_AUTORADIOBUTTON,
    OptionSecond = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTORADIOBUTTON,
    Label = WS_CHILD | WS_VISIBLE | SS_LEFT,
    TextBox = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL,
    ResultLine = WS_CHILD | WS_VISIBLE | ES_READONLY,
    ResultBlock = WS_CHILD | WS_VISIBLE | ES_READONLY | ES_MULTILINE,
    DropDown = WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWN,
    Frame = WS_CHILD | WS_VISIBLE | BS_GROUPBOX,
    Picture = WS_CHILD | WS_VISIBLE | SS_BITMAP,
};

enum Colours { System, Cream };

struct Control {
    int id;
    const char *cls;
    DWORD style;
    const char *caption;
    short x, y, width, height; // dialog units
    Handler handler;
    Colours colours;
};

// In creation order, which is also the Tab order.
static const Control Controls[] = {
    {ID_QUIT_BUTTON,             "BUTTON",   PushButton,      "Quit!",                   170, 255,  40, 12, quitHandler,            System},
    {ID_SOLVE_TURNS_BUTTON,      "BUTTON",   PushButton,      "Solve for # of turns",    180, 209,  80, 15, solveTurnsHandler,      System},
    {ID_SOLVE_INDUCTANCE_BUTTON, "BUTTON",   PushButton,      "Solve for Inductance",    180, 226,  80, 15, solveInductanceHandler, System},
    {ID_ABOUT_BUTTON,            "BUTTON",   PushButtonNoTab, "About this program",      240,  10, 100, 25, aboutHandler,           System},
    {ID_MM_OPTION,               "BUTTON",   OptionHead,      "mm",                       90,  10,  30, 12, lengthUnitHandler,      Cream},
    {ID_INCHES_OPTION,           "BUTTON",   OptionSecond,    "inches",                  160,  10,  40, 12, lengthUnitHandler,      Cream},
    {ID_IRON_OPTION,             "BUTTON",   OptionHead,      "Powdered Iron",            90,  30,  60, 12, coreTypeHandler,        Cream},
    {ID_FERRITE_OPTION,          "BUTTON",   OptionSecond,    "Ferrite",                 160,  30,  40, 12, coreTypeHandler,        Cream},
    {ID_TURNS_PROMPT,            "STATIC",   Label,           "Enter # of turns:",        20, 210,  65, 12, nullptr,                Cream},
    {ID_INDUCTANCE_PROMPT,       "STATIC",   Label,           "Enter inductance:",        20, 227,  65, 12, nullptr,                Cream},
    {ID_TURNS_EDIT,              "EDIT",     TextBox,         "",                         90, 210,  50, 13, nullptr,                System},
    {ID_TURNS_UNIT_CAPTION,      "STATIC",   Label,           "turns",                   145, 212,  30, 12, nullptr,                Cream},
    {ID_INDUCTANCE_EDIT,         "EDIT",     TextBox,         "",                         90, 227,  50, 13, nullptr,                System},
    {ID_UNITS_COMBO,             "COMBOBOX", DropDown,        "",                        140, 227,  30, 70, nullptr,                System},
    {ID_SIZE_CAPTION,            "STATIC",   Label,           "Toroid Size:",             20,  65,  70, 12, nullptr,                Cream},
    {ID_MATERIAL_CAPTION,        "STATIC",   Label,           "Toroid Material",          20,  80,  70, 12, nullptr,                Cream},
    {ID_OD_LABEL,                "EDIT",     ResultLine,      "Outside Diameter:",        35,  99, 110, 12, nullptr,                Cream},
    {ID_ID_LABEL,                "EDIT",     ResultLine,      "Inside Diameter:",         35, 111, 110, 12, nullptr,                Cream},
    {ID_THICKNESS_LABEL,         "EDIT",     ResultLine,      "Core Thickness:",          35, 123, 110, 12, nullptr,                Cream},
    {ID_COLOR_LABEL,             "EDIT",     ResultLine,      "Color Code:",              35, 135,  90, 12, nullptr,                Cream},
    {ID_FREQ_LABEL,              "EDIT",     ResultLine,      "Usable frequency range:",  35, 147, 140, 12, nullptr,                Cream},
    {ID_WIDEBAND_LABEL,          "EDIT",     ResultLine,      "",                         50, 158, 135, 12, nullptr,                Cream},
    {ID_TUNED_LABEL,             "EDIT",     ResultLine,      "",                         50, 169, 135, 11, nullptr,                Cream},
    {ID_WIRE_SIZE_LABEL,         "EDIT",     ResultLine,      "Max wire size:",          205,  70, 120, 12, nullptr,                Cream},
    {ID_WIRE_LENGTH_LABEL,       "EDIT",     ResultBlock,     "Total length of wire:",   205,  85, 150, 25, nullptr,                Cream},
    {ID_LENGTH_UNIT_FRAME,       "BUTTON",   Frame,           "Unit of length",           10,   5, 200, 19, nullptr,                Cream},
    {ID_CORE_TYPE_FRAME,         "BUTTON",   Frame,           "Toroid type",              10,  25, 200, 18, nullptr,                Cream},
    {ID_CORE_PARAMS_FRAME,       "BUTTON",   Frame,           "Core Parameters",          10,  50, 180, 140, nullptr,               Cream},
    {ID_WINDING_FRAME,           "BUTTON",   Frame,           "Winding Information",     195,  50, 170, 140, nullptr,               Cream},
    {ID_CALCULATE_FRAME,         "BUTTON",   Frame,           "Calculate",                10, 195, 350, 55, nullptr,                Cream},
    {ID_SKETCH_IMAGE,            "STATIC",   Picture,         "",                        205, 110, 140, 70, nullptr,                Cream},
};

static const char *const UnitsList[] = {"nH", "uH", "mH"};

static const Control *findControl(int id)
{
    for (const Control &c : Controls)
        if (c.id == id)
            return &c;
    return nullptr;
}

HWND createChild(int id, const char *cls, const char *caption, DWORD style, DWORD exStyle, int x,
                 int y, int width, int height)
{
    RECT r = {x, y, x + width, y + height};
    MapDialogRect(mainWindow, &r);
    HWND child = CreateWindowExA(exStyle, cls, caption, style, r.left, r.top, r.right - r.left,
                                 r.bottom - r.top, mainWindow, (HMENU)(INT_PTR)id, appInstance, NULL);
    if (child)
        SendMessageA(child, WM_SETFONT, (WPARAM)windowFont, TRUE);
    return child;
}

static void loadSketch(HWND picture)
{
    RECT client;
    GetClientRect(picture, &client);
    sketchImage = (HBITMAP)LoadImageA(appInstance, "ToroidSketch", IMAGE_BITMAP, client.right,
                                      client.bottom, LR_LOADMAP3DCOLORS);
    if (sketchImage)
        SendMessageA(picture, STM_SETIMAGE, IMAGE_BITMAP, (LPARAM)sketchImage);
}

static void createControls()
{
    for (const Control &c : Controls) {
        DWORD exStyle = c.style == TextBox ? WS_EX_CLIENTEDGE : 0;
        HWND h = createChild(c.id, c.cls, c.caption, c.style, exStyle, c.x, c.y, c.width, c.height);
        if (c.id == ID_INCHES_OPTION)
            CheckRadioButton(mainWindow, ID_MM_OPTION, ID_INCHES_OPTION, ID_INCHES_OPTION);
        if (c.id == ID_UNITS_COMBO && h) {
            for (const char *unit : UnitsList)
                SendMessageA(h, CB_ADDSTRING, 0, (LPARAM)unit);
            SetWindowTextA(h, "uH");
        }
        if (c.id == ID_SKETCH_IMAGE && h)
            loadSketch(h);
    }
}

// ---- Messages ------------------------------------------------------------

void closeMainWindow()
{
    SendMessageA(mainWindow, WM_CLOSE, 0, 0);
}

// The answer to a colour request for the window or a cream control.
static INT_PTR creamColours(HDC dc, int textColour)
{
    SetTextColor(dc, GetSysColor(textColour));
    SetBkColor(dc, WindowColour);
    return (INT_PTR)windowBrush;
}

static bool isCream(HWND control)
{
    const Control *c = findControl(GetDlgCtrlID(control));
    return c && c->colours == Cream && GetParent(control) == mainWindow;
}

static INT_PTR CALLBACK dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND) {
        const Control *c = findControl(LOWORD(wParam));
        if (c && c->handler && GetDlgItem(window, c->id)) {
            int32_t result = c->handler(window, message, wParam, lParam);
            if (result)
                return result;
        }
        // Enter and Escape arrive as IDOK and IDCANCEL, name no control, and
        // fall through here to nothing.
        return helpHandler(window, message, wParam, lParam);
    }

    int32_t result = helpHandler(window, message, wParam, lParam);
    if (result)
        return result;
    switch (message) {
    case WM_CTLCOLORDLG:
        return creamColours((HDC)wParam, COLOR_WINDOWTEXT);
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
        if (isCream((HWND)lParam))
            return creamColours((HDC)wParam, COLOR_WINDOWTEXT);
        break;
    case WM_CTLCOLORBTN:
        if (isCream((HWND)lParam))
            return creamColours((HDC)wParam, COLOR_BTNTEXT);
        break;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE) {
            closeMainWindow();
            return TRUE;
        }
        break;
    case WM_CLOSE:
        DestroyWindow(window);
        return TRUE;
    }
    return FALSE;
}

// ---- The main procedure --------------------------------------------------

// A dialog template with no controls: header, no menu, default class, a
// one-blank title (the caption is set after creation), then the font.
struct WindowTemplate {
    DLGTEMPLATE header;
    WORD menu, windowClass;
    WCHAR title[2];
    WORD pointSize;
    WCHAR typeface[14];
};

static HWND createMainWindow()
{
    static WindowTemplate t;
    t.header.style = WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER | DS_SETFONT | DS_3DLOOK |
                     DS_NOFAILCREATE;
    t.header.dwExtendedStyle = WS_EX_CONTEXTHELP;
    t.header.cdit = 0;
    t.header.x = 0;
    t.header.y = 0;
    t.header.cx = 380;
    t.header.cy = 280;
    t.title[0] = L' ';
    t.title[1] = 0;
    t.pointSize = 8;
    memcpy(t.typeface, L"MS Sans Serif", sizeof t.typeface);
    return CreateDialogIndirectParamA(appInstance, &t.header, NULL, dialogProc, 0);
}

// Runs the window until it no longer exists. Waits for messages when there
// are none: an idle window costs nothing.
static void runModal()
{
    helpHandler(mainWindow, WM_INITDIALOG, 0, 0);
    helpHandler(mainWindow, WM_SIZE, 0, 0);
    ShowWindow(mainWindow, SW_SHOW);
    MSG msg;
    while (IsWindow(mainWindow)) {
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT)
                return;
            if (!IsDialogMessageA(mainWindow, &msg)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
            if (!IsWindow(mainWindow))
                return;
        }
        // A message sent from another thread is handled inside PeekMessage
        // and may have closed the window: look again before sleeping.
        if (!IsWindow(mainWindow))
            return;
        WaitMessage();
    }
}

int runMainWindow()
{
    appInstance = GetModuleHandleA(NULL);
    resetState(); // inches, powdered iron
    windowBrush = CreateSolidBrush(WindowColour);

    mainWindow = createMainWindow();
    if (mainWindow) {
        SetWindowTextA(mainWindow, Caption);
        windowFont = (HFONT)SendMessageA(mainWindow, WM_GETFONT, 0, 0);
        createControls();
        runModal();
    }

    if (sketchImage)
        DeleteObject(sketchImage);
    DeleteObject(windowBrush);
    return 0;
}
