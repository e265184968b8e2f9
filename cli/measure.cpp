// measure: a VNA sweep of a test winding, fitted against the makers'
// materials: which one the core behaves like, by how much its permeability
// differs, the winding's own capacitance, and the core's permeability at
// every point.
#include "cli/measure.h"

#include <algorithm>
#include <cmath>

#include "cli/layout.h"
#include "cli/refusals.h"
#include "design/portable.h"

namespace cli {

using namespace design;

static const char *methodName(MeasureMethod m)
{
    return m == Reflection ? "reflection" : m == SeriesThrough ? "series" : "shunt";
}

// The geometry: a catalogue size of either family, or measured dimensions.
static bool readGeometry(const MeasureRequest &r, MeasureResult *m, Failure *failure)
{
    bool bySize = !r.size.empty(), byDimensions = r.od.given || r.id.given || r.height.given;
    if (bySize == byDimensions || (byDimensions && !(r.od.given && r.id.given && r.height.given)))
        return refuse<MeasureCore>(failure);
    if (bySize) {
        CoreType family;
        if (!readFamily(r.family, &family, failure))
            return false;
        m->iron = family == CorePowderedIron;
        const CoreFamilyTable &t = catalogueOf(family);
        int size = codeIndex(t, r.size, true);
        if (size < 0)
            return refuse<UnknownSize>(failure, familyName(family), r.size, codeList(t, true));
        m->outline = outlineOf(t.sizes[size], m->stack);
        m->insideInches = t.sizes[size].insideDiameter;
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
            return refuse<MeasuredAboveZero>(failure);
    if (!(id < od))
        return refuse<InsideBelowOutside>(failure);
    double toMm = r.unit == "mm" ? 1 : MillimetresPerInch;
    m->outline = {od * toMm, id * toMm, height * toMm * m->stack};
    m->insideInches = (float)(id * toMm / MillimetresPerInch);
    m->effective = effectiveParameters(m->outline);
    m->core = significant(od, 6) + " x " + significant(id, 6) + " x " + significant(height, 6) + " " +
              (r.unit == "mm" ? "mm" : "in");
    return true;
}

static bool readMethod(const MeasureRequest &r, const Touchstone &file, MeasureMethod *method, Failure *failure)
{
    if (file.parameter != 'S' && file.ports == 2)
        return refuse<TwoPortImpedance>(failure, std::string(1, file.parameter));
    *method = file.ports == 2 ? SeriesThrough : Reflection;
    if (r.method.empty())
        return true;
    if (r.method != "reflection" && r.method != "series" && r.method != "shunt")
        return refuse<MethodUnknown>(failure, r.method);
    if (file.ports == 1 && r.method != "reflection")
        return refuse<MethodNeedsTwoPort>(failure, r.method);
    *method = r.method == "reflection" ? Reflection : r.method == "series" ? SeriesThrough : ShuntThrough;
    return true;
}

// Powdered iron: the core's mu' and Q_core from the sweep, against every
// mix's fit; the mixes it cannot tell apart, or none (not powdered iron as
// sold).
static bool measureIron(const MeasureRequest &r, const Sweep &sweep, const std::vector<size_t> &inBand,
                        int nonPassive, MeasureResult *m, Failure *failure)
{
    if (r.wire.awg.given || r.wire.wireMm.given) {
        if (!readWire(r.wire, &m->wire, failure))
            return false;
    } else if (!thickestWire(m->insideInches, std::lround(std::ceil(m->turns)), &m->wire))
        return refuse<TurnsNoWire>(failure, significant(m->turns, 6), m->core);
    m->ironPoints = ironPoints(sweep.hz, sweep.z, m->turns, m->outline, m->effective, m->wire.mm, m->modelPf);
    std::vector<double> hz;
    std::vector<IronPoint> used;
    std::vector<bool> in(sweep.hz.size(), false);
    for (size_t i : inBand) {
        hz.push_back(sweep.hz[i]);
        used.push_back(m->ironPoints[i]);
        in[i] = true;
    }
    for (size_t i = 0; i < sweep.hz.size(); i++)
        m->points.push_back({sweep.hz[i], sweep.z[i], {m->ironPoints[i].mu, 0}, false, 0.0, in[i]});
    m->ironFits = fitIronMixes(hz, used);
    const IronMixFit &best = m->ironFits[0];
    m->notAsSold = std::all_of(m->ironFits.begin(), m->ironFits.end(), farFrom);
    m->explained = !m->notAsSold && best.distance <= IronExplained;
    for (const IronMixFit &f : m->ironFits)
        if (m->explained && m->ironAlike.size() < 3 && f.distance <= best.distance + 1 && !farFrom(f))
            m->ironAlike.push_back(&f);
    m->resonanceHz = measuredResonance(subset(sweep, inBand), ResonanceLeastNoise);
    m->crossoverHz = m->curveCrossoverHz = 0;
    m->ratio = {best.muRatio, best.lossRatio};
    if (nonPassive)
        m->warnings.push_back(std::to_string(nonPassive) + " point" + (nonPassive > 1 ? "s" : "") +
                              " no passive winding gives (a calibration's edge) left out of the fit");
    if (m->notAsSold)
        m->warnings.push_back("not powdered iron as sold: the core's mu' or its loss is far from every mix's (the "
                              "nearest, mix " + std::string(best.fit->mix) + ", at " + significant(best.muRatio, 3) +
                              " times its mu and " + significant(best.lossRatio, 3) + " times its loss)");
    if (!r.material.empty()) {
        m->soldAsConsistent = std::any_of(m->ironAlike.begin(), m->ironAlike.end(),
                                          [&](const IronMixFit *f) { return r.material == f->fit->mix; });
        if (!m->soldAsConsistent && !m->notAsSold)
            m->warnings.push_back("the core behaves like mix " + std::string(best.fit->mix) + ", not " + r.material);
    }
    return true;
}

bool measure(const MeasureRequest &r, MeasureResult *m, Failure *failure)
{
    double low = 0, high = 0;
    if (!readNumber(r.turns, "--turns", &m->turns, failure) || !readStack(r.stack, "--stack", &m->stack, failure) ||
        (r.mhz.given && !readBand(r.mhz.text, &low, &high, failure)))
        return false;
    if (!readGeometry(r, m, failure))
        return false;
    m->modelPf = selfCapacitancePf(m->outline);
    if (!(m->turns >= LeastTurns && std::isfinite(m->turns)))
        return refuse<TurnsOneOrMore>(failure);
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
            return refuse<TouchstoneEmpty>(failure);
        if (e.fault == TouchstoneTooLarge)
            return refuse<MeasureFileTooLarge>(failure, "the file");
        return refuse<TouchstoneLine>(failure, std::to_string(e.line), lineFault(e));
    }
    if (!readMethod(r, m->file, &m->method, failure))
        return false;

    // The fit over the band where one winding explains a sweep, on the
    // points a passive winding can have given.
    Sweep sweep{m->file.hz, measuredImpedance(m->file, m->method), m->method, m->file.referenceOhms};
    m->bandGiven = r.mhz.given;
    if (m->bandGiven)
        m->lowHz = low * 1e6, m->highHz = high * 1e6;
    else
        defaultBand(sweep.hz, &m->lowHz, &m->highHz);
    int nonPassive = 0;
    std::vector<size_t> inBand = fittedPoints(sweep, m->lowHz, m->highHz, &nonPassive);
    if ((int)inBand.size() < FitLeastPoints && !m->bandGiven) // the default band is the whole sweep then
        return refuse<NoCurveInRange>(failure, std::to_string(FitLeastPoints));
    if ((int)inBand.size() < FitLeastPoints)
        return refuse<BandTooFewPoints>(failure, std::to_string(FitLeastPoints), significant(m->lowHz / 1e6),
                                                  significant(m->highHz / 1e6));
    const Sweep fitted = subset(sweep, inBand);
    if (m->iron)
        return measureIron(r, sweep, inBand, nonPassive, m, failure);
    std::vector<const FerriteData *> tooFew;
    m->fits = fitMaterials(fitted, m->turns, m->effective, &tooFew);
    if (m->fits.empty())
        return refuse<NoCurveInRange>(failure, std::to_string(FitLeastPoints));

    const MaterialFit &best = m->fits[0];
    m->explained = explained(best);
    m->alike = indistinct(m->fits);
    std::vector<bool> used(sweep.hz.size(), false);
    for (size_t i : inBand)
        used[i] = true;
    std::vector<double> muReal, muImag, curveReal, curveImag, hzOnCurve, hzUsed;
    std::vector<ComplexPermeability> muUsed;
    for (size_t i = 0; i < sweep.hz.size(); i++) {
        ComplexPermeability mu = recoveredPermeability(sweep.z[i], sweep.hz[i], best.capacitancePf, m->turns,
                                                       m->effective);
        bool onCurve = withinCurve(best.data, sweep.hz[i], sweep.hz[i]);
        std::complex<double> fit =
            onCurve ? fittedImpedance(*best.data, best.scale, best.capacitancePf, m->turns, m->effective, sweep.hz[i])
                    : 0.0;
        m->points.push_back({sweep.hz[i], sweep.z[i], mu, onCurve, fit, used[i]});
        if (!used[i])
            continue;
        hzUsed.push_back(sweep.hz[i]);
        muUsed.push_back(mu);
        muReal.push_back(mu.real);
        muImag.push_back(mu.imag);
        if (onCurve) {
            ComplexPermeability c = permeabilityAt(*best.data, sweep.hz[i]);
            hzOnCurve.push_back(sweep.hz[i]);
            curveReal.push_back(c.real);
            curveImag.push_back(c.imag);
        }
    }
    m->crossoverHz = crossing(hzUsed, muReal, muImag);
    m->curveCrossoverHz = crossing(hzOnCurve, curveReal, curveImag);
    m->resonanceHz = measuredResonance(fitted, std::max(best.residual, ResonanceLeastNoise));
    m->ratio = medianRatio(hzUsed, muUsed, *best.data);

    // What the fit puts in doubt.
    auto code = [](const MaterialFit *f) { return std::string(f->data->code); };
    if (!m->file.repeatedHz.empty()) {
        std::string list;
        for (size_t i = 0; i < m->file.repeatedHz.size() && i < 5; i++)
            list += (i ? ", " : "") + significant(m->file.repeatedHz[i] / 1e6, 9);
        if (m->file.repeatedHz.size() > 5)
            list += " and " + std::to_string(m->file.repeatedHz.size() - 5) + " more";
        m->warnings.push_back("the sweep gives " + list + " MHz twice (where a segmented sweep's segments meet): "
                              "the first reading of each is kept");
    }
    if (nonPassive)
        m->warnings.push_back(std::to_string(nonPassive) + " point" + (nonPassive > 1 ? "s" : "") + " with " +
                              (m->method == Reflection ? "|S11| over 1" : "a negative R") +
                              " (no passive winding gives it: a calibration's edge) left out of the fit");
    if (!m->explained)
        m->warnings.push_back("no single winding on any material with a curve explains the sweep (the best fit, " +
                              code(&best) + ", leaves a residual of " + significant(best.residual, 2) +
                              " on the measured coefficient): several windings, a fixture or long leads, powdered "
                              "iron, or a material without a curve");
    if (!r.material.empty()) {
        const MaterialFit *named = nullptr;
        for (const MaterialFit &f : m->fits)
            named = f.data->code == r.material ? &f : named;
        m->soldAsConsistent = std::find(m->alike.begin(), m->alike.end(), named) != m->alike.end();
        if (!m->soldAsConsistent && m->explained)
            m->warnings.push_back("the core behaves like " + code(&best) + ", not " + r.material + ": " +
                                  (named ? r.material + " fits " + significant(named->residual / best.residual, 2) +
                                               " times worse (residual " + significant(named->residual, 2) +
                                               " against " + significant(best.residual, 2) + ")"
                                         : r.material + " was not fitted"));
    }
    if (best.scale < ScaleLeast || best.scale > ScaleMost)
        m->warnings.push_back("the best fit, " + code(&best) + ", needs its curve times " +
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

static Json ratioOrNull(double v)
{
    return std::isfinite(v) ? Json(v) : Json(nullptr);
}

// What every answer of measure starts with (a family's own keys after the
// core's name and after the turns), and every point of it.
static Json measuredJson(const MeasureResult &m, const Json &afterCore = Json::object(),
                         const Json &afterTurns = Json::object())
{
    Json j = {{"core", m.core}};
    j.update(afterCore);
    j.update(Json{{"stack", m.stack},
                  {"effectiveLengthMm", m.effective.lengthMm},
                  {"effectiveAreaMm2", m.effective.areaMm2},
                  {"turns", m.turns}});
    j.update(afterTurns);
    j.update(Json{{"method", methodName(m.method)},
                  {"referenceOhms", m.file.referenceOhms},
                  {"band", {{"lowMHz", m.lowHz / 1e6}, {"highMHz", m.highHz / 1e6},
                            {"from", m.bandGiven ? "--mhz" : "default"}}},
                  {"fittedPoints", std::count_if(m.points.begin(), m.points.end(),
                                                 [](const MeasurePoint &p) { return p.inFit; })}});
    return j;
}

static Json measuredPointJson(const MeasurePoint &p)
{
    const ImpedanceFigures f = figuresOf(p.z, p.hz);
    return {{"frequencyMHz", p.hz / 1e6},
            {"resistanceOhms", f.resistance},
            {"reactanceOhms", f.reactance},
            {"impedanceOhms", f.magnitude},
            {"muReal", p.mu.real}};
}

static Json ironFitJson(const IronMixFit &f)
{
    return {{"material", f.fit->mix}, {"muRatio", f.muRatio}, {"lossRatio", f.lossRatio}, {"distance", f.distance}};
}

static Lines measureIronLines(const MeasureResult &m);

static Json measureIronJson(const MeasureResult &m)
{
    Json mixes = Json::array(), points = Json::array(), alike = Json::array();
    for (const IronMixFit &f : m.ironFits)
        mixes.push_back(ironFitJson(f));
    for (const IronMixFit *f : m.ironAlike)
        alike.push_back(f->fit->mix);
    for (size_t i = 0; i < m.points.size(); i++) {
        Json p = measuredPointJson(m.points[i]); // muReal: the core's, recovered without C's share
        p["qCore"] = finiteOrNull(m.ironPoints[i].qCore);
        p["inFit"] = m.points[i].inFit;
        points.push_back(p);
    }
    Json j = measuredJson(m, {{"family", "iron"}}, {{"wire", wireJson(m.wire)}});
    j["explained"] = m.explained;
    j["behavesLike"] = alike;
    j["notAsSold"] = m.notAsSold;
    j["best"] = ironFitJson(m.ironFits[0]);
    j["capacitancePf"] = m.modelPf;
    j["capacitanceFrom"] = "model";
    j["materials"] = mixes;
    j["selfResonanceMHz"] = mhzOrNull(m.resonanceHz);
    j["points"] = points;
    j["warnings"] = m.warnings;
    j["summary"] = linesJson(measureIronLines(m));
    return j;
}

Json measureJson(const MeasureResult &m)
{
    if (m.iron)
        return measureIronJson(m);
    Json materials = Json::array(), points = Json::array(), alike = Json::array();
    for (const MaterialFit &f : m.fits)
        materials.push_back(fitJson(f));
    for (const MaterialFit *f : m.alike)
        alike.push_back(f->data->code);
    for (const MeasurePoint &p : m.points) {
        const ImpedanceFigures g = figuresOf(p.fitted, p.hz);
        auto fitted = [&](double v) { return p.onCurve ? Json(v) : Json(nullptr); };
        Json point = measuredPointJson(p);
        point["muImag"] = p.mu.imag;
        point["inFit"] = p.inFit;
        point["fittedResistanceOhms"] = fitted(g.resistance);
        point["fittedReactanceOhms"] = fitted(g.reactance);
        point["fittedImpedanceOhms"] = fitted(g.magnitude);
        points.push_back(point);
    }
    const MaterialFit &best = m.fits[0];
    Json j = measuredJson(m);
    j.update(Json{{"explained", m.explained},
            {"behavesLike", alike},
            {"best", fitJson(best)},
            {"capacitancePf", best.capacitancePf},
            {"capacitanceFrom", "fitted"},
            {"modelCapacitancePf", m.modelPf},
            {"againstCurve", {{"material", best.data->code}, {"muRealRatio", ratioOrNull(m.ratio.real)},
                              {"muImagRatio", ratioOrNull(m.ratio.imag)}}},
            {"materials", materials},
            {"crossoverMHz", {{"measured", mhzOrNull(m.crossoverHz)}, {"curve", mhzOrNull(m.curveCrossoverHz)}}},
            {"selfResonanceMHz", mhzOrNull(m.resonanceHz)},
            {"repeatedFrequenciesMHz", [&] {
                 Json r = Json::array();
                 for (double hz : m.file.repeatedHz)
                     r.push_back(hz / 1e6);
                 return r;
             }()},
            {"points", points},
            {"warnings", m.warnings}});
    return j;
}

// "43", "43 or 46", "43, 46 or 51".
static std::string either(const std::vector<const MaterialFit *> &alike)
{
    std::string s;
    for (size_t i = 0; i < alike.size(); i++)
        s += (i == 0 ? "" : i + 1 == alike.size() ? " or " : ", ") + std::string(alike[i]->data->code);
    return s;
}

// About 25 points log-spaced over the fitted band, and those nearest to R = X
// and to the self-resonance.
static std::vector<size_t> summary(const MeasureResult &m)
{
    std::vector<size_t> in;
    for (size_t i = 0; i < m.points.size(); i++)
        if (m.points[i].inFit)
            in.push_back(i);
    if (in.size() <= 30)
        return in;
    auto nearest = [&](double hz) {
        size_t best = in[0];
        for (size_t i : in)
            if (std::fabs(portableLog(m.points[i].hz / hz)) < std::fabs(portableLog(m.points[best].hz / hz)))
                best = i;
        return best;
    };
    std::vector<size_t> shown;
    const double lo = m.points[in.front()].hz, hi = m.points[in.back()].hz;
    for (double hz : logSweep(lo, hi, 25))
        shown.push_back(nearest(hz));
    for (double hz : {m.crossoverHz, m.resonanceHz})
        if (hz > 0)
            shown.push_back(nearest(hz));
    std::sort(shown.begin(), shown.end());
    shown.erase(std::unique(shown.begin(), shown.end()), shown.end());
    return shown;
}

static Lines measureIronLines(const MeasureResult &m)
{
    const IronMixFit &best = m.ironFits[0];
    std::string like;
    for (size_t i = 0; i < m.ironAlike.size(); i++)
        like += (i == 0 ? "mix " : i + 1 == m.ironAlike.size() ? " or " : ", ") + std::string(m.ironAlike[i]->fit->mix);
    if (m.notAsSold)
        like = "no mix: not powdered iron as sold (see the warning)";
    else if (!m.explained)
        like = "no mix within a genuine core's spread";
    const size_t used = std::count_if(m.points.begin(), m.points.end(), [](const MeasurePoint &p) { return p.inFit; });
    Lines lines = {
        coreLine(m.core, m.stack, m.effective),
        {"Turns", significant(m.turns, 6) + " of " + wireText(m.wire)},
        {"Measurement", std::string(methodName(m.method)) + ", reference " + significant(m.file.referenceOhms, 6) +
                            " ohms, " + std::to_string(m.points.size()) + " points; fitted " + std::to_string(used) +
                            " from " + significant(m.lowHz / 1e6) + " to " + significant(m.highHz / 1e6) + " MHz"},
        {"Behaves like", like},
        {"Nearest mix", std::string(best.fit->mix) + ": mu' " + significant(best.muRatio, 3) + " times its mu(f), the "
                        "loss " + significant(best.lossRatio, 3) + " times its small-signal loss (distance " +
                        significant(best.distance, 3) + " in a genuine core's spread: mu 10 %, loss 25 %)"},
        {"Capacitance", "the self-capacitance model's " + significant(m.modelPf, 4) + " pF taken out; the copper by "
                        "the q model"},
    };
    if (m.soldAsConsistent)
        lines.push_back({"Sold as", "the sweep is consistent with it"});
    for (const std::string &w : m.warnings)
        lines.push_back({"Warning", w});
    lines.push_back({"Data", "the maker's curve fits (Micrometals): mu(f) and the small-signal loss"});
    return lines;
}

static std::string measureIronText(const MeasureResult &m)
{
    Table fits;
    fits.rows.push_back({"mix", "mu' times", "loss times", "distance"});
    for (const IronMixFit &f : m.ironFits)
        fits.rows.push_back({f.fit->mix, significant(f.muRatio, 3), significant(f.lossRatio, 3),
                             significant(f.distance, 3)});
    return captioned(measureIronLines(m)) + "\n" + fits.render(false);
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
    if (m.iron)
        return measureIronText(m);
    const MaterialFit &best = m.fits[0];
    auto near = [](double hz) { return hz > 0 ? "near " + significant(hz / 1e6) + " MHz" : "not within the fitted band"; };
    const std::vector<size_t> shown = summary(m);
    const size_t used = std::count_if(m.points.begin(), m.points.end(), [](const MeasurePoint &p) { return p.inFit; });
    std::string like = m.explained ? m.alike.empty() ? "none of the materials with a plausible factor on its curve"
                                                     : either(m.alike)
                                   : "no single winding on any material with a curve (see the warning)";
    Lines lines = {
        coreLine(m.core, m.stack, m.effective),
        {"Turns", significant(m.turns, 6)},
        {"Measurement", std::string(methodName(m.method)) + ", reference " + significant(m.file.referenceOhms, 6) +
                            " ohms, " + std::to_string(m.points.size()) + " points from " +
                            significant(m.points.front().hz / 1e6) + " to " + significant(m.points.back().hz / 1e6) +
                            " MHz"},
        {"Fitted", std::to_string(used) + " points from " + significant(m.lowHz / 1e6) + " to " +
                       significant(m.highHz / 1e6) + " MHz" +
                       (m.bandGiven ? " (--mhz)" : " (the default band: where one winding explains a sweep)")},
        {"Behaves like", like},
        {"Best fit", "material " + std::string(best.data->code) + ", its curve times " + significant(best.scale, 3) +
                         ", with " + significant(best.capacitancePf, 3) + " pF across the winding (residual " +
                         significant(best.residual, 3) + ")"},
    };
    if (m.soldAsConsistent)
        lines.push_back({"Sold as", m.alike.size() > 1 || m.alike[0] != &best
                                        ? "the sweep is consistent with it (it cannot tell " + either(m.alike) + " apart)"
                                        : "the sweep is consistent with it"});
    lines.insert(lines.end(), {
        {"Against the curve", "mu' " + significant(m.ratio.real, 3) + " times " + best.data->code + "'s, mu'' " +
                                  significant(m.ratio.imag, 3) + " times (medians over the fitted band, C taken out)"},
        {"Winding capacitance", "fitted " + significant(best.capacitancePf, 3) + " pF; the self-capacitance model of "
                                "the outline gives " + significant(m.modelPf, 4) + " pF (measured windings: " +
                                significant(m.modelPf * CapacitanceLowFactor, 2) + " to " +
                                significant(m.modelPf * CapacitanceHighFactor, 2) + " pF, a fixture's own added)"},
        {"R = X", "measured " + near(m.crossoverHz) + "; on the curve of " + best.data->code + " " +
                      near(m.curveCrossoverHz)},
        {"Self-resonance", near(m.resonanceHz)},
    });
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
    for (size_t i : shown) {
        const MeasurePoint &p = m.points[i];
        ImpedanceFigures f = figuresOf(p.z, p.hz);
        points.rows.push_back({significant(p.hz / 1e6), significant(f.resistance), significant(f.reactance),
                               significant(f.magnitude), significant(p.mu.real), significant(p.mu.imag)});
    }
    std::string note = shown.size() < m.points.size()
                           ? "\n" + std::to_string(shown.size()) + " of the " + std::to_string(m.points.size()) +
                                 " points (--csv and --json give every one)\n"
                           : "";
    return captioned(lines) + "\n" + fits.render(false) + "\n" + points.render(false) + note;
}

} // namespace cli
