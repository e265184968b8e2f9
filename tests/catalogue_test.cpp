// Catalogue data and lookupCore, family by family, pair by pair.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "calc/controlids.h"
#include "calc/numtext.h"
#include "calc/results.h"
#include "calc/state.h"
#include "calc/core.h"
#include "calc/memform.h"

namespace {

struct Family {
    const char *name;
    CoreType type;
    const CoreFamilyTable &table;
    std::vector<std::string> sizes, materials;
    std::vector<float> rowSums, columnSums;          // of the AL matrix, by hand
    std::set<std::pair<std::string, std::string>> noInformation;
};

const Family Families[] = {
    {"iron", CorePowderedIron, IronCatalogue,
     {"12", "16", "20", "25", "30", "37", "44", "50", "68", "80", "94", "106", "130", "157", "184", "200"},
     {"1", "2", "3", "6", "7", "10", "12", "15", "17", "26"},
     {240, 375, 482, 623, 816, 722, 1015, 929, 1140, 1141, 1442, 2404, 1894, 2225, 3295, 1895},
     {2569, 1228, 3900, 1017, 672, 296, 180, 2238, 148, 8390},
     {{"12", "26"}, {"16", "7"}, {"94", "7"}, {"94", "17"},
      {"106", "10"}, {"106", "12"}, {"106", "17"}, {"130", "10"}, {"130", "12"}, {"130", "17"},
      {"157", "7"}, {"157", "10"}, {"157", "12"}, {"157", "17"},
      {"184", "7"}, {"184", "10"}, {"184", "12"}, {"184", "15"}, {"184", "17"},
      {"200", "10"}, {"200", "12"}, {"200", "15"}, {"200", "17"}}},
    {"ferrite", CoreFerrite, FerriteCatalogue,
     {"23", "37", "50", "50A", "50B", "82", "114", "140", "150", "150A", "193", "193A", "240"},
     {"43", "61", "63", "67", "68", "75", "77", "F", "J"},
     {25986, 57155, 70960, 77450, 35580, 47668, 101278, 169940, 70400, 133900, 97050, 118950, 224390},
     {61930, 8387, 2654, 2654, 722, 287110, 130920, 217620, 518710},
     {{"23", "F"}, {"37", "F"}, {"50", "F"}, {"50A", "F"}, {"50B", "75"}, {"50B", "F"},
      {"50B", "J"}, {"82", "F"}, {"82", "J"}, {"140", "68"}, {"140", "F"}, {"240", "68"},
      {"150", "43"}, {"150", "61"}, {"150", "63"}, {"150", "67"}, {"150", "68"}, {"150", "75"}, {"150", "77"},
      {"150A", "43"}, {"150A", "61"}, {"150A", "63"}, {"150A", "67"}, {"150A", "68"}, {"150A", "75"}, {"150A", "77"},
      {"193", "43"}, {"193", "61"}, {"193", "63"}, {"193", "67"}, {"193", "68"}, {"193", "75"}, {"193", "77"},
      {"193A", "43"}, {"193A", "61"}, {"193A", "63"}, {"193A", "67"}, {"193A", "68"}, {"193A", "75"}, {"193A", "77"}}},
};

class Catalogue : public testing::Test {
protected:
    void SetUp() override { form.reset(); }
};

std::string padded(const char *code)
{
    std::string s = code;
    s.resize(ColorCodeWidth, ' ');
    return s;
}

TEST_F(Catalogue, ListsAreInComboBoxOrder)
{
    for (const Family &f : Families) {
        SCOPED_TRACE(f.name);
        ASSERT_EQ(f.table.sizeCount, (int)f.sizes.size());
        ASSERT_EQ(f.table.materialCount, (int)f.materials.size());
        for (int i = 0; i < f.table.sizeCount; i++)
            EXPECT_EQ(f.table.sizes[i].code, f.sizes[i]) << "position " << i + 1;
        for (int i = 0; i < f.table.materialCount; i++)
            EXPECT_EQ(f.table.materials[i].code, f.materials[i]) << "position " << i + 1;
    }
}

TEST_F(Catalogue, AlMatrixRowAndColumnSums)
{
    for (const Family &f : Families) {
        SCOPED_TRACE(f.name);
        for (int s = 0; s < f.table.sizeCount; s++) {
            double sum = 0;
            for (int m = 0; m < f.table.materialCount; m++)
                sum += f.table.alOf(s, m);
            EXPECT_EQ(sum, f.rowSums[s]) << "size " << f.sizes[s];
        }
        for (int m = 0; m < f.table.materialCount; m++) {
            double sum = 0;
            for (int s = 0; s < f.table.sizeCount; s++)
                sum += f.table.alOf(s, m);
            EXPECT_EQ(sum, f.columnSums[m]) << "material " << f.materials[m];
        }
    }
}

// The size and material tables against totals and colour codes taken by hand
// from the published tables, as the AL sums above.
TEST_F(Catalogue, DimensionsRangesAndColoursAgainstHandTotals)
{
    const struct {
        const CoreFamilyTable &table;
        double outside, inside, thickness;         // inches
        double low, high, tunedLow, tunedHigh;     // MHz
        std::vector<std::string> colours;
    } totals[] = {
        {IronCatalogue, 12.53, 7.17, 4.35, 135.65, 603.5, 0, 0,
         {"Blue", "Red", "Gray", "Yel", "White", "Black", "Grn/Wht", "Red/Wht", "Blu/Yel", "Yel/Wht"}},
        {FerriteCatalogue, 14.736, 8.782, 4.793, 287.4, 2040, 105.214, 300,
         std::vector<std::string>(9, "None")},
    };
    for (const auto &t : totals) {
        double od = 0, id = 0, th = 0, lo = 0, hi = 0, tlo = 0, thi = 0;
        for (int i = 0; i < t.table.sizeCount; i++) {
            od += t.table.sizes[i].outsideDiameter;
            id += t.table.sizes[i].insideDiameter;
            th += t.table.sizes[i].thickness;
        }
        ASSERT_EQ(t.table.materialCount, (int)t.colours.size());
        for (int m = 0; m < t.table.materialCount; m++) {
            const CoreMaterial &c = t.table.materials[m];
            lo += c.rangeLowMHz;
            hi += c.rangeHighMHz;
            tlo += c.tunedLowMHz;
            thi += c.tunedHighMHz;
            EXPECT_STREQ(c.colorCode, t.colours[m].c_str()) << "material " << c.code;
        }
        // Sums of single-precision values: the last digits are float noise.
        EXPECT_NEAR(od, t.outside, 1e-5);
        EXPECT_NEAR(id, t.inside, 1e-5);
        EXPECT_NEAR(th, t.thickness, 1e-5);
        EXPECT_NEAR(lo, t.low, 1e-5);
        EXPECT_NEAR(hi, t.high, 1e-5);
        EXPECT_NEAR(tlo, t.tunedLow, 1e-5);
        EXPECT_NEAR(thi, t.tunedHigh, 1e-5);
    }
}

// Every pair of both families through lookupCore, in both units.
TEST_F(Catalogue, EveryPairInBothUnits)
{
    for (const Family &f : Families) {
        for (LengthUnit unit : {LengthInches, LengthMillimetres}) {
            int refused = 0;
            for (int s = 0; s < f.table.sizeCount; s++) {
                for (int m = 0; m < f.table.materialCount; m++) {
                    const std::string &size = f.sizes[s], &material = f.materials[m];
                    SCOPED_TRACE(std::string(f.name) + " " + size + " / " + material);
                    form.reset();
                    coreType = f.type;
                    setLengthUnit(unit);
                    coreSpec.tunedLowMHz = coreSpec.tunedHighMHz = -1;
                    bool found = lookupCore(size, material);
                    bool expectRefused = f.noInformation.count({size, material}) > 0;
                    EXPECT_EQ(found, !expectRefused);
                    if (!found) {
                        refused++;
                        ASSERT_EQ(form.messages.size(), 1u);
                        EXPECT_EQ(form.messages[0].text, InvalidDataMessages[1]);
                        ASSERT_EQ(form.writes.size(), 8u); // the reset came first
                        continue;
                    }
                    EXPECT_TRUE(form.writes.empty());
                    EXPECT_TRUE(form.messages.empty());
                    const CoreSize &cs = f.table.sizes[s];
                    const CoreMaterial &cm = f.table.materials[m];
                    float factor = unit == LengthMillimetres ? 25.4f : 1.0f;
                    EXPECT_EQ(coreSpec.al, f.table.alOf(s, m));
                    EXPECT_GT(coreSpec.al, 1.0f);
                    EXPECT_EQ(coreSpec.outsideDiameter, cs.outsideDiameter * factor);
                    EXPECT_EQ(coreSpec.insideDiameter, cs.insideDiameter * factor);
                    EXPECT_EQ(coreSpec.thickness, cs.thickness * factor);
                    EXPECT_EQ(coreSpec.rangeLowMHz, cm.rangeLowMHz);
                    EXPECT_EQ(coreSpec.rangeHighMHz, cm.rangeHighMHz);
                    EXPECT_EQ(std::string(coreSpec.colorCode), padded(cm.colorCode));
                    if (f.type == CoreFerrite) {
                        EXPECT_EQ(coreSpec.tunedLowMHz, cm.tunedLowMHz);
                        EXPECT_EQ(coreSpec.tunedHighMHz, cm.tunedHighMHz);
                        EXPECT_EQ(std::string(cm.colorCode), "None");
                    } else {
                        EXPECT_EQ(coreSpec.tunedLowMHz, -1); // left unchanged
                        EXPECT_EQ(coreSpec.tunedHighMHz, -1);
                    }
                }
            }
            EXPECT_EQ(refused, (int)f.noInformation.size()) << f.name;
        }
    }
}

struct Worked {
    CoreType type;
    LengthUnit unit;
    const char *size, *material;
    float al, od, id, thickness, low, high, tunedLow, tunedHigh;
    const char *color;
};

// The examples of the catalogue's own description, digit for digit.
TEST_F(Catalogue, WorkedExamples)
{
    const float mm = 25.4f;
    const Worked cases[] = {
        {CorePowderedIron, LengthInches, "50", "2", 49, 0.5f, 0.3f, 0.19f, 2, 30, 0, 0, "Red"},
        {CorePowderedIron, LengthMillimetres, "50", "2", 49, 0.5f * mm, 0.3f * mm, 0.19f * mm, 2, 30, 0, 0, "Red"},
        {CorePowderedIron, LengthInches, "200", "26", 895, 2, 1.25f, 0.55f, 0, 1, 0, 0, "Yel/Wht"},
        {CoreFerrite, LengthInches, "50B", "43", 11400, 0.5f, 0.312f, 0.5f, 1, 50, 0.01f, 1, "None"},
        {CoreFerrite, LengthInches, "50", "43", 5230, 0.5f, 0.281f, 0.188f, 1, 50, 0.01f, 1, "None"},
        {CoreFerrite, LengthInches, "114", "F", 19020, 1.142f, 0.75f, 0.295f, 0.5f, 30, 0.001f, 1, "None"},
        {CoreFerrite, LengthInches, "240", "J", 68450, 2.4f, 1.4f, 0.5f, 0.2f, 15, 0.001f, 1, "None"},
        {CoreFerrite, LengthMillimetres, "37", "61", 553, 0.375f * mm, 0.187f * mm, 0.125f * mm, 10, 200, 0.2f, 10, "None"},
    };
    for (const Worked &w : cases) {
        SCOPED_TRACE(std::string(w.size) + " / " + w.material);
        form.reset();
        coreType = w.type;
        setLengthUnit(w.unit);
        coreSpec = CoreSpec{};
        ASSERT_TRUE(lookupCore(w.size, w.material));
        EXPECT_EQ(coreSpec.al, w.al);
        EXPECT_EQ(coreSpec.outsideDiameter, w.od);
        EXPECT_EQ(coreSpec.insideDiameter, w.id);
        EXPECT_EQ(coreSpec.thickness, w.thickness);
        EXPECT_EQ(coreSpec.rangeLowMHz, w.low);
        EXPECT_EQ(coreSpec.rangeHighMHz, w.high);
        EXPECT_EQ(coreSpec.tunedLowMHz, w.tunedLow);
        EXPECT_EQ(coreSpec.tunedHighMHz, w.tunedHigh);
        EXPECT_EQ(std::string(coreSpec.colorCode), padded(w.color));
    }
}

TEST_F(Catalogue, MillimetresAreSinglePrecisionProducts)
{
    setLengthUnit(LengthMillimetres);
    ASSERT_TRUE(lookupCore("50", "2"));
    // 12.7, 7.62 and 4.826 when shown to seven digits.
    EXPECT_EQ(numberToText(coreSpec.outsideDiameter, 7), " 12.7");
    EXPECT_EQ(numberToText(coreSpec.insideDiameter, 7), " 7.62");
    EXPECT_EQ(numberToText(coreSpec.thickness, 7), " 4.826");
    EXPECT_EQ(coreSpec.outsideDiameter, 12.7f);
    coreType = CoreFerrite;
    ASSERT_TRUE(lookupCore("37", "61"));
    EXPECT_EQ(numberToText(coreSpec.outsideDiameter, 7), " 9.525");
    EXPECT_EQ(numberToText(coreSpec.insideDiameter, 7), " 4.7498");
    EXPECT_EQ(numberToText(coreSpec.thickness, 7), " 3.175");
}

struct Refusal {
    CoreType type;
    const char *size, *material;
    int message;
};

TEST_F(Catalogue, RefusedTextsAndPairs)
{
    const Refusal cases[] = {
        {CorePowderedIron, "", "", 0},       // boxes not created yet
        {CorePowderedIron, "50", "", 0},
        {CorePowderedIron, "", "2", 0},
        {CorePowderedIron, " 50", "2", 0},
        {CorePowderedIron, "50 ", "2", 0},
        {CorePowderedIron, "050", "2", 0},   // no numeric comparison
        {CorePowderedIron, "50", "2.0", 0},
        {CorePowderedIron, "23", "2", 0},    // a ferrite size
        {CorePowderedIron, "12", "26", 1},
        {CorePowderedIron, "16", "7", 1},
        {CoreFerrite, "114", "f", 0},        // the material is a capital F
        {CoreFerrite, "50a", "43", 0},
        {CoreFerrite, "12", "43", 0},        // an iron-only size
        {CoreFerrite, "150", "43", 1},
        {CoreFerrite, "23", "F", 1},
        {CoreFerrite, "240", "68", 1},
    };
    for (const Refusal &r : cases) {
        SCOPED_TRACE(std::string("'") + r.size + "' / '" + r.material + "'");
        form.reset();
        coreType = r.type;
        EXPECT_FALSE(lookupCore(r.size, r.material));
        ASSERT_EQ(form.messages.size(), 1u);
        EXPECT_EQ(form.messages[0].text, InvalidDataMessages[r.message]);
        EXPECT_EQ(form.messages[0].caption, "Invalid Data");
        // clearResults ran, all eight writes, before the box.
        EXPECT_EQ(form.writes.size(), 8u);
        EXPECT_EQ(form.text(ID_OD_LABEL), "Outside Diameter:");
    }
}

// What the catalogue's description says about its own data.
TEST_F(Catalogue, DescribedRelationsHold)
{
    auto col = [](const CoreFamilyTable &t, const char *code) {
        for (int m = 0; m < t.materialCount; m++)
            if (!strcmp(t.materials[m].code, code))
                return m;
        return -1;
    };
    const CoreFamilyTable &iron = IronCatalogue;
    int m12 = col(iron, "12"), m17 = col(iron, "17");
    for (int s = 0; s < iron.sizeCount; s++) {
        bool upTo80 = s <= 9; // "12" .. "80"
        EXPECT_EQ(iron.alOf(s, m12) == iron.alOf(s, m17), upTo80 || iron.alOf(s, m12) == 0)
            << iron.sizes[s].code;
    }
    EXPECT_EQ(iron.materials[col(iron, "26")].rangeLowMHz, 0.0f);

    const CoreFamilyTable &ferrite = FerriteCatalogue;
    int m63 = col(ferrite, "63"), m67 = col(ferrite, "67"), m75 = col(ferrite, "75"),
        mJ = col(ferrite, "J");
    for (int s = 0; s < ferrite.sizeCount; s++) {
        EXPECT_EQ(ferrite.alOf(s, m63), ferrite.alOf(s, m67));
        float a = ferrite.alOf(s, m75), b = ferrite.alOf(s, mJ);
        if (s <= 3) {
            EXPECT_NE(a, b) << ferrite.sizes[s].code;
        } else if (s >= 6 && a != 0 && b != 0) {
            EXPECT_EQ(a, b) << ferrite.sizes[s].code;
        }
    }
    EXPECT_EQ(ferrite.materials[m75].rangeLowMHz, ferrite.materials[mJ].rangeLowMHz);
    EXPECT_EQ(ferrite.materials[m75].tunedHighMHz, ferrite.materials[mJ].tunedHighMHz);
    EXPECT_NE(ferrite.materials[m63].rangeLowMHz, ferrite.materials[m67].rangeLowMHz);
}

} // namespace
