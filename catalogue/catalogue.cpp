// Powdered-iron and ferrite core data, and the lookups by code.
#include "catalogue/catalogue.h"

// ---- Powdered iron -------------------------------------------------------

static const CoreSize IronSizes[] = {
    // code   outside   inside  thickness   (inches)
    {"12",    0.12f,    0.06f,  0.05f},
    {"16",    0.16f,    0.08f,  0.06f},
    {"20",    0.2f,     0.09f,  0.07f},
    {"25",    0.25f,    0.12f,  0.1f},
    {"30",    0.3f,     0.15f,  0.13f},
    {"37",    0.37f,    0.21f,  0.13f},
    {"44",    0.44f,    0.23f,  0.16f},
    {"50",    0.5f,     0.3f,   0.19f},
    {"68",    0.68f,    0.37f,  0.19f},
    {"80",    0.8f,     0.5f,   0.25f},
    {"94",    0.94f,    0.56f,  0.31f},
    {"106",   1.06f,    0.57f,  0.44f},
    {"130",   1.3f,     0.78f,  0.44f},
    {"157",   1.57f,    0.95f,  0.57f},
    {"184",   1.84f,    0.95f,  0.71f},
    {"200",   2.0f,     1.25f,  0.55f},
};

static const CoreMaterial IronMaterials[] = {
    // code  range low  range high            colour code
    {"1",    0.5f,      5.0f,     0, 0,       "Blue"},
    {"2",    2.0f,      30.0f,    0, 0,       "Red"},
    {"3",    0.05f,     0.5f,     0, 0,       "Gray"},
    {"6",    10.0f,     50.0f,    0, 0,       "Yel"},
    {"7",    3.0f,      35.0f,    0, 0,       "White"},
    {"10",   30.0f,     100.0f,   0, 0,       "Black"},
    {"12",   50.0f,     200.0f,   0, 0,       "Grn/Wht"},
    {"15",   0.1f,      2.0f,     0, 0,       "Red/Wht"},
    {"17",   40.0f,     180.0f,   0, 0,       "Blu/Yel"},
    {"26",   0.0f,      1.0f,     0, 0,       "Yel/Wht"},
};

static const float IronAl[16][10] = {
    //          "1"   "2"   "3"   "6"   "7"  "10"  "12"  "15"  "17"  "26"
    /* 12  */ {  48,   20,   60,   17,   18,   12,  7.5f,  50, 7.5f,    0},
    /* 16  */ {  44,   22,   61,   19,    0,   13,    8,   55,    8,  145},
    /* 20  */ {  52,   27,   76,   22,   24,   16,   10,   65,   10,  180},
    /* 25  */ {  70,   34,  100,   27,   29,   19,   12,   85,   12,  235},
    /* 30  */ {  85,   43,  140,   36,   37,   25,   16,   93,   16,  325},
    /* 37  */ {  80,   40,  120,   30,   32,   25,   15,   90,   15,  275},
    /* 44  */ { 105,   52,  180,   42,   46,   33, 18.5f, 160, 18.5f, 360},
    /* 50  */ { 100,   49,  175,   40,   43,   31,   18,  135,   18,  320},
    /* 68  */ { 115,   57,  195,   47,   52,   32,   21,  180,   21,  420},
    /* 80  */ { 115,   55,  180,   45,   50,   32,   22,  170,   22,  450},
    /* 94  */ { 160,   84,  248,   70,    0,   58,   32,  200,    0,  590},
    /* 106 */ { 325,  135,  450,  116,  133,    0,    0,  345,    0,  900},
    /* 130 */ { 200,  110,  350,   96,  103,    0,    0,  250,    0,  785},
    /* 157 */ { 320,  140,  420,  115,    0,    0,    0,  360,    0,  870},
    /* 184 */ { 500,  240,  720,  195,    0,    0,    0,    0,    0, 1640},
    /* 200 */ { 250,  120,  425,  100,  105,    0,    0,    0,    0,  895},
};

// ---- Ferrite -------------------------------------------------------------

static const CoreSize FerriteSizes[] = {
    // code   outside   inside  thickness   (inches)
    {"23",    0.23f,    0.12f,  0.06f},
    {"37",    0.375f,   0.187f, 0.125f},
    {"50",    0.5f,     0.281f, 0.188f},
    {"50A",   0.5f,     0.312f, 0.25f},
    {"50B",   0.5f,     0.312f, 0.5f},
    {"82",    0.825f,   0.52f,  0.25f},
    {"114",   1.142f,   0.75f,  0.295f},
    {"140",   1.4f,     0.9f,   0.5f},
    {"150",   1.5f,     0.75f,  0.25f},
    {"150A",  1.5f,     0.75f,  0.5f},
    {"193",   1.932f,   1.25f,  0.625f},
    {"193A",  1.932f,   1.25f,  0.75f},
    {"240",   2.4f,     1.4f,   0.5f},
};

static const CoreMaterial FerriteMaterials[] = {
    // code  wide-band low/high   tuned-circuit low/high  colour code
    {"43",   1.0f,    50.0f,      0.01f,   1.0f,          "None"},
    {"61",   10.0f,   200.0f,     0.2f,    10.0f,         "None"},
    {"63",   25.0f,   200.0f,     15.0f,   25.0f,         "None"},
    {"67",   50.0f,   500.0f,     10.0f,   80.0f,         "None"},
    {"68",   200.0f,  1000.0f,    80.0f,   180.0f,        "None"},
    {"75",   0.2f,    15.0f,      0.001f,  1.0f,          "None"},
    {"77",   0.5f,    30.0f,      0.001f,  1.0f,          "None"},
    {"F",    0.5f,    30.0f,      0.001f,  1.0f,          "None"},
    {"J",    0.2f,    15.0f,      0.001f,  1.0f,          "None"},
};

static const float FerriteAl[13][9] = {
    //            "43"   "61"  "63"  "67"  "68"   "75"   "77"    "F"    "J"
    /* 23   */ { 1880,   248,   79,   79,   40,  9900,  3960,     0,  9800},
    /* 37   */ { 4200,   553,  177,  177,   88, 22100,  7960,     0, 21900},
    /* 50   */ { 5230,   680,  220,  220,  110, 27500,  9900,     0, 27100},
    /* 50A  */ { 5700,   750,  240,  240,  120, 29900, 10800,     0, 29700},
    /* 50B  */ {11400,  1500,  480,  480,  120,     0, 21600,     0,     0},
    /* 82   */ { 5570,   733,  224,  224,  117, 30200, 10600,     0,     0},
    /* 114  */ { 6030,   793,  254,  254,  127, 31700, 11400, 19020, 31700},
    /* 140  */ { 9520,  1400,  450,  450,    0, 67360, 23400,     0, 67360},
    /* 150  */ {    0,     0,    0,    0,    0,     0,     0, 26400, 44000},
    /* 150A */ {    0,     0,    0,    0,    0,     0,     0, 50200, 83700},
    /* 193  */ {    0,     0,    0,    0,    0,     0,     0, 36400, 60650},
    /* 193A */ {    0,     0,    0,    0,    0,     0,     0, 44600, 74350},
    /* 240  */ {12400,  1730,  530,  530,    0, 68450, 31300, 41000, 68450},
};

#define COUNT(a) (int)(sizeof(a) / sizeof((a)[0]))

static_assert(COUNT(IronAl) == COUNT(IronSizes) && COUNT(IronAl[0]) == COUNT(IronMaterials),
              "iron AL matrix must be sizes x materials");
static_assert(COUNT(FerriteAl) == COUNT(FerriteSizes) &&
                  COUNT(FerriteAl[0]) == COUNT(FerriteMaterials),
              "ferrite AL matrix must be sizes x materials");

const CoreFamilyTable IronCatalogue = {
    IronSizes, COUNT(IronSizes), IronMaterials, COUNT(IronMaterials), &IronAl[0][0],
};

const CoreFamilyTable FerriteCatalogue = {
    FerriteSizes, COUNT(FerriteSizes), FerriteMaterials, COUNT(FerriteMaterials),
    &FerriteAl[0][0],
};

// ---- Lookup --------------------------------------------------------------

const CoreFamilyTable &catalogueOf(CoreType family)
{
    return family == CorePowderedIron ? IronCatalogue : FerriteCatalogue;
}

const char *familyName(CoreType family)
{
    return family == CorePowderedIron ? "iron" : "ferrite";
}

const char *familyPrefix(CoreType family)
{
    return family == CorePowderedIron ? "T-" : "FT-";
}

int codeIndex(const CoreFamilyTable &t, const std::string &code, bool sizes)
{
    int n = sizes ? t.sizeCount : t.materialCount;
    for (int i = 0; i < n; i++)
        if (code == (sizes ? t.sizes[i].code : t.materials[i].code))
            return i;
    return -1;
}
