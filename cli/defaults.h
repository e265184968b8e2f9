// The options' defaults, once: a request takes them where an option is not
// given, and --help shows them (options.cpp gives each to CLI11).
#pragma once

#include "design/ferrite.h"
#include "design/search.h"

namespace cli {

const double DefaultOhms = 50;                                // --ohms: the port a power goes into
const double DefaultDutyPercent = 100;                        // --duty
const double DefaultWireMm = 1;                               // --wire-mm, where no wire is given
const int DefaultStack = 1;                                   // --stack and --max-stack
const double DefaultScale = 1;                                // --scale
const int DefaultSweepPoints = design::SweepPointsDefault;    // impedance --points
const int DefaultSearchPoints = design::SearchPointsLeast;    // a search's --points
const double DefaultTolerancePercent = 25;                    // choke --tolerance
const double DefaultMaxRiseKelvin = design::HotRiseKelvin;    // --max-rise
const double DefaultMaxLossPercent = 10;                      // transformer --max-loss-percent
const double DefaultMaxSwr = 2;                               // transformer and balun --max-swr
const double DefaultMaxLossDb = 0.5;                          // balun --max-loss-db
const double DefaultLeadsCm = 0;                              // balun --leads-cm
const double DefaultPermittivity = 3.5;                       // balun --er: film enamel (polyurethane, polyester-imide)

} // namespace cli
