// q: the Q of a tuned winding, copper and core, over a frequency or a band;
// or, without a core, which core and mix hold the most Q for an inductance.
// The request as typed, read into a plan by readQ(), answered by runQ(),
// written by qJson() and qText().
#pragma once

#include <string>
#include <vector>

#include "cli/values.h"
#include "design/q.h"

namespace cli {

struct QRequest {
    Given turns, uh, mhz, points, vrms, stack, curve;
    CoreOptions core; // with --size: one winding
    WireOptions wire;
    CapacitanceOptions capacitance;
    bool all = false;
};
// One winding over the band.
struct QWinding {
    NamedCore core;
    CoreType family;
    long turns;
    Wire wire;
    Capacitance capacitance;
    double resonanceHz; // 0: none within the curve
    std::vector<design::QPoint> points;
    double worstQ, worstQHz, peakQ, peakQHz; // of qMeasured
    bool aboutEqual = false;                 // a search's: within the model's spread of the best
};
// What q asks, read once: the band, the drive, the capacitance; one
// winding's core, turns and wire, or a search's candidates and inductance.
struct QPlan {
    double lowMhz, highMhz;
    int points;
    double vrms = 0; // 0: small signal
    double uh = 0;   // --uh, or 0
    bool oneWinding, all, wireGiven;
    Wire wire; // given, or each winding's thickest
    CapacitanceRule capacitance;
    std::vector<NamedCore> cores; // the winding's, or the candidates
    std::vector<CoreType> families;
    long turns = 0; // the winding's
};
struct QResult {
    std::vector<QWinding> windings; // one, or every candidate that takes the inductance, best first
    int searched = 0;
    std::vector<std::string> warnings;
};
bool readQ(const QRequest &r, QPlan *plan, Failure *failure);
QResult runQ(const QPlan &plan);
Json qJson(const QPlan &plan, const QResult &r);
std::string qText(const QPlan &plan, const QResult &r);

} // namespace cli
