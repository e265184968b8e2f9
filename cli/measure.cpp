// measure: a VNA sweep of a test winding, fitted against the makers'
// materials: which one the core behaves like, by how much its permeability
// differs, the winding's own capacitance, and the core's permeability at
// every point.
#include <cmath>

#include "cli/layout.h"
#include "cli/refusals.h"
#include "cli/request.h"

namespace cli {

static const char *methodName(MeasureMethod m)
{
    return m == Reflection ? "reflection" : m == SeriesThrough ? "series" : "shunt";
}

// The geometry: a catalogue size of either family, or measured dimensions.
static bool readGeometry(const MeasureRequest &r, MeasureResult *m, Failure *failure)
{
    bool bySize = !r.size.empty(), byDimensions = r.od.given || r.id.given || r.height.given;
    if (bySize == byDimensions || (byDimensions && !(r.od.given && r.id.given && r.height.given)))
        return refuse(failure, MeasureCore);
    if (bySize) {
        CoreType family;
        if (!readFamily(r.family, &family, failure))
            return false;
        const CoreFamilyTable &t = catalogueOf(family);
        int size = codeIndex(t, r.size, true);
        if (size < 0)
            return refuse(failure, UnknownSize, {familyName(family), r.size, codeList(t, true)});
        m->outline = outlineOf(t.sizes[size], m->stack);
        m->effective = effectiveParameters(m->outline);
        m->core = familyPrefix(family) + r.size;
        return true;
    }
    double od, id, height;
    if (!readNumber(r.od.text, "--od", &od, failure) || !readNumber(r.id.text, "--id", &id, failure) ||
        !readNumber(r.height.text, "--height", &height, failure))
        return false;
    for (double v : {od, id, height})
        if (!finitePositive(v))
            return refuse(failure, MeasuredAboveZero);
    if (!(id < od))
        return refuse(failure, InsideBelowOutside);
    double toMm = r.unit == "mm" ? 1 : MillimetresPerInch;
    m->outline = {od * toMm, id * toMm, height * toMm * m->stack};
    m->effective = effectiveParameters(m->outline);
    m->core = significant(od, 6) + " x " + significant(id, 6) + " x " + significant(height, 6) + " " +
              (r.unit == "mm" ? "mm" : "in");
    return true;
}

static bool readMethod(const MeasureRequest &r, const Touchstone &file, MeasureMethod *method, Failure *failure)
{
    if (file.parameter != 'S' && file.ports == 2)
        return refuse(failure, TwoPortImpedance, {std::string(1, file.parameter)});
    *method = file.ports == 2 ? SeriesThrough : Reflection;
    if (r.method.empty())
        return true;
    if (r.method != "reflection" && r.method != "series" && r.method != "shunt")
        return refuse(failure, MethodUnknown, {r.method});
    if (file.ports == 1 && r.method != "reflection")
        return refuse(failure, MethodNeedsTwoPort, {r.method});
    *method = r.method == "reflection" ? Reflection : r.method == "series" ? SeriesThrough : ShuntThrough;
    return true;
}

bool measure(const MeasureRequest &r, MeasureResult *m, Failure *failure)
{
    if (!readNumber(r.turns, "--turns", &m->turns, failure) || !readStack(r.stack, "--stack", &m->stack, failure))
        return false;
    if (!readGeometry(r, m, failure))
        return false;
    m->modelPf = selfCapacitancePf(m->outline);
    if (!(m->turns >= LeastTurns && std::isfinite(m->turns)))
        return refuse(failure, TurnsOneOrMore);
    std::string text = r.text.text;
    int ports = 0;
    if (r.file.given) {
        if (!readFileText(r.file.text, &text, failure))
            return false;
        const std::string &f = r.file.text;
        std::string ext = f.size() >= 4 ? f.substr(f.size() - 4) : "";
        for (char &ch : ext)
            ch = (char)std::tolower((unsigned char)ch);
        ports = ext == ".s1p" ? 1 : ext == ".s2p" ? 2 : 0;
    }
    TouchstoneError e;
    if (!readTouchstone(text, ports, &m->file, &e)) {
        if (e.fault == TouchstoneNoData)
            return refuse(failure, TouchstoneEmpty);
        if (e.fault == TouchstoneTooLarge)
            return refuse(failure, MeasureFileTooLarge, {"the file"});
        return refuse(failure, TouchstoneLine, {std::to_string(e.line), lineFault(e)});
    }
    if (!readMethod(r, m->file, &m->method, failure))
        return false;

    Sweep sweep{m->file.hz, measuredImpedance(m->file, m->method), m->method, m->file.referenceOhms};
    std::vector<const FerriteData *> tooFew;
    m->fits = fitMaterials(sweep, m->turns, m->effective, &tooFew);
    if (m->fits.empty())
        return refuse(failure, NoCurveInRange, {std::to_string(FitLeastPoints)});

    const MaterialFit &best = m->fits[0];
    std::vector<double> muReal, muImag, curveReal, curveImag, hzOnCurve;
    for (size_t i = 0; i < sweep.hz.size(); i++) {
        ComplexPermeability mu = recoveredPermeability(sweep.z[i], sweep.hz[i], best.capacitancePf, m->turns,
                                                       m->effective);
        bool onCurve = withinCurve(best.data, sweep.hz[i], sweep.hz[i]);
        std::complex<double> fitted =
            onCurve ? fittedImpedance(*best.data, best.scale, best.capacitancePf, m->turns, m->effective, sweep.hz[i])
                    : 0.0;
        m->points.push_back({sweep.hz[i], sweep.z[i], mu, onCurve, fitted});
        muReal.push_back(mu.real);
        muImag.push_back(mu.imag);
        if (onCurve) {
            ComplexPermeability c = permeabilityAt(*best.data, sweep.hz[i]);
            hzOnCurve.push_back(sweep.hz[i]);
            curveReal.push_back(c.real);
            curveImag.push_back(c.imag);
        }
    }
    m->crossoverHz = crossing(sweep.hz, muReal, muImag);
    m->curveCrossoverHz = crossing(hzOnCurve, curveReal, curveImag);
    m->resonanceHz = selfResonance(sweep.hz, sweep.z);

    // What the fit puts in doubt.
    if (!r.material.empty()) {
        const MaterialFit *named = nullptr;
        for (const MaterialFit &f : m->fits)
            named = f.data->code == r.material ? &f : named;
        if (named != &best && (!named || named->residual > TieFactor * best.residual))
            m->warnings.push_back("the core behaves like " + std::string(best.data->code) + ", not " + r.material);
    }
    if (best.scale < ScaleLeast || best.scale > ScaleMost)
        m->warnings.push_back("the best fit, " + std::string(best.data->code) + ", needs its curve times " +
                              significant(best.scale, 3) + ", outside the makers' " + significant(ScaleLeast) +
                              " to " + significant(ScaleMost) +
                              ": another mix, a cracked core, or wrong dimensions or turns");
    if (!tooFew.empty()) {
        std::string codes;
        for (const FerriteData *d : tooFew)
            codes += (codes.empty() ? "" : " ") + std::string(d->code);
        m->warnings.push_back("fewer than " + std::to_string(FitLeastPoints) + " points within the curves of " +
                              codes + ": left out of the fit");
    }
    return true;
}

static Json fitJson(const MaterialFit &f)
{
    return {{"material", f.data->code},
            {"scale", f.scale},
            {"capacitancePf", f.capacitancePf},
            {"residual", f.residual},
            {"points", f.points}};
}


Json measureJson(const MeasureResult &m)
{
    Json materials = Json::array(), points = Json::array();
    for (const MaterialFit &f : m.fits)
        materials.push_back(fitJson(f));
    for (const MeasurePoint &p : m.points) {
        ImpedanceFigures f = figuresOf(p.z, p.hz), g = figuresOf(p.fitted, p.hz);
        auto fitted = [&](double v) { return p.onCurve ? Json(v) : Json(nullptr); };
        points.push_back({{"frequencyMHz", p.hz / 1e6},
                          {"resistanceOhms", f.resistance},
                          {"reactanceOhms", f.reactance},
                          {"impedanceOhms", f.magnitude},
                          {"muReal", p.mu.real},
                          {"muImag", p.mu.imag},
                          {"fittedResistanceOhms", fitted(g.resistance)},
                          {"fittedReactanceOhms", fitted(g.reactance)},
                          {"fittedImpedanceOhms", fitted(g.magnitude)}});
    }
    return {{"core", m.core},
            {"stack", m.stack},
            {"effectiveLengthMm", m.effective.lengthMm},
            {"effectiveAreaMm2", m.effective.areaMm2},
            {"turns", m.turns},
            {"method", methodName(m.method)},
            {"referenceOhms", m.file.referenceOhms},
            {"best", fitJson(m.fits[0])},
            {"capacitancePf", m.fits[0].capacitancePf},
            {"capacitanceFrom", "fitted"},
            {"modelCapacitancePf", m.modelPf},
            {"materials", materials},
            {"crossoverMHz", {{"measured", mhzOrNull(m.crossoverHz)}, {"curve", mhzOrNull(m.curveCrossoverHz)}}},
            {"selfResonanceMHz", mhzOrNull(m.resonanceHz)},
            {"points", points},
            {"warnings", m.warnings}};
}

std::string measureText(const MeasureResult &m, bool csv)
{
    if (csv) {
        Table t;
        t.rows.push_back({"frequency_hz", "mu_real", "mu_imag", "resistance_ohms", "reactance_ohms"});
        for (const MeasurePoint &p : m.points)
            t.rows.push_back({significant(p.hz, 10), significant(p.mu.real, 8), significant(p.mu.imag, 8),
                              significant(p.z.real(), 8), significant(p.z.imag(), 8)});
        return t.render(true);
    }
    const MaterialFit &best = m.fits[0];
    auto near = [](double hz) { return hz > 0 ? "near " + significant(hz / 1e6) + " MHz" : "not within the sweep"; };
    Lines lines = {
        coreLine(m.core, m.stack, m.effective),
        {"Turns", significant(m.turns, 6)},
        {"Measurement", std::string(methodName(m.method)) + ", reference " + significant(m.file.referenceOhms, 6) +
                            " ohms, " + std::to_string(m.points.size()) + " points from " +
                            significant(m.points.front().hz / 1e6) + " to " + significant(m.points.back().hz / 1e6) +
                            " MHz"},
        {"Behaves like", "material " + std::string(best.data->code) + ", its curve times " +
                             significant(best.scale, 3) + ", with " + significant(best.capacitancePf, 3) +
                             " pF across the winding (residual " + significant(best.residual, 3) + ")"},
        {"Winding capacitance", "fitted " + significant(best.capacitancePf, 3) + " pF; the self-capacitance model of "
                                "the outline gives " + significant(m.modelPf, 4) + " pF (measured windings: " +
                                significant(m.modelPf * CapacitanceLowFactor, 2) + " to " +
                                significant(m.modelPf * CapacitanceHighFactor, 2) + " pF, a fixture's own added)"},
        {"R = X", "measured " + near(m.crossoverHz) + "; on the curve of " + best.data->code + " " +
                      near(m.curveCrossoverHz)},
        {"Self-resonance", near(m.resonanceHz)},
    };
    for (const std::string &w : m.warnings)
        lines.push_back({"Warning", w});
    lines.push_back({"Data", "the makers' typical curves (Fair-Rite); the fit assumes one factor for mu' and mu'' "
                             "and a capacitance across the winding"});
    Table fits;
    fits.rows.push_back({"material", "curve times", "pF", "residual", "points"});
    for (const MaterialFit &f : m.fits)
        fits.rows.push_back({f.data->code, significant(f.scale, 3), significant(f.capacitancePf, 3),
                             significant(f.residual, 3), std::to_string(f.points)});
    Table points;
    points.rows.push_back({"MHz", "R ohms", "X ohms", "|Z| ohms", "mu'", "mu''"});
    for (const MeasurePoint &p : m.points) {
        ImpedanceFigures f = figuresOf(p.z, p.hz);
        points.rows.push_back({significant(p.hz / 1e6), significant(f.resistance), significant(f.reactance),
                               significant(f.magnitude), significant(p.mu.real), significant(p.mu.imag)});
    }
    return captioned(lines) + "\n" + fits.render(false) + "\n" + points.render(false);
}

} // namespace cli
