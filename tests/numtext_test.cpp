// numberToText, textToNumber and roundToInteger: worked examples, radix
// forms, and properties over a large sample of float bit patterns checked
// against a slow exact reference.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

#include "calc/numtext.h"
#include "tests/numref.h"

namespace {

float fromBits(uint32_t bits)
{
    float f;
    memcpy(&f, &bits, sizeof f);
    return f;
}

uint32_t toBits(float f)
{
    uint32_t bits;
    memcpy(&bits, &f, sizeof bits);
    return bits;
}

struct ToText {
    float value;
    int digits;
    const char *text;
};

TEST(NumberToText, WorkedExamples)
{
    const ToText cases[] = {
        {12.5f, 7, " 12.5"},
        {22, 7, " 22"},
        {3.14159265f, 7, " 3.141593"},
        {0.5f, 7, " .5"},
        {-0.5f, 7, "-.5"},
        {-3, 7, "-3"},
        {0, 7, " 0"},
        {0.000123f, 7, " .000123"},
        {0.0000123f, 7, " .0000123"},
        {0.00000123f, 7, " 1.23E-6"},
        {1234567.8f, 7, " 1234568"},
        {1000000, 7, " 1000000"},
        {10000000, 7, " 1E+7"},
        {12345678, 7, " 1.234568E+7"},
        {100000000, 7, " 1E+8"},
        {12.25f, 3, " 12.2"},
        {12.75f, 3, " 12.8"},
        {12.251f, 3, " 12.2"},
        {250, 3, " 250"},
        {999.6f, 3, " 1E+3"},
        {1000, 3, " 1E+3"},
        {1234, 3, " 1.23E+3"},
        {-1234, 3, "-1.23E+3"},
        {0.05f, 3, " .05"},
        {0.005f, 3, " .005"},
        {0.0005f, 3, " 5E-4"},
        {0.0123f, 3, " 1.23E-2"},
        {123.456f, 5, " 123.46"},
        {99999, 5, " 99999"},
        {100000, 5, " 1E+5"},
        {123456, 5, " 1.2346E+5"},
    };
    for (const ToText &c : cases)
        EXPECT_EQ(numberToText(c.value, c.digits), c.text) << c.value << " with " << c.digits;
}

TEST(NumberToText, SpecialValuesAndDigitCounts)
{
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const ToText cases[] = {
        {-0.0f, 7, " 0"},
        {nan, 7, " 0"},
        {-nan, 3, " 0"},
        {inf, 7, " 9.999999E+998"},
        {-inf, 3, "-9.99E+998"},
        {inf, 1, " 9E+998"},
        {12.5f, 0, " 12.5"},                       // 0 means 18
        {0.1f, 25, " .100000001490116119"},        // and so does 25
        {0.1f, 18, " .100000001490116119"},
        {16777216, 18, " 16777216"},
        {0x1p127f, 7, " 1.701412E+38"},
        {std::numeric_limits<float>::max(), 18, " 3.4028234663852886E+38"},
        {std::numeric_limits<float>::denorm_min(), 7, " 1.401298E-45"},
        {9.5f, 1, " 1E+1"},                        // 9|5: 9 is odd, carry into a new digit
        {8.5f, 1, " 8"},                           // 8|5: even, stays
        {0.95f, 1, " .9"},                         // .94999999: the next digit is 4
        {1.0f, 18, " 1"},
    };
    for (const ToText &c : cases)
        EXPECT_EQ(numberToText(c.value, c.digits), c.text) << c.value << " with " << c.digits;
}

struct FromText {
    const char *text;
    float value;
};

TEST(TextToNumber, Decimal)
{
    const FromText cases[] = {
        {"  12.5", 12.5f},
        {"12.5 uH", 12.5f},
        {"1,5", 1},
        {"1.2.3", 1.2f},
        {".5", 0.5f},
        {"5.", 5},
        {"1e3", 1000},
        {"1D3", 1000},
        {"1d-3", 0.001f},
        {"1E+3", 1000},
        {"2E", 2},
        {"2E+", 2},
        {"- 5", 0},
        {"+-5", 0},
        {"--5", 0},
        {"abc", 0},
        {"", 0},
        {"   ", 0},
        {".", 0},
        {"-", 0},
        {"\r5", 0},
        {"\t\n 7", 7},
        {" 1.23E+3", 1230},
        {" 1.23E-6", 0.00000123f},
        {" .000123", 0.000123f},
        {"-.5", -0.5f},
        {"+3", 3},
        {"0.001", 0.001f},
        {"000000000000000000000000012", 12},
        {"0.0000000000000000000000000001E28", 1},
        {"123456789012345678999", 123456789012345678000.0f},  // digits past 18 are zeros
        {"1E39", std::numeric_limits<float>::infinity()},
        {"1E38", 1e38f},
        {"1E-46", 0},
        {"1E-45", 1e-45f},
        {"1E4931", std::numeric_limits<float>::infinity()},  // P + X = 4932
        {"1E4932", 0x1p127f},                                  // P + X = 4933
                {"9E4931", std::numeric_limits<float>::infinity()},    // P + X = 4932
        {"1E99999", 0x1p127f},                                 // the exponent stops at 9999
        {"-1E99999", -0x1p127f},
        {"1E-4932", 0},
        {"0E9999", 0},
        {"0.5e1x", 5},
        {"1e1.5", 10},
        {"16777217", 16777216},
        {"3.4028235E38", std::numeric_limits<float>::max()},
    };
    for (const FromText &c : cases)
        EXPECT_EQ(textToNumber(c.text), c.value) << "'" << c.text << "'";
}

TEST(TextToNumber, Radix)
{
    const FromText cases[] = {
        {"&H1A", 26},
        {"&h1a", 26},
        {"&O17", 15},
        {"&o17", 15},
        {"&Q17", 15},
        {"&17", 15},
        {"&B101", 5},
        {"&b101", 5},
        {"&H8000", -32768},
        {"&H", 0},
        {"&HG", 0},
        {"&", 0},
        {"&8", 0},                 // not an octal digit
        {"&O78", 7},
        {"&B102", 2},
        {"  &H10", 16},
        {"-&H10", 0},              // a sign does not start a radix number
        {"&HFFFF", -1},
        {"&HFFFF&", 65535},
        {"&HFFFF&&", 65535},
        {"&HFFFF%", -1},
        {"&HFFFF?", 65535},
        {"&H0FFFF", 65535},
        {"&H7FFF", 32767},
        {"&HFFFFFFFF", -1},
        {"&HFFFFFFFF&", -1},
        {"&HFFFFFFFF&&", 4294967295.0f},
        {"&H0FFFFFFFF", 4294967295.0f},
        {"&H80000000", -2147483648.0f},
        {"&H10000", 65536},
        {"&HFFFFFFFFFFFFFFFF", -1},
        {"&HFFFFFFFFFFFFFFFF?", 0}, // bit 63 with a question mark
        {"&H7FFFFFFFFFFFFFFF?", 9223372036854775807.0f},
        {"&HFFFFFFFFFFFFFFFF??", 0},
        {"&H10000000000000000", 0}, // 65 bits
        {"&H00000000000000000001", 1}, // leading zeros do not count
        {"&B1111111111111111", -1},
        {"&177777", -1},
        {"&1777777777777777777777", -1},
        {"&2000000000000000000000", 0}, // 65 bits in octal
    };
    for (const FromText &c : cases)
        EXPECT_EQ(textToNumber(c.text), c.value) << "'" << c.text << "'";
}

TEST(TextToNumber, ReadsOnlyItsLength)
{
    const char text[] = "12345";
    EXPECT_EQ(textToNumber(text, 2), 12);
    EXPECT_EQ(textToNumber(text, 0), 0);
    const char radix[] = "&HFF";
    EXPECT_EQ(textToNumber(radix, 3), 15);
    const char nul[] = {'1', '\0', '2'};
    EXPECT_EQ(textToNumber(nul, 3), 1);
}

TEST(TextToNumber, HugeTexts)
{
    std::string digits(1 << 20, '7');
    EXPECT_EQ(textToNumber(digits), 0x1p127f); // P is far past 4933
    std::string fraction = "." + std::string(1 << 20, '0') + "1";
    EXPECT_EQ(textToNumber(fraction), 0);
    std::string tiny = "0." + std::string(40, '0') + "1e50";
    EXPECT_EQ(textToNumber(tiny), 1e9f);
    std::string exponent = "1e" + std::string(1 << 20, '9');
    EXPECT_EQ(textToNumber(exponent), 0x1p127f);
    std::string junk(1 << 20, '\xff');
    EXPECT_EQ(textToNumber(junk), 0);
    std::string hex = "&H" + std::string(1 << 20, 'F');
    EXPECT_EQ(textToNumber(hex), 0);
}

TEST(RoundToInteger, TiesToEven)
{
    const struct {
        float in;
        int32_t out;
    } cases[] = {
        {12.5f, 12}, {13.5f, 14}, {2.5f, 2}, {3.5f, 4}, {-2.5f, -2}, {-3.5f, -4},
        {0.49999997f, 0}, {45.175f, 45}, {0, 0}, {65535.5f, 65536}, {1e9f, 1000000000},
        {3e9f, INT32_MIN}, {std::numeric_limits<float>::quiet_NaN(), INT32_MIN},
    };
    for (const auto &c : cases)
        EXPECT_EQ(roundToInteger(c.in), c.out) << c.in;
}

// ---- Properties over many bit patterns -----------------------------------

#ifdef _WIN32
const uint32_t SampleSize = 100000; // Wine is slower; the native run takes the big sample
#else
const uint32_t SampleSize = 1000000;
#endif

// A deterministic sample: edge patterns first, then splitmix64.
uint32_t samplePattern(uint32_t i)
{
    static const uint32_t edges[] = {
        0x00000000, 0x80000000, 0x00000001, 0x80000001, 0x007FFFFF, 0x00800000,
        0x7F7FFFFF, 0xFF7FFFFF, 0x7F800000, 0xFF800000, 0x7FC00000, 0x3F800000,
        0x3DCCCCCD, 0x41480000, 0x447A0000, 0x4B7FFFFF, 0x4B800000, 0x3A83126F,
    };
    if (i < sizeof edges / sizeof edges[0])
        return edges[i];
    uint64_t z = (uint64_t)i * 0x9E3779B97F4A7C15ull;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return (uint32_t)(z ^ (z >> 31));
}

bool wellFormed(const std::string &text, float x, std::string *why)
{
    if (text.empty())
        return *why = "empty", false;
    if (text.find_first_not_of(" 0123456789-.E+") != std::string::npos)
        return *why = "stray character", false;
    if (text.back() == ' ' || text.back() == '.')
        return *why = "bad last character", false;
    if ((text[0] == ' ') != !(x < 0))
        return *why = "sign character", false;
    if (text.size() >= NumberTextMax)
        return *why = "too long", false;
    return true;
}

// The sample in two halves, so that ctest runs them side by side (under the
// sanitizers the whole takes most of a minute).
void formRoundTripAndReference(uint32_t first, uint32_t end)
{
    char buf[NumberTextMax];
    for (uint32_t i = first; i < end; i++) {
        uint32_t bits = samplePattern(i);
        float x = fromBits(bits);

        std::string nine = numberToText(x, 9);
        std::string why;
        ASSERT_TRUE(wellFormed(nine, x, &why)) << why << ": " << std::hex << bits << " '" << nine << "'";
        if (std::isfinite(x)) {
            float back = textToNumber(nine);
            ASSERT_TRUE(toBits(back) == bits || (x == 0 && back == 0))
                << std::hex << bits << " '" << nine << "' read back as " << toBits(back);
        }

        ReferenceDigits ref = referenceDigits(x);
        for (int d = 1; d <= 18; d++) {
            size_t n = numberToText(x, d, buf);
            ASSERT_EQ(std::string(buf, n), referenceText(ref, d)) << std::hex << bits << std::dec << " D=" << d;
        }
    }
}

TEST(NumberTextProperties, FormRoundTripAndReferenceFirstHalf)
{
    formRoundTripAndReference(0, SampleSize / 2);
}

TEST(NumberTextProperties, FormRoundTripAndReferenceSecondHalf)
{
    formRoundTripAndReference(SampleSize / 2, SampleSize);
}

} // namespace
