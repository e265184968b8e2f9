// An impedance transformer at power (an end-fed 49:1 or 64:1, a 9:1 or 4:1
// unun): P primary turns and S secondary turns on a ferrite core, the low
// side at Z ohms, matched. The magnetizing branch Zm, the primary winding on
// its core with the winding's capacitance across it, sits across the port:
// at a power W the primary has V = sqrt(W Z), the core takes the fraction
// Z Re(1/Zm) of it and the peak flux density is sqrt(2) V / (2 pi f P Ae).
// The leakage inductance and a compensating capacitor are the match's
// (transformerMatch, below). An autotransformer's S counts all its turns.
#pragma once

#include <complex>
#include <vector>

#include "design/ferrite.h"

namespace design {

// The makers measure initial permeability at a peak flux density under 10
// gauss: the curves are small-signal, and at more flux a core takes more
// than they say.
const double CurveFluxTesla = 1e-3;

// The secondary turns for an impedance ratio: P sqrt(R) to the nearest
// whole turn.
long secondaryTurns(long primary, double ratio);

// The power, the low side's impedance and the share of the time at full
// power (the heat follows W D, the flux density W).
struct TransformerDrive {
    double watts, ohms, duty;
};

struct TransformerPoint {
    double hz;
    std::complex<double> zm;    // the magnetizing branch
    double reactanceRatio;      // X of Zm / Z
    double lossFraction;        // Z Re(1/Zm)
    double lossDb;              // -10 log10(1 - fraction); infinite where the fraction reaches 1
    double coreWatts;           // W fraction D
};

struct TransformerFigures {
    std::vector<TransformerPoint> points;
    size_t worst;        // the point of the largest loss
    double riseKelvin;   // there, at the duty
    double peakTesla;    // at the lowest frequency, at full power
    double surfaceCm2;
};
TransformerFigures transformerFigures(const FrequencyCore &core, long primary, const std::vector<double> &hz, double pf,
                                      const TransformerDrive &drive);

// The match a transformer gives its port, primary-referred (O. Duffy's
// "improved simple Simsmith model" of an end-fed transformer, owenduffy.net
// 2021): a shunt capacitor across the primary, the magnetizing branch Zm
// (the primary winding with its own capacitance), then the leakage in
// series with the load R_L/n^2 shunted by the secondary's own capacitance,
// referred as n^2 C:
//   Zin = 1 / (jw C_shunt + 1/Zm + 1/(jw L_leak + 1/(n^2/R_L + jw n^2 C_sec))).
// The leakage is measured with the secondary shorted (L at the primary);
// windings apart on the core, a primary on one side and the secondary on
// the other, are not this circuit.
struct MatchCircuit {
    double leakageHenry = 0;   // primary-referred
    double secondaryFarad = 0; // the secondary's own capacitance, at the secondary
    double shuntFarad = 0;     // across the primary
    double loadOhms;           // R_L at the secondary
    double turnsRatio;         // n = S/P
    double sourceOhms;         // the port's R0
};

struct MatchPoint {
    std::complex<double> zin;
    double swr;            // infinite where |reflection| reaches 1
    double returnLossDb;   // -20 log10 |reflection|
    double mismatchLossDb; // -10 log10 (1 - |reflection|^2)
    double totalLossDb;    // the transducer loss: the load's power against the source's available
    double shuntVolts, shuntAmps; // rms across and through the shunt capacitor, at the power
};
// At one frequency, the magnetizing branch zm there, the source's available
// power `watts`.
MatchPoint transformerMatch(std::complex<double> zm, double hz, const MatchCircuit &c, double watts);

// The worst SWR over the frequencies (zm at each) with the circuit as it is.
double worstSwr(const std::vector<std::complex<double>> &zm, const std::vector<double> &hz, const MatchCircuit &c);

// The shunt capacitor that makes the worst SWR over the frequencies least
// (minimax), from 0 to mostFarad, to 0.1 pF; its worst SWR in *swr.
double bestShuntFarad(const std::vector<std::complex<double>> &zm, const std::vector<double> &hz, MatchCircuit c,
                      double mostFarad, double *swr);

// Whether the windings fit in one layer of the wire: P + S turns, or S for
// an autotransformer.
bool windingsFit(const FrequencyCore &core, double wireInches, long primary, long secondary, bool autotransformer);

} // namespace design
