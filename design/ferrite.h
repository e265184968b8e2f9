// A winding on a ferrite core at frequency: the material's complex
// permeability from the maker's published curve, the winding's impedance,
// the power its core takes and how warm that makes it.
//
// Z = j 2 pi f N^2 mu0 (Ae / le) (mu' - j mu''): the mu'' part is the
// resistance, the core's loss; the mu' part the reactance.
#pragma once

#include <complex>
#include <string>
#include <vector>

#include "design/iron.h"
#include "design/magnetics.h"

namespace design {

// One published row: frequency in Hz, mu' and mu'' (relative).
struct PermeabilityPoint {
    double hz, real, imag;
};

// A material's published curve, rows in increasing frequency.
struct FerriteData {
    const char *code;
    const PermeabilityPoint *points;
    int count;

    double lowHz() const { return points[0].hz; }
    double highHz() const { return points[count - 1].hz; }
};

extern const FerriteData FerriteMaterialData[];
extern const int FerriteMaterialDataCount;

// The curve of a ferrite material by its code; nullptr where there is none.
const FerriteData *ferriteData(const std::string &code);

struct ComplexPermeability {
    double real, imag; // mu = real - j imag
};

// mu' and mu'' at hz, linear in log f between the two published rows around
// it (a published frequency gives its own row). hz must lie within the
// curve's range.
ComplexPermeability permeabilityAt(const FerriteData &data, double hz);

// The series impedance of N turns on a core of effective parameters e and
// complex permeability mu, at hz.
std::complex<double> windingImpedance(double turns, double hz, const Effective &e, ComplexPermeability mu);
// A lossless inductance from AL (nH/N^2): X = 2 pi f N^2 AL, R = 0.
std::complex<double> reactanceFromAl(double turns, double hz, double alNanohenry);
// z with a capacitance of pf picofarads across it.
std::complex<double> withCapacitance(std::complex<double> z, double hz, double pf);

// What a user reads off an impedance at hz.
struct ImpedanceFigures {
    double resistance, reactance, magnitude; // ohms
    double phaseDegrees;
    double inductanceMicrohenry; // the series inductance X / (2 pi f)
    double q;                    // X / R
};
ImpedanceFigures figuresOf(std::complex<double> z, double hz);

// A sweep's points: at least two (both ends), at most this many; this many
// where none are asked for.
const int SweepPointsLeast = 2, SweepPointsMost = 10000, SweepPointsDefault = 25;
// A winding at frequency has at least one turn.
const double LeastTurns = 1;

// count frequencies from lowHz to highHz, evenly spaced in log f, both ends
// included exactly (count 1: lowHz alone).
std::vector<double> logSweep(double lowHz, double highHz, int count);

// Where the reactance changes sign between two neighbouring points of a
// sweep of impedances z at hz: the first self-resonant frequency, the
// susceptance taken linear in log f between the two. 0 if the reactance
// keeps its sign.
double selfResonance(const std::vector<double> &hz, const std::vector<std::complex<double>> &z);

// ---- A core at frequency --------------------------------------------------------

// A catalogue size with a ferrite material that has a published curve (its
// catalogue AL is not needed), or a catalogue iron core, lossless, with its AL.
struct FrequencyCore {
    const CoreSize *size = nullptr;
    int stack = 1;       // cores side by side
    Outline outline{};   // the stack's
    Effective effective{}; // the stack's
    const FerriteData *data = nullptr; // ferrite
    double alNanohenry = 0;            // iron
    const IronFit *iron = nullptr;     // iron: its mix's curve fits
    double scale = 1;                  // the permeability times this: a real core off the typical curve
};

enum FrequencyCoreFault { CoreFound, NoSuchSize, NoCurve, NoAl };
FrequencyCoreFault frequencyCore(CoreType family, const std::string &size, const std::string &material,
                                 FrequencyCore *core);
// The core as a stack of `stack` of them side by side: its outline, its
// effective parameters and (iron) its AL.
void stackCores(FrequencyCore *core, int stack);
// The codes of the materials with a curve, blank-separated.
std::string curveMaterials();
// Whether the frequencies lie within the curve's published range (iron: any).
bool withinCurve(const FrequencyCore &c, double lowHz, double highHz);
bool withinCurve(const FerriteData *data, double lowHz, double highHz);

// N turns on the core at hz, with pf picofarads across them (0: none): the
// complex permeability (iron: its mu_e from AL scaled by the mix's fit,
// mu(f) / mu(0), mu'' 0) and the impedance.
struct FrequencyPoint {
    double hz;
    ComplexPermeability mu;
    std::complex<double> z;
};
FrequencyPoint frequencyPoint(const FrequencyCore &c, double turns, double hz, double pf);

// The first frequency within the core's curve (iron: 10 kHz to 10 GHz) where
// N turns with pf picofarads across them turn from inductive to capacitive,
// the susceptance passing through zero; 0 where they never do.
double selfResonanceHz(const FrequencyCore &c, double turns, double pf);

// ---- Loss and heat -------------------------------------------------------------

// The power into the core of a winding of impedance z: with a sine voltage
// across it, V^2 Re(1/Z); with a sine current through it, I^2 R.
double lossFromVoltage(double vrms, std::complex<double> z);
double lossFromCurrent(double amps, std::complex<double> z);

// The makers' empirical rule for a bare core in still air:
// rise (K) = (loss in mW / surface in cm^2) ^ 0.833.
double temperatureRise(double watts, double surfaceCm2);

// Above this a core runs hot: the rise the makers' notes warn at.
const double HotRiseKelvin = 40;

// N turns on the core at mhz with pf picofarads across them, driven by vrms
// across them, or where vrms is 0 by amps through them (winding and
// capacitance together): the point, the voltage, the loss, the core's
// surface, its rise and the peak flux density. Ferrite's loss is its mu''
// at that point; powdered iron's the mix's loss fit at the drive's peak flux
// density, P(B, f) Ve, with the series resistance it makes, loss / I^2 (I =
// V / X through the winding itself), and the Q that leaves.
struct CoreLoss {
    FrequencyPoint point;
    double vrms, watts, surfaceCm2, riseKelvin, peakTesla;
    double averageWatts; // watts times the duty: what heats the core, and the rise follows
    double amps, seriesOhms, q; // iron
    bool withinFit;             // iron: false where the fit takes no such B or f
};
// duty: the share of the time at full power.
CoreLoss coreLoss(const FrequencyCore &c, double turns, double mhz, double vrms, double amps, double pf,
                  double duty = 1);

} // namespace design
