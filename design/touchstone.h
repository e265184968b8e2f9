// A Touchstone 1.x file of a one-port (.s1p) or two-port (.s2p)
// measurement, as small vector network analysers and their programs write
// it, and the winding's impedance it measured.
//
// The option line "# <unit> <parameter> <format> R <n>" takes its tokens in
// any order and any case; what it leaves out is the standard's default (GHz,
// S, MA, R 50); only the first counts. "!" starts a comment, on its own line
// or after data. A data line is a frequency and one pair (one-port) or four
// (two-port, S11 S21 S12 S22); RI pairs are real and imaginary, MA
// magnitude and angle in degrees, DB 20 log10 of the magnitude and angle.
// Z and Y parameters are normalised to R, as the standard has them.
//
// A frequency that repeats the one before (a segmented sweep, where two
// segments meet) is read once: the first reading is kept, the frequency
// noted. One below the one before is a fault.
#pragma once

#include <complex>
#include <string>
#include <vector>

namespace design {

// What makes a file unreadable, with the line it is on.
enum TouchstoneFault {
    TouchstoneRead,
    TouchstoneTooLarge,      // over TouchstoneMostBytes
    TouchstoneBadOption,     // a token the option line does not know
    TouchstoneBadReference,  // R not followed by a positive number
    TouchstoneNotANumber,
    TouchstoneWrongCount,    // not 1 + 2 (one-port) or 1 + 8 (two-port) numbers
    TouchstoneNotFinite,
    TouchstoneNotIncreasing, // a frequency below the one before
    TouchstoneNoData,
};

const size_t TouchstoneMostBytes = 10 * 1000 * 1000;

struct Touchstone {
    int ports = 0;          // 1 or 2
    char parameter = 'S';   // S, Z or Y
    double referenceOhms = 50;
    std::vector<double> hz;
    // Per point: S11 (one-port), or S11 S21 S12 S22; as complex numbers, Z
    // and Y still normalised.
    std::vector<std::vector<std::complex<double>>> data;
    std::vector<double> repeatedHz; // frequencies given twice, read once
};

struct TouchstoneError {
    TouchstoneFault fault = TouchstoneRead;
    int line = 0;       // 1-based; 0 for the whole file
    std::string text;   // the token or number at fault, where there is one
};

// ports: 1 or 2 from the file's name (.s1p, .s2p), 0 to take it from the
// count of numbers on the first data line.
bool readTouchstone(const std::string &text, int ports, Touchstone *file, TouchstoneError *error);

// A permeability curve as the makers' tables and `measure --csv` lay it
// out: rows of frequency_hz,mu_real,mu_imag (more columns after them are
// left alone), the header "frequency_hz,mu_real,mu_imag" allowed as the
// first line, frequencies increasing.
struct PermeabilityPoint;
bool readCurve(const std::string &text, std::vector<PermeabilityPoint> *points, TouchstoneError *error);

// How a two-port fixture measured the winding: in series between the ports
// (Z = 2 R0 (1 - S21) / S21) or shunt to ground (Z = R0 S21 / (2 (1 - S21))).
// A one-port is a reflection, Z = R0 (1 + S11) / (1 - S11).
enum MeasureMethod { Reflection, SeriesThrough, ShuntThrough };

// The winding's impedance at each point, in ohms.
std::vector<std::complex<double>> measuredImpedance(const Touchstone &file, MeasureMethod method);

// What the method measures of an impedance z: the reflection (one-port) or
// the transmission S21 of the fixture, with reference r0.
std::complex<double> coefficientOf(std::complex<double> z, MeasureMethod method, double r0);

} // namespace design
