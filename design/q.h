// The Q of a single-layer winding: Q = X / (R_copper + R_core) below the
// self-resonance, from the core's figures and the wire's.
//
// Copper: R_dc = rho N l_turn / (pi d^2 / 4), l_turn the path of the wire's
// centre around the core's section (OD - ID + 2h + pi d). At frequency the
// round wire's own skin effect, exact:
//   R/R_dc = Re[(k a / 2) J0(k a) / J1(k a)], k = (1 - j) / delta,
//   delta = sqrt(rho / (pi f mu0)),
// which tends to a/(2 delta) + 1/4; and the neighbouring turns of the layer
// crowd the current further (proximity), by Dowell's one-layer factor
// (P. L. Dowell, "Effects of eddy currents in transformer windings", Proc.
// IEE 113(8), 1966):
//   F = D (sinh 2D + sin 2D) / (cosh 2D - cos 2D), D = (pi/4)^(3/4) (d/delta) sqrt(eta),
// eta = d / pitch at the local pitch 2 pi r / N along the turn (the turns
// crowd in the core's hole and spread outside it). F holds the skin effect
// too: it is used in place of the skin ratio, never below it.
//
// Core: powdered iron by the maker's loss fit (design/iron.h): at small
// signal only its d B^2 f^2 term is left, whose series resistance does not
// depend on the drive, Q_core = pi / (mu0 mu_r d f) with the fit's mu_r at
// f, the same for every size, turns and wire; at a drive the hysteresis
// terms add their share. Ferrite: R_core = X mu''/mu', Q_core = mu'/mu''.
//
// Near the self-resonance f_r a meter reads less: Q (1 - (f/f_r)^2) (G3RZP,
// 2005). An estimate: about +/- 25 % at HF for a genuine core (the one fully
// stated measurement, K8ZOA's 29 turns of #22 on a T-50-2, Q 212 at 7.9 MHz:
// the model gives 192 or so). Left out: the leads' loss and the core's
// temperature.
#pragma once

#include "design/ferrite.h"
#include "design/iron.h"

namespace design {

// Annealed copper at 20 C, ohm metres.
const double CopperOhmMetre = 1.724e-8;
// The model's spread, as a share of its Q.
const double QSpread = 0.25;

// The skin depth in copper at hz, metres.
double skinDepthMetres(double hz);
// R/R_dc of a round copper wire of diameter d (metres) at hz, exact.
double skinRatio(double diameterMetres, double hz);
// Dowell's one-layer factor for a wire of diameter d at hz, the layer's
// porosity eta = d / pitch (at most 1).
double dowellFactor(double diameterMetres, double hz, double porosity);

// The copper of N turns of a wire of diameter d (mm) around the outline:
// at DC, by skin alone, and with the proximity of the layer (Dowell's factor
// along the turn, never below the skin ratio).
struct WindingCopper {
    double dcOhms, skinOhms, ohms;
};
double turnLengthMm(const Outline &outline, double wireMm);
WindingCopper windingCopper(const Outline &outline, double turns, double wireMm, double hz);

// Iron's small-signal Q_core at hz, pi / (mu0 mu(f) d f).
double ironCoreQ(const IronFit &fit, double hz);

struct QPoint {
    double hz;
    double inductanceHenry, reactanceOhms;
    WindingCopper copper;
    double coreOhms;
    double qCopper, qCore, q, qSkinOnly;
    double qMeasured; // Q (1 - (f/f_r)^2) below the self-resonance; 0 at or above it
    bool withinFit;   // iron: whether its loss fit takes the drive's flux density
};
// N turns of wire d (mm) on the core at hz, vrms across them (0: small
// signal), the winding's self-resonance resonanceHz (0: none).
QPoint windingQ(const FrequencyCore &c, double turns, double wireMm, double hz, double vrms, double resonanceHz);

// ---- A measured iron winding against the mixes ---------------------------------

// From a sweep of N turns on a core of outline o (wire d mm, pf picofarads
// across it taken out): at each point the core's mu' from X and its Q_core
// from R with the copper's model taken out; against each mix with a fit,
// the median ratio of the core's mu' to the mix's mu(f) and of the mix's
// small-signal Q_core to the core's (above 1: the core loses more), and how
// far that is in the spreads a genuine core keeps (IronMuSpread on mu,
// QSpread's 1 + 25 % on the loss). Nearest first.
const double IronMuSpread = 1.1;
struct IronMixFit {
    const IronFit *fit;
    double muRatio, lossRatio, distance;
};
struct IronPoint {
    double mu, qCore; // the core's
};
std::vector<IronPoint> ironPoints(const std::vector<double> &hz, const std::vector<std::complex<double>> &z,
                                  double turns, const Outline &o, const Effective &e, double wireMm, double pf);
std::vector<IronMixFit> fitIronMixes(const std::vector<double> &hz, const std::vector<IronPoint> &points);
// Far from a mix: mu off by more than this factor, or the loss by more.
const double NotAsSoldMu = 1.3, NotAsSoldLoss = 3;
bool farFrom(const IronMixFit &f);
// A sweep a mix explains: within this distance of it.
const double IronExplained = 1.5;

} // namespace design
