// The program's one resource, the sketch: read from the built .exe.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "tests/e2e/driver.h"

namespace {

struct Resources {
    std::vector<std::string> types, names;
};

BOOL CALLBACK addName(HMODULE, LPCSTR, LPSTR name, LONG_PTR lp)
{
    ((Resources *)lp)->names.push_back(IS_INTRESOURCE(name) ? "#" + std::to_string((ULONG_PTR)name) : name);
    return TRUE;
}

BOOL CALLBACK addType(HMODULE module, LPSTR type, LONG_PTR lp)
{
    Resources *r = (Resources *)lp;
    r->types.push_back(IS_INTRESOURCE(type) ? "#" + std::to_string((ULONG_PTR)type) : type);
    EnumResourceNamesA(module, type, addName, lp);
    return TRUE;
}

TEST(Resource, TheSketchIsTheOnlyResource)
{
    HMODULE exe = LoadLibraryExA(windowsPath(MIRVELTA_EXE).c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(exe, (HMODULE)NULL);
    Resources r;
    EnumResourceTypesA(exe, addType, (LONG_PTR)&r);
    EXPECT_EQ(r.types, std::vector<std::string>{"#2"}); // RT_BITMAP
    EXPECT_EQ(r.names, std::vector<std::string>{"TOROIDSKETCH"});

    HRSRC found = FindResourceA(exe, "ToroidSketch", MAKEINTRESOURCEA(2)); // any case
    ASSERT_NE(found, (HRSRC)NULL);
    const BITMAPINFO *bmp = (const BITMAPINFO *)LockResource(LoadResource(exe, found));
    ASSERT_NE(bmp, nullptr);
    const BITMAPINFOHEADER &h = bmp->bmiHeader;
    EXPECT_EQ(h.biWidth, 653);
    EXPECT_EQ(h.biHeight < 0 ? -h.biHeight : h.biHeight, 372);
    EXPECT_EQ(h.biPlanes, 1);
    EXPECT_EQ(h.biBitCount, 1);
    EXPECT_EQ(h.biCompression, (DWORD)BI_RGB);
    EXPECT_TRUE(h.biClrUsed == 0 || h.biClrUsed == 2);
    const RGBQUAD &black = bmp->bmiColors[0], &white = bmp->bmiColors[1];
    EXPECT_EQ(black.rgbRed | black.rgbGreen | black.rgbBlue, 0);
    EXPECT_EQ(white.rgbRed & white.rgbGreen & white.rgbBlue, 255);

    // A line drawing on white: mostly white, some black.
    const BYTE *bits = (const BYTE *)&bmp->bmiColors[2];
    size_t stride = ((653 + 31) / 32) * 4, black_ = 0;
    for (int y = 0; y < 372; y++)
        for (int x = 0; x < 653; x++)
            black_ += !(bits[y * stride + x / 8] & (0x80 >> (x % 8)));
    EXPECT_GT(black_, 653u * 372 / 50);
    EXPECT_LT(black_, 653u * 372 / 4);
    FreeLibrary(exe);
}

} // namespace
