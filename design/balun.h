// Transmission-line transformers: Guanella's baluns and ununs (1:1, 4:1,
// 9:1: n lines, inputs in parallel, outputs in series) and Ruthroff's 4:1
// bootstrap, wound with a bifilar pair or a coax on a core.
//
// Each line carries two currents (Guanella 1944; O. Duffy, "A model of a
// practical Guanella 1:1 balun", owenduffy.net 2008):
//   - the differential one, a lossless transmission line of Z0 and
//     electrical length beta l = 2 pi f l / (VF c); equal and opposite
//     currents put no flux in the core;
//   - the common-mode one, I_c = I_a + I_b, through the N-turn winding the
//     line makes on its core: the drop of the line's mean voltage from end
//     to end is Z_w I_c, Z_w the winding's impedance with its own
//     capacitance. Lines on one core share its flux with their winding
//     senses, the drop of line j sum_k s_j s_k Z_w I_c,k.
// Solved as a small nodal circuit: each line adds three unknowns (I_c and
// the differential currents at its ends), the source (R_s, EMF) and the
// loads are admittances. No loss in the line itself: the transducer loss is
// the mismatch and the common-mode current's heat.
#pragma once

#include <array>
#include <complex>
#include <vector>

namespace design {

enum BalunKind { BalunGuanella, BalunRuthroff };

// The velocity of light, m/s.
const double LightMetresPerSecond = 299792458;

// The lines a kind and a ratio take: a Guanella n^2:1 n, a Ruthroff one.
int balunLines(BalunKind kind, int ratio);
// Whether the kind has a connection for the ratio (Guanella 1, 4, 9;
// Ruthroff 4) and, as an unun, one to ground (Guanella 4 and 9, Ruthroff 4).
bool balunConnects(BalunKind kind, int ratio, bool unun);
// The Z0 at which the response least depends on the line's length:
// sqrt(R_s R_L) (a Guanella n^2:1 n R_s, a Ruthroff R_L / 2).
double bestLineOhms(double sourceOhms, double loadOhms);

struct BalunCircuit {
    BalunKind kind = BalunGuanella;
    int ratio = 1;
    bool unun = false;    // the output's low side to ground
    bool oneCore = false; // a Guanella's lines all on one core (opposite senses in turn)
    double z0 = 50, lineMetres = 0, velocityFactor = 1;
    double sourceOhms = 50;
    std::complex<double> load{50, 0}; // across the output
    // A three-terminal load in place of `load`: the output's high terminal
    // through z1 and its low one through z2 to a star point, the star point
    // through z3 to ground (an antenna as NEC models it).
    bool threeTerminal = false;
    std::complex<double> z1, z2, z3;
    // The load split in two halves with its centre grounded.
    bool centreGrounded = false;
};

// The answer at one frequency, for a source EMF of 1 V (every voltage and
// current scales with it).
struct BalunPoint {
    std::complex<double> zin;
    double swr;             // infinite where |reflection| reaches 1
    double returnLossDb;    // -20 log10 |reflection|
    double insertionLossDb; // the transducer loss: the load's power against the source's available
    double lineDegrees;     // beta l
    // The voltage along each core's winding (one core: the one), per volt
    // of EMF: its flux and its heat.
    std::vector<std::complex<double>> windingVolts;
    // Each line's four ends per volt of EMF: conductor a's and b's at its
    // input, then at its far end (the first and last turns, side by side).
    std::vector<std::array<std::complex<double>, 4>> lineEnds;
    // The output's terminals per volt at the input port.
    std::complex<double> high, low;
    // A three-terminal load: |I_c / I_d| in dB, I_c the current into z3, I_d
    // half the difference of the currents into z1 and z2.
    double commonModeRatioDb;
};
// The circuit at hz, zw the N-turn winding on one core (with its
// capacitance) there.
BalunPoint balunResponse(const BalunCircuit &c, double hz, std::complex<double> zw);

// Z0 of a twisted pair of film-insulated wire (Lefferson, "Twisted magnet
// wire transmission line", IEEE Trans. PHP-7(4), 1971, as the Qucs
// technical papers give it): Z0 = (120 / sqrt(e_eff)) acosh(D/d),
// e_eff = 1 + q (e_r - 1), q = 0.25 + 0.0004 theta^2, theta = atan(T pi D)
// in degrees, D the centre spacing (the overall diameter, the wires
// touching), d the copper, T the twists per unit length. Valid for twist
// angles of 20 to 45 degrees; within about 10 % of measured Z0, the
// velocity factor 1/sqrt(e_eff) worse (13 % high on the one published pair).
struct PairLine {
    double z0, velocityFactor, twistDegrees, effectivePermittivity;
};
PairLine leffersonPair(double overallMm, double bareMm, double twistsPerCm, double permittivity);
// The twist angles the formula was fitted over.
const double TwistDegreesLeast = 20, TwistDegreesMost = 45;

} // namespace design
