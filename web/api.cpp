// The web page's engine: the calculator's solve over the in-memory form and
// the designer's figures, as C functions the page's script calls. Every
// answer is one JSON text; the page parses it.
//
// The solve's object has the same keys and texts as mirvelta-cli solve
// --json. The window's messages come back as {"message": ...}; the
// designer's refusals as {"error": ...}.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "calc/memform.h"
#include "catalogue/catalogue.h"
#include "design/ferrite.h"
#include "design/identify.h"

#ifdef __EMSCRIPTEN__
#include <emscripten/emscripten.h>
#define EXPORT extern "C" EMSCRIPTEN_KEEPALIVE
#else
#define EXPORT extern "C"
#endif

namespace {

using namespace design;

// ---- JSON text -----------------------------------------------------------------

// A string as JSON, its bytes read as Latin-1 (the window's character set).
std::string quoted(const std::string &bytes)
{
    std::string s = "\"";
    for (unsigned char c : bytes) {
        if (c == '"' || c == '\\') {
            s += '\\';
            s += (char)c;
        } else if (c < 0x20) {
            char buf[8];
            snprintf(buf, sizeof buf, "\\u%04x", c);
            s += buf;
        } else if (c < 0x80) {
            s += (char)c;
        } else {
            s += (char)(0xC0 | (c >> 6));
            s += (char)(0x80 | (c & 0x3F));
        }
    }
    return s + "\"";
}

// A double that JSON.parse gives back exactly; null where JSON has no number.
std::string number(double v)
{
    if (!std::isfinite(v))
        return "null";
    char buf[32];
    snprintf(buf, sizeof buf, "%.17g", v);
    return buf;
}

struct Object {
    std::string text;
    Object &add(const char *key, const std::string &json)
    {
        text += (text.empty() ? "{" : ",") + quoted(key) + ":" + json;
        return *this;
    }
    Object &add(const char *key, double v) { return add(key, number(v)); }
    std::string done() const { return text.empty() ? "{}" : text + "}"; }
};

std::string array(const std::vector<std::string> &items)
{
    std::string s = "[";
    for (size_t i = 0; i < items.size(); i++)
        s += (i ? "," : "") + items[i];
    return s + "]";
}

// The answer's text lives until the next call.
const char *answer(const std::string &json)
{
    static std::string last;
    last = json;
    return last.c_str();
}

const char *error(const std::string &text)
{
    return answer(Object().add("error", quoted(text)).done());
}

// The page hands over UTF-8; the window's texts are Latin-1 bytes. A
// character beyond Latin-1 becomes '?', which no box reads as a digit.
std::string latin1(const char *utf8)
{
    std::string s;
    for (const unsigned char *p = (const unsigned char *)utf8; *p;) {
        unsigned c = *p++;
        if (c >= 0xC0) {
            int more = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : 1;
            c &= 0x3F >> more;
            for (; more > 0 && (*p & 0xC0) == 0x80; more--)
                c = c << 6 | (*p++ & 0x3F);
        }
        s += (char)(c <= 0xFF ? c : '?');
    }
    return s;
}

// ---- The catalogue -------------------------------------------------------------

// "iron" or "ferrite", or the window's captions.
bool readFamily(const char *text, CoreType *family)
{
    std::string s = text;
    if (s == "iron" || s == "Powdered Iron")
        return *family = CorePowderedIron, true;
    if (s == "ferrite" || s == "Ferrite")
        return *family = CoreFerrite, true;
    return false;
}

// A number the user typed in a designer's box; false where it is none.
bool readNumber(const char *text, double *value)
{
    char *end;
    *value = strtod(text, &end);
    while (*end == ' ')
        end++;
    return end != text && *end == '\0' && std::isfinite(*value);
}

} // namespace

// The families, sizes, materials and the AL of every pair; the ferrite
// materials with a published curve and its range.
EXPORT const char *mirvelta_catalogue()
{
    std::vector<std::string> families;
    for (CoreType f : {CorePowderedIron, CoreFerrite}) {
        const CoreFamilyTable &t = catalogueOf(f);
        std::vector<std::string> sizes, materials, al;
        for (int s = 0; s < t.sizeCount; s++) {
            sizes.push_back(quoted(t.sizes[s].code));
            std::vector<std::string> row;
            for (int m = 0; m < t.materialCount; m++)
                row.push_back(number(decimal(t.alOf(s, m))));
            al.push_back(array(row));
        }
        for (int m = 0; m < t.materialCount; m++)
            materials.push_back(quoted(t.materials[m].code));
        families.push_back(Object()
                               .add("family", quoted(f == CorePowderedIron ? "iron" : "ferrite"))
                               .add("prefix", quoted(familyPrefix(f)))
                               .add("sizes", array(sizes))
                               .add("materials", array(materials))
                               .add("al", array(al))
                               .done());
    }
    std::vector<std::string> curves;
    for (int i = 0; i < FerriteMaterialDataCount; i++) {
        const FerriteData &d = FerriteMaterialData[i];
        curves.push_back(Object()
                             .add("material", quoted(d.code))
                             .add("lowMHz", d.lowHz() / 1e6)
                             .add("highMHz", d.highHz() / 1e6)
                             .done());
    }
    return answer(Object().add("families", array(families)).add("curves", array(curves)).done());
}

// One solve as the window does it: inputs are the texts the user would type.
// mode 1 solves for the inductance from the turns, 0 for the turns.
EXPORT const char *mirvelta_solve(const char *family, const char *size, const char *material, const char *unit,
                                  int mode, const char *turns, const char *inductance, const char *units)
{
    CoreType f;
    if (!readFamily(family, &f))
        return error(std::string("unknown family '") + family + "' (iron or ferrite)");
    std::string u = unit;
    if (u != "inches" && u != "mm")
        return error("unknown unit '" + u + "' (inches or mm)");
    std::string message;
    if (!solveAsUser(u == "mm" ? LengthMillimetres : LengthInches, f, latin1(size), latin1(material),
                     mode ? SolveInductance : SolveTurns, latin1(turns), latin1(inductance), latin1(units),
                     &message))
        return answer(Object().add("message", quoted(message)).done());
    Object o;
    for (const ResultLine &line : ResultLines)
        o.add(line.name, quoted(form.text(line.id)));
    return answer(o.done());
}

// A catalogue core's effective parameters (IEC 60205), AL and mu_e, its
// outer surface; for ferrite, whether its material has a published curve.
EXPORT const char *mirvelta_core(const char *family, const char *size, const char *material)
{
    CoreType f;
    if (!readFamily(family, &f))
        return error("unknown family");
    const CoreFamilyTable &t = catalogueOf(f);
    int s = codeIndex(t, size, true), m = codeIndex(t, material, false);
    if (s < 0)
        return error(std::string("unknown size '") + size + "'");
    Effective e = effectiveParameters(t.sizes[s]);
    Object o;
    o.add("name", quoted(familyPrefix(f) + std::string(size) + "-" + material))
        .add("effectiveLengthMm", e.lengthMm)
        .add("effectiveAreaMm2", e.areaMm2)
        .add("effectiveVolumeMm3", e.volumeMm3)
        .add("surfaceAreaCm2", surfaceAreaCm2(t.sizes[s]));
    if (m >= 0 && t.alOf(s, m) > 1.0f) {
        double al = nanohenryPerTurnSquared(t.alOf(s, m));
        o.add("alMicrohenryPer100Turns", decimal(t.alOf(s, m))).add("alNanohenryPerTurnSquared", al);
        o.add("permeability", permeability(al, e));
    }
    return answer(o.done());
}

// Peak flux density of a sine voltage on a catalogue core, as flux gives it.
EXPORT const char *mirvelta_flux(const char *family, const char *size, const char *turnsText, const char *vrmsText,
                                 const char *mhzText)
{
    CoreType f;
    double turns, vrms, mhz;
    if (!readFamily(family, &f) || codeIndex(catalogueOf(f), size, true) < 0)
        return error("unknown core");
    if (!readNumber(turnsText, &turns) || !(turns > 0) || !readNumber(vrmsText, &vrms) || !(vrms > 0) ||
        !readNumber(mhzText, &mhz) || !(mhz > 0))
        return error("turns, voltage and frequency take numbers above 0");
    Effective e = effectiveParameters(catalogueOf(f).sizes[codeIndex(catalogueOf(f), size, true)]);
    double tesla = sineFluxDensity(vrms, mhz, turns, e);
    return answer(Object().add("peakFluxDensityMilliTesla", tesla * 1e3).add("peakFluxDensityGauss", tesla * 1e4).done());
}

// identify's answer: AL, mu_e, the matching size and the best candidates.
EXPORT const char *mirvelta_identify(const char *odText, const char *idText, const char *heightText,
                                     const char *unit, const char *turnsText, const char *inductanceText,
                                     const char *units)
{
    double od, id, height, turns, inductance;
    if (!readNumber(odText, &od) || !readNumber(idText, &id) || !readNumber(heightText, &height) ||
        !readNumber(inductanceText, &inductance) || !(od > 0 && id > 0 && height > 0 && inductance > 0))
        return error("the dimensions and the inductance take numbers above 0");
    if (!(id < od))
        return error("the inside diameter must be below the outside diameter");
    if (!readNumber(turnsText, &turns) || !(turns >= 1) || turns != std::floor(turns))
        return error("a test winding has whole turns, at least one");
    bool inches = std::string(unit) != "mm";
    double toMm = inches ? MillimetresPerInch : 1;
    std::string u = units;
    double nanohenry = inductance * (u == "nH" ? 1 : u == "mH" ? 1e6 : 1e3);
    Identification r = identify({od * toMm, id * toMm, height * toMm, turns, nanohenry, inches},
                                {CorePowderedIron, CoreFerrite});
    std::vector<std::string> candidates, warnings, sizes;
    for (size_t i = 0; i < r.candidates.size() && i < 12; i++) {
        const Candidate &c = r.candidates[i];
        const CoreFamilyTable &t = catalogueOf(c.family);
        candidates.push_back(Object()
                                 .add("name", quoted(candidateName(c)))
                                 .add("colorCode", quoted(t.materials[c.material].colorCode))
                                 .add("judgedBy", quoted(c.size >= 0 ? "AL" : "permeability"))
                                 .add("catalogue", c.size >= 0 ? c.catalogue * 10 : c.catalogue)
                                 .add("ratio", c.ratio)
                                 .done());
    }
    for (CoreType f : {CorePowderedIron, CoreFerrite}) {
        if (r.sizeOf[f] >= 0)
            sizes.push_back(quoted(familyPrefix(f) + std::string(catalogueOf(f).sizes[r.sizeOf[f]].code)));
        if (r.millimetreSizeOf[f] >= 0 && warnings.empty())
            warnings.push_back(quoted("these dimensions look like millimetres (" + std::string(familyPrefix(f)) +
                                      catalogueOf(f).sizes[r.millimetreSizeOf[f]].code + " in mm)"));
    }
    if (r.impossiblePermeability)
        warnings.insert(warnings.begin(), quoted(ImpossiblePermeabilityWarning));
    return answer(Object()
                      .add("alMicrohenryPer100Turns", r.alNanohenry * 10)
                      .add("alNanohenryPerTurnSquared", r.alNanohenry)
                      .add("permeability", r.permeability)
                      .add("effectiveLengthMm", r.effective.lengthMm)
                      .add("effectiveAreaMm2", r.effective.areaMm2)
                      .add("sizes", array(sizes))
                      .add("warnings", array(warnings))
                      .add("candidates", array(candidates))
                      .done());
}

namespace {

// The core a frequency function names, or why there is none.
const char *readFrequencyCore(const char *family, const char *size, const char *material, FrequencyCore *c)
{
    static std::string text;
    CoreType f;
    if (!readFamily(family, &f))
        return "unknown family";
    switch (frequencyCore(f, size, material, c)) {
    case NoSuchSize: return "unknown size";
    case NoCurve: return (text = "no permeability data for this material (data for " + curveMaterials() + ")").c_str();
    case NoAl: return "the catalogue has no AL for this core";
    case CoreFound: break;
    }
    return nullptr;
}

const char *outsideCurve(const FrequencyCore &c)
{
    static char text[120];
    snprintf(text, sizeof text, "material %s has published data from %g to %g MHz only", c.data->code,
             c.data->lowHz() / 1e6, c.data->highHz() / 1e6);
    return text;
}

} // namespace

// A sweep of the winding's impedance from lowMhz to highMhz, log-spaced; pf
// 0 for no winding capacitance.
EXPORT const char *mirvelta_impedance(const char *family, const char *size, const char *material, double turns,
                                      double lowMhz, double highMhz, int points, double pf)
{
    FrequencyCore c;
    if (const char *e = readFrequencyCore(family, size, material, &c))
        return error(e);
    if (!(turns >= 1) || !std::isfinite(turns))
        return error("turns take a number of 1 or more");
    if (!(lowMhz > 0 && highMhz >= lowMhz && std::isfinite(highMhz)))
        return error("the frequencies take numbers above 0, the start below the end");
    if (!(pf >= 0 && std::isfinite(pf)))
        return error("the capacitance takes a number of 0 or more");
    if (points < 2 || points > 10000)
        return error("a sweep takes 2 to 10000 points");
    if (!withinCurve(c, lowMhz * 1e6, highMhz * 1e6))
        return error(outsideCurve(c));
    std::vector<double> hz = logSweep(lowMhz * 1e6, highMhz * 1e6, points);
    std::vector<std::complex<double>> z;
    std::vector<std::string> rows;
    for (double f : hz) {
        FrequencyPoint p = frequencyPoint(c, turns, f, pf);
        z.push_back(p.z);
        ImpedanceFigures fig = figuresOf(p.z, f);
        rows.push_back(Object()
                           .add("frequencyMHz", f / 1e6)
                           .add("muReal", p.mu.real)
                           .add("muImag", c.data ? p.mu.imag : NAN)
                           .add("resistanceOhms", c.data ? fig.resistance : NAN)
                           .add("reactanceOhms", fig.reactance)
                           .add("impedanceOhms", fig.magnitude)
                           .add("phaseDegrees", fig.phaseDegrees)
                           .add("inductanceMicrohenry", fig.inductanceMicrohenry)
                           .add("q", c.data ? fig.q : NAN)
                           .done());
    }
    double resonance = pf > 0 ? selfResonance(hz, z) : 0;
    return answer(Object()
                      .add("points", array(rows))
                      .add("selfResonantFrequencyMHz", resonance > 0 ? resonance / 1e6 : NAN)
                      .done());
}

// The core loss and temperature rise of a ferrite winding: a voltage across
// it (vrms > 0) or a current through it (amps > 0).
EXPORT const char *mirvelta_loss(const char *size, const char *material, double turns, double mhz, double vrms,
                                 double amps)
{
    FrequencyCore c;
    if (const char *e = readFrequencyCore("ferrite", size, material, &c))
        return error(e);
    if (!(turns >= 1) || !std::isfinite(turns) || !(mhz > 0) || !std::isfinite(mhz))
        return error("turns and frequency take numbers of 1 or more and above 0");
    if ((vrms > 0) == (amps > 0) || !std::isfinite(vrms) || !std::isfinite(amps))
        return error("give a voltage or a current above 0");
    if (!withinCurve(c, mhz * 1e6, mhz * 1e6))
        return error(outsideCurve(c));
    CoreLoss l = coreLoss(c, turns, mhz, amps > 0 ? 0 : vrms, amps);
    return answer(Object()
                      .add("vrms", l.vrms)
                      .add("resistanceOhms", l.point.z.real())
                      .add("reactanceOhms", l.point.z.imag())
                      .add("coreLossWatts", l.watts)
                      .add("surfaceAreaCm2", l.surfaceCm2)
                      .add("temperatureRiseKelvin", l.riseKelvin)
                      .add("runsHot", l.riseKelvin > HotRiseKelvin ? "true" : "false")
                      .add("peakFluxDensityMilliTesla", l.peakTesla * 1e3)
                      .done());
}
