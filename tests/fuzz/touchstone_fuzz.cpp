// libFuzzer target: arbitrary bytes as a Touchstone file and as a curve.
// Nothing may crash; what is read is finite, its frequencies increase, and
// a refusal names a line of the file.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "design/ferrite.h"
#include "design/touchstone.h"

static void check(bool ok)
{
    if (!ok)
        abort();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::string text((const char *)data, size);
    int lines = 1;
    for (char c : text)
        lines += c == '\n';
    for (int ports : {0, 1, 2}) {
        design::Touchstone file;
        design::TouchstoneError error;
        if (design::readTouchstone(text, ports, &file, &error)) {
            check(!file.hz.empty() && file.hz.size() == file.data.size() && file.referenceOhms > 0);
            for (size_t i = 0; i < file.hz.size(); i++) {
                check(std::isfinite(file.hz[i]) && (i == 0 || file.hz[i] > file.hz[i - 1]));
                check(file.data[i].size() == (file.ports == 1 ? 1u : 4u));
                for (auto v : file.data[i])
                    check(std::isfinite(v.real()) && std::isfinite(v.imag()));
            }
            for (design::MeasureMethod m : {design::Reflection, design::SeriesThrough, design::ShuntThrough})
                check(design::measuredImpedance(file, m).size() == file.hz.size());
        } else {
            check(error.line >= 0 && error.line <= lines);
        }
    }
    std::vector<design::PermeabilityPoint> points;
    design::TouchstoneError error;
    if (design::readCurve(text, &points, &error)) {
        check(points.size() >= 2);
        for (size_t i = 1; i < points.size(); i++)
            check(points[i].hz > points[i - 1].hz);
    }
    return 0;
}
