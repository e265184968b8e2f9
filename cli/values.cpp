// Reading what the user typed: numbers, families, cores and drives.
#include <cmath>
#include <cstdlib>
#include <fstream>

#include "cli/layout.h"
#include "cli/refusals.h"
#include "cli/request.h"

namespace cli {

bool readNumber(const std::string &text, const char *option, double *value, Failure *failure)
{
    if (!readPlainNumber(text, value))
        return refuse(failure, MalformedNumber, {text, option});
    return true;
}

bool readWhole(const std::string &text, const char *option, int least, int most, Refusal range, int *value,
               Failure *failure)
{
    double v;
    if (!readNumber(text, option, &v, failure))
        return false;
    if (!(v >= least && v <= most && v == std::floor(v)))
        return refuse(failure, range, {std::to_string(least), std::to_string(most)});
    *value = (int)v;
    return true;
}

bool readFamily(const std::string &text, CoreType *family, Failure *failure)
{
    if (text == "iron")
        *family = CorePowderedIron;
    else if (text == "ferrite")
        *family = CoreFerrite;
    else
        return refuse(failure, UnknownFamily, {text});
    return true;
}

bool readFamilies(const std::string &text, std::vector<CoreType> *families, Failure *failure)
{
    *families = {CorePowderedIron, CoreFerrite};
    if (text.empty())
        return true;
    CoreType f;
    if (!readFamily(text, &f, failure))
        return false;
    *families = {f};
    return true;
}

LengthUnit readUnit(const std::string &text)
{
    return text == "mm" ? LengthMillimetres : LengthInches;
}

double nanohenriesPer(const std::string &units)
{
    return units == "nH" ? 1 : units == "mH" ? 1e6 : 1e3;
}

const CoreSize &Core::dimensions() const { return catalogueOf(family).sizes[sizeIndex]; }
const CoreMaterial &Core::mix() const { return catalogueOf(family).materials[materialIndex]; }
float Core::al() const { return catalogueOf(family).alOf(sizeIndex, materialIndex); }
std::string Core::name() const { return familyPrefix(family) + size + "-" + material; }

bool readCore(const CoreOptions &o, Core *core, Failure *failure)
{
    if (!readFamily(o.family, &core->family, failure))
        return false;
    core->unit = readUnit(o.unit);
    const CoreFamilyTable &t = catalogueOf(core->family);
    core->size = o.size;
    core->material = o.material;
    core->sizeIndex = codeIndex(t, o.size, true);
    core->materialIndex = codeIndex(t, o.material, false);
    const std::string family = familyName(core->family);
    if (core->sizeIndex < 0)
        return refuse(failure, UnknownSize, {family, o.size, codeList(t, true)});
    if (core->materialIndex < 0)
        return refuse(failure, UnknownMaterial, {family, o.material, codeList(t, false)});
    return true;
}

bool readCoreWithAl(const CoreOptions &o, Core *core, Failure *failure)
{
    if (!readCore(o, core, failure))
        return false;
    if (!(core->al() > 1.0f))
        return refuse(failure, NoAlForCore, {core->name()});
    return true;
}

bool readFrequencyCore(const CoreOptions &o, NamedCore *c, Failure *failure)
{
    CoreType family;
    if (!readFamily(o.family, &family, failure))
        return false;
    if (family == CorePowderedIron) {
        Core core;
        if (!readCoreWithAl(o, &core, failure))
            return false;
        c->name = core.name();
    }
    switch (frequencyCore(family, o.size, o.material, c)) {
    case NoSuchSize:
        return refuse(failure, UnknownSize, {"ferrite", o.size, codeList(FerriteCatalogue, true)});
    case NoCurve:
        return refuse(failure, NoCurveData, {o.material, curveMaterials()});
    case NoAl: // readCoreWithAl has refused it already
    case CoreFound:
        break;
    }
    if (family == CoreFerrite)
        c->name = std::string(familyPrefix(CoreFerrite)) + o.size + "-" + o.material;
    return true;
}

bool withinData(const FrequencyCore &c, double lowMhz, double highMhz, Failure *failure)
{
    if (withinCurve(c, lowMhz * 1e6, highMhz * 1e6))
        return true;
    return refuse(failure, OutsideCurve, {c.data->code, significant(c.data->lowHz() / 1e6),
                                          significant(c.data->highHz() / 1e6)});
}

// The drive's numbers, each read if given; the rules come after (readDrive).
bool readDriveNumbers(const DriveOptions &o, Drive *d, Failure *failure)
{
    return (!o.vrms.given || readNumber(o.vrms.text, "--vrms", &d->vrms, failure)) &&
           (!o.watts.given || readNumber(o.watts.text, "--watts", &d->watts, failure)) &&
           readNumber(o.ohms, "--ohms", &d->ohms, failure) &&
           (!o.amps.given || readNumber(o.amps.text, "--amps", &d->amps, failure));
}

bool readDrive(const DriveOptions &o, Refusal which, Drive *d, Failure *failure)
{
    if (o.vrms.given + o.watts.given + o.amps.given != 1)
        return refuse(failure, which);
    if ((o.vrms.given && !finitePositive(d->vrms)) || (o.watts.given && !finitePositive(d->watts)) ||
        !finitePositive(d->ohms) || (o.amps.given && !finitePositive(d->amps)))
        return refuse(failure, DriveAboveZero);
    d->byCurrent = o.amps.given;
    d->byPower = o.watts.given;
    if (d->byPower)
        d->vrms = voltageFromPower(d->watts, d->ohms);
    return true;
}

bool readFileText(const std::string &path, std::string *text, Failure *failure)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return refuse(failure, MeasureFile, {path});
    in.seekg(0, std::ios::end);
    std::streamoff size = in.tellg();
    if (size < 0)
        return refuse(failure, MeasureFile, {path});
    if ((size_t)size > TouchstoneMostBytes)
        return refuse(failure, MeasureFileTooLarge, {path});
    in.seekg(0);
    text->assign((size_t)size, '\0');
    if (!in.read(&(*text)[0], size))
        return refuse(failure, MeasureFile, {path});
    return true;
}

// What is wrong on a line of a measurement's or a curve's file.
std::string lineFault(const TouchstoneError &e)
{
    switch (e.fault) {
    case TouchstoneBadOption: return "option line token '" + e.text + "' is not a unit, a parameter, a format or R";
    case TouchstoneBadReference: return "the reference resistance '" + e.text + "' is not a number above 0";
    case TouchstoneNotANumber: return "'" + e.text + "' is not a number";
    case TouchstoneWrongCount: return e.text + " numbers where a line has a frequency and its pairs";
    case TouchstoneNotFinite: return "'" + e.text + "' is not finite";
    case TouchstoneNotIncreasing: return "frequency " + e.text + " does not increase";
    default: return "unreadable";
    }
}

bool readCurveCore(const CoreOptions &o, const std::string &curveText, NamedCore *c, Failure *failure)
{
    CoreType family;
    if (!readFamily(o.family, &family, failure))
        return false;
    int size = codeIndex(FerriteCatalogue, o.size, true);
    if (family != CoreFerrite || size < 0)
        return refuse(failure, UnknownSize, {"ferrite", o.size, codeList(FerriteCatalogue, true)});
    auto points = std::make_shared<std::vector<PermeabilityPoint>>();
    TouchstoneError e;
    if (!readCurve(curveText, points.get(), &e)) {
        if (e.fault == TouchstoneNoData)
            return refuse(failure, CurveTooShort);
        if (e.fault == TouchstoneTooLarge)
            return refuse(failure, MeasureFileTooLarge, {"the curve"});
        return refuse(failure, CurveLine, {std::to_string(e.line), lineFault(e)});
    }
    c->curvePoints = points;
    c->curve = std::make_shared<FerriteData>(FerriteData{"curve", points->data(), (int)points->size()});
    c->size = &FerriteCatalogue.sizes[size];
    c->effective = effectiveParameters(*c->size);
    c->data = c->curve.get();
    c->name = std::string(familyPrefix(CoreFerrite)) + o.size + " (measured curve)";
    return true;
}

bool readFrequencyCoreOrCurve(const CoreOptions &o, const Given &curve, NamedCore *c, Failure *failure)
{
    if (curve.given == !o.material.empty())
        return refuse(failure, CurveOrMaterial);
    if (!curve.given)
        return readFrequencyCore(o, c, failure);
    std::string text;
    return readFileText(curve.text, &text, failure) && readCurveCore(o, text, c, failure);
}

} // namespace cli
