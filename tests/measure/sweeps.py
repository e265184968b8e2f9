"""Sweeps of a test winding made from the makers' published curves (the CSV
files, read and interpolated here on their own, linear in log f), with a
permeability factor k, a capacitance C across the winding and noise on the
measured coefficient, written as the small analysers' programs write them."""
import cmath
import csv
import math
import pathlib
import random

DATA = pathlib.Path(__file__).resolve().parents[2] / "data" / "ferrite-permeability"
MU0 = 1.25663706212e-6


def curve(material):
    rows = list(csv.reader(open(DATA / ("%s.csv" % material))))[1:]
    return [tuple(map(float, r[:3])) for r in rows]


def mu_at(rows, hz):
    for i in range(1, len(rows)):
        if rows[i][0] >= hz:
            a, b = rows[i - 1], rows[i]
            if b[0] == hz:
                return b[1], b[2]
            t = math.log(hz / a[0]) / math.log(b[0] / a[0])
            return a[1] + t * (b[1] - a[1]), a[2] + t * (b[2] - a[2])
    return rows[-1][1], rows[-1][2]


def toroid(od_in, id_in, h_in):
    """IEC 60205's le and Ae (mm, mm^2) of a rectangular toroid."""
    r1, r2, h = id_in * 25.4 / 2, od_in * 25.4 / 2, h_in * 25.4
    ln, c1 = math.log(r2 / r1), 1 / r1 - 1 / r2
    return 2 * math.pi * ln / c1, h * ln * ln / c1


FT240 = toroid(2.4, 1.4, 0.5)


def impedance(material, k, pf, turns, hz, core=FT240):
    le, ae = core
    mr, mi = mu_at(curve(material), hz)
    w = 2 * math.pi * hz * turns ** 2 * MU0 * (ae * 1e-6) / (le * 1e-3)
    zl = complex(w * k * mi, w * k * mr)
    return 1 / (1 / zl + 1j * 2 * math.pi * hz * pf * 1e-12)


def coefficient(z, method, r0=50.0):
    if method == "reflection":
        return (z - r0) / (z + r0)
    if method == "series":
        return 2 * r0 / (2 * r0 + z)
    return 2 * z / (2 * z + r0)


def sweep(material, k, pf, turns, lo, hi, n, noise=0.003, seed=1, flavour="hz-ri", method="reflection"):
    """The file's text. Flavours: hz-ri ('# HZ S RI R 50', whole hertz, no
    comments), mhz-ma ('# MHz S MA R 50' under a '!' header), ghz-db (no
    option tokens but the format: GHz, S, DB, R 50), z-ri (Z parameters,
    normalised), and for two-port methods an .s2p with S21 = S12."""
    return sweep_of(lambda hz: impedance(material, k, pf, turns, hz), lo, hi, n, noise, seed, flavour, method)


def sweep_of(z_of, lo, hi, n, noise=0.003, seed=1, flavour="hz-ri", method="reflection", edit=None):
    """The same for any impedance z_of(hz); edit(i, hz, g) may change the
    measured coefficient g of point i (a calibration's edge)."""
    rng = random.Random(seed)
    if flavour == "hz-ri":
        lines, scale = ["# HZ S RI R 50"], 1
    elif flavour == "mhz-ma":
        lines, scale = ["! Touchstone file made by the tests", "# MHz S MA R 50"], 1e6
    elif flavour == "ghz-db":
        lines, scale = ["!date and time", "#   db  ! the rest by default"], 1e9
    else:
        lines, scale = ["# khz z ri r 50"], 1e3
    for i in range(n):
        hz = lo * (hi / lo) ** (i / (n - 1))
        if flavour == "hz-ri":
            hz = float(round(hz))
        z = z_of(hz)
        if flavour == "z-ri":
            values = [z / 50]
        else:
            g = coefficient(z, method) + complex(rng.gauss(0, noise / math.sqrt(2)), rng.gauss(0, noise / math.sqrt(2)))
            if edit:
                g = edit(i, hz, g)
            values = [g] if method == "reflection" else [complex(0.02, 0.01), g, g, complex(0.02, 0.01)]
        if flavour in ("hz-ri", "z-ri"):
            cells = " ".join("%.10f %.10f" % (v.real, v.imag) for v in values)
        elif flavour == "mhz-ma":
            cells = " ".join("%.10f %.7f" % (abs(v), math.degrees(cmath.phase(v))) for v in values)
        else:
            cells = " ".join("%.9f %.7f" % (20 * math.log10(abs(v)), math.degrees(cmath.phase(v))) for v in values)
        f = ("%d" % hz) if flavour == "hz-ri" else "%.12g" % (hz / scale)
        lines.append(f + " " + cells + (" ! point %d" % i if flavour == "mhz-ma" and i % 7 == 0 else ""))
    return "\n".join(lines) + "\n"


# The bands of the acceptance: 1-30 MHz for 43, 46, 51 and 61; 0.1-10 MHz
# for 31, 73, 75 and 77; turns for an impedance the analyser reads well.
BANDS = {"43": (1e6, 30e6, 3), "46": (1e6, 30e6, 3), "51": (1e6, 30e6, 3), "61": (1e6, 30e6, 4),
         "31": (1e5, 10e6, 6), "73": (1e5, 10e6, 4), "75": (1e5, 10e6, 3), "77": (1e5, 10e6, 3)}


def winding(mu_of, k, pf, turns, hz, core=FT240):
    """A winding of any permeability mu_of(hz) = (mu', mu'') on the core, C across it."""
    le, ae = core
    mr, mi = mu_of(hz)
    w = 2 * math.pi * hz * turns ** 2 * MU0 * (ae * 1e-6) / (le * 1e-3)
    zl = complex(w * k * mi, w * k * mr)
    return 1 / (1 / zl + 1j * 2 * math.pi * hz * pf * 1e-12)


def mu_of(material):
    rows = curve(material)
    return lambda hz: mu_at(rows, hz)
