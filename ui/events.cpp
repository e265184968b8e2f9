// The handlers of the unit-of-length and core-type options and of Quit!.
#include <windows.h>

#include "calc/controlids.h"
#include "calc/results.h"
#include "calc/state.h"
#include "calc/core.h"
#include "ui/window.h"

int32_t lengthUnitHandler(WindowHandle, uint32_t message, uintptr_t wParam, intptr_t)
{
    if (!isClick(message, wParam))
        return 0;
    if (commandId(wParam) == ID_MM_OPTION)
        setLengthUnit(LengthMillimetres);
    else if (commandId(wParam) == ID_INCHES_OPTION)
        setLengthUnit(LengthInches);
    clearResults();
    return 0;
}

static const DWORD DropDownList = WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST;

static void addItem(HWND box, const char *code)
{
    if (box)
        SendMessageA(box, CB_ADDSTRING, 0, (LPARAM)code);
}

int32_t coreTypeHandler(WindowHandle, uint32_t message, uintptr_t wParam, intptr_t)
{
    if (!isClick(message, wParam))
        return 0;
    clearResults();
    for (int id : {ID_SIZE_COMBO, ID_MATERIAL_COMBO}) {
        HWND old = GetDlgItem(mainWindow, id);
        if (old)
            DestroyWindow(old);
    }
    if (commandId(wParam) == ID_IRON_OPTION)
        coreType = CorePowderedIron;
    else if (commandId(wParam) == ID_FERRITE_OPTION)
        coreType = CoreFerrite;

    const CoreFamilyTable &family = currentCatalogue();
    HWND sizes = createChild(ID_SIZE_COMBO, "COMBOBOX", "", DropDownList, 0, 85, 65, 40, 80);
    for (int i = 0; i < family.sizeCount; i++)
        addItem(sizes, family.sizes[i].code);
    HWND materials = createChild(ID_MATERIAL_COMBO, "COMBOBOX", "", DropDownList, 0, 85, 80, 40, 70);
    for (int i = 0; i < family.materialCount; i++)
        addItem(materials, family.materials[i].code);
    // Both texts are 22 characters: the family prefix stands right before the box.
    SetWindowTextA(GetDlgItem(mainWindow, ID_SIZE_CAPTION),
                   coreType == CorePowderedIron ? "Toroid Size:        T-" : "Toroid Size:       FT-");
    return 0;
}

int32_t quitHandler(WindowHandle, uint32_t message, uintptr_t wParam, intptr_t)
{
    if (isClick(message, wParam))
        closeMainWindow();
    return 0;
}
