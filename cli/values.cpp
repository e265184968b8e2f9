// Reading what the user typed: numbers, families, cores and drives.
#include <cmath>
#include <cstdlib>

#include "cli/layout.h"
#include "cli/refusals.h"
#include "cli/request.h"

namespace cli {

bool plainNumber(const std::string &s)
{
    size_t i = 0, n = s.size(), digits = 0;
    if (i < n && (s[i] == '+' || s[i] == '-'))
        i++;
    for (; i < n && s[i] >= '0' && s[i] <= '9'; i++)
        digits++;
    if (i < n && s[i] == '.')
        for (i++; i < n && s[i] >= '0' && s[i] <= '9'; i++)
            digits++;
    if (digits == 0)
        return false;
    if (i < n && (s[i] == 'e' || s[i] == 'E')) {
        i++;
        if (i < n && (s[i] == '+' || s[i] == '-'))
            i++;
        size_t e = 0;
        for (; i < n && s[i] >= '0' && s[i] <= '9'; i++)
            e++;
        if (e == 0)
            return false;
    }
    return i == n;
}

bool readNumber(const std::string &text, const char *option, double *value, Failure *failure)
{
    if (!plainNumber(text))
        return refuse(failure, MalformedNumber, {text, option});
    // Every C library here rounds a plain decimal correctly, and the grammar
    // leaves strtod nothing of its own to decide (no locale, hex or words).
    *value = std::strtod(text.c_str(), nullptr);
    return true;
}

bool readWhole(const std::string &text, const char *option, int least, int most, int range, int *value,
               Failure *failure)
{
    double v;
    if (!readNumber(text, option, &v, failure))
        return false;
    if (!(v >= least && v <= most && v == std::floor(v)))
        return refuse(failure, (Refusal)range, {std::to_string(least), std::to_string(most)});
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

bool finitePositive(double v)
{
    return v > 0 && std::isfinite(v);
}

// The drive's numbers, each read if given; the rules come after (readDrive).
bool readDriveNumbers(const DriveOptions &o, Drive *d, Failure *failure)
{
    return (!o.vrms.given || readNumber(o.vrms.text, "--vrms", &d->vrms, failure)) &&
           (!o.watts.given || readNumber(o.watts.text, "--watts", &d->watts, failure)) &&
           readNumber(o.ohms, "--ohms", &d->ohms, failure) &&
           (!o.amps.given || readNumber(o.amps.text, "--amps", &d->amps, failure));
}

bool readDrive(const DriveOptions &o, int which, Drive *d, Failure *failure)
{
    if (o.vrms.given + o.watts.given + o.amps.given != 1)
        return refuse(failure, (Refusal)which);
    if ((o.vrms.given && !finitePositive(d->vrms)) || (o.watts.given && !finitePositive(d->watts)) ||
        !finitePositive(d->ohms) || (o.amps.given && !finitePositive(d->amps)))
        return refuse(failure, DriveAboveZero);
    d->byCurrent = o.amps.given;
    d->byPower = o.watts.given;
    if (d->byPower)
        d->vrms = voltageFromPower(d->watts, d->ohms);
    return true;
}

} // namespace cli
