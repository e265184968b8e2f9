#!/usr/bin/python3
"""mirvelta-cli measure on sweeps made from known materials, k and C, with
noise on the measured coefficient, in each file flavour: the fit names the
true material and gives k and C back; a mislabelled core warns; every
malformed file is refused with one line and exit 2; impedance --curve takes
what measure --csv writes. And on sweeps as real analysers and real windings
make them: a segmented sweep, a fixture above the band, a core between two
materials, two windings, a calibration's edge, noise on one turn, an iron
core, decibels far from |S11| = 1, a long sweep's text.

Usage: measure_test.py MIRVELTA_CLI"""
import json
import math
import pathlib
import subprocess
import sys
import tempfile

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
from sweeps import BANDS, FT240, coefficient, mu_of, sweep, sweep_of, toroid, winding  # noqa: E402

cli = sys.argv[1]
work = pathlib.Path(tempfile.mkdtemp(prefix="mirvelta-measure-"))
passed = failed = 0
# What the fit reaches on these sweeps (k within 1 %, C within 0.3 pF).
K_TOLERANCE, C_TOLERANCE = 0.01, 0.3


def check(what, ok, detail=""):
    global passed, failed
    if ok:
        passed += 1
    else:
        failed += 1
        print("FAILED:", what, detail, file=sys.stderr)


def run(*args):
    r = subprocess.run([cli, *args], capture_output=True, text=True)
    return r.returncode, r.stdout, r.stderr


def measure(text, name, *args):
    path = work / name
    path.write_text(text)
    return run("measure", str(path), "--family", "ferrite", "--size", "240", *args)


# The acceptance: every material, k from 0.8 to 1.25, C from 0 to 10 pF,
# 100 to 200 points, noise 0.003 rms.
worst_k = worst_c = 0.0
seed = 0
for material, (lo, hi, turns) in BANDS.items():
    for k in (0.8, 1.0, 1.25):
        for pf in (0.0, 4.0, 10.0):
            for n, flavour in ((100, "hz-ri"), (200, "mhz-ma")):
                seed += 1
                # The low-frequency materials are fitted over their own band.
                band = ["--mhz", "%g:%g" % (lo / 1e6, hi / 1e6)] if lo < 1e6 else []
                code, out, err = measure(sweep(material, k, pf, turns, lo, hi, n, 0.003, seed, flavour),
                                         "w.s1p", "--turns", str(turns), "--json", *band)
                best = json.loads(out)["best"] if code == 0 else {}
                case = "%s k %g C %g pF, %d points, %s" % (material, k, pf, n, flavour)
                check("fit names the material: " + case, best.get("material") == material, (err, best))
                if best.get("material") == material:
                    worst_k = max(worst_k, abs(best["scale"] / k - 1))
                    worst_c = max(worst_c, abs(best["capacitancePf"] - pf))
check("k comes back within %g %% (worst %.3f %%)" % (K_TOLERANCE * 100, worst_k * 100), worst_k <= K_TOLERANCE)
check("C comes back within %g pF (worst %.3f pF)" % (C_TOLERANCE, worst_c), worst_c <= C_TOLERANCE)
print("measure: worst k off by %.4f %%, worst C off by %.4f pF over %d sweeps" % (worst_k * 100, worst_c, seed))

# The other flavours and methods.
for flavour, method, name in (("ghz-db", "reflection", "d.s1p"), ("z-ri", "reflection", "z.s1p"),
                              ("hz-ri", "series", "s.s2p"), ("mhz-ma", "shunt", "h.s2p")):
    text = sweep("61", 1.1, 2.0, 4, 1e6, 30e6, 120, 0.003 if flavour != "z-ri" else 0, 7, flavour, method)
    args = ["--turns", "4", "--json"] + (["--method", "shunt"] if method == "shunt" else [])
    code, out, err = measure(text, name, *args)
    best = json.loads(out)["best"] if code == 0 else {}
    check("%s %s: 61 at k 1.1, 2 pF" % (flavour, method),
          best.get("material") == "61" and abs(best["scale"] / 1.1 - 1) < K_TOLERANCE
          and abs(best["capacitancePf"] - 2) < C_TOLERANCE, (err, best))

# A core sold as 43 that is 61; a core far from its curve.
text = sweep("61", 1.0, 1.0, 4, 1e6, 30e6, 150, 0.003, 11)
code, out, err = measure(text, "l.s1p", "--turns", "4", "--material", "43", "--json")
check("a 61 sold as 43 warns", code == 0 and any(w.startswith("the core behaves like 61, not 43: 43 fits ")
                                                 for w in json.loads(out)["warnings"]), out)
code, out, err = measure(text, "l.s1p", "--turns", "4", "--material", "61", "--json")
check("a 61 sold as 61 does not", code == 0 and not [w for w in json.loads(out)["warnings"] if "behaves like" in w]
      and json.loads(out)["behavesLike"] == ["61"], out)
code, out, err = measure(sweep("43", 0.5, 1.0, 3, 1e6, 30e6, 150, 0.003, 12), "f.s1p", "--turns", "3")
check("k far from 1 warns", code == 0 and "Warning:" in out and "outside the makers' 0.75 to 1.33" in out, out)
# 61's curve starts at 1 MHz: a sweep below it leaves 61 out.
code, out, err = measure(sweep("43", 1, 0, 8, 1e5, 9e5, 60, 0.003, 13), "r.s1p", "--turns", "8", "--json")
warnings = json.loads(out)["warnings"] if code == 0 else []
check("curves the sweep does not meet are left out, with a warning",
      any(w.startswith("fewer than 10 points within the curves of") and " 61" in w for w in warnings)
      and "61" not in [m["material"] for m in json.loads(out)["materials"]], warnings)

# measure --csv is a curve that impedance takes with --curve, and gives back
# the impedance it was measured from.
text = sweep("43", 1.0, 0.0, 3, 1e6, 30e6, 101, 0.0, 14)
code, out, err = measure(text, "c.s1p", "--turns", "3", "--csv")
(work / "c.csv").write_text(out)
check("measure --csv starts with the data files' columns",
      out.startswith("frequency_hz,mu_real,mu_imag,resistance_ohms,reactance_ohms\n"))
code, z1, err = run("impedance", "--family", "ferrite", "--size", "240", "--curve", str(work / "c.csv"),
                    "--turns", "3", "--mhz", "10", "--json")
code2, z2, err2 = run("impedance", "--family", "ferrite", "--size", "240", "--material", "43",
                      "--turns", "3", "--mhz", "10", "--json")
ok = code == 0 and code2 == 0
if ok:
    a, b = json.loads(z1), json.loads(z2)
    ok = abs(a["resistanceOhms"] / b["resistanceOhms"] - 1) < 1e-3 and abs(a["reactanceOhms"] / b["reactanceOhms"] - 1) < 1e-3
check("impedance --curve of a noiseless 43 sweep is 43's", ok, (err, err2, z1[:200]))

# Every malformed file: one line naming the line, exit 2, nothing on stdout.
good = "# MHz S RI R 50\n1 0.5 0.1\n2 0.4 0.2\n"
malformed = {
    "no data": ("! only a comment\n# MHz S RI R 50\n", "mirvelta-cli: the file has no data lines\n"),
    "frequency going down": (good + "1.5 0.3 0.1\n", "mirvelta-cli: line 4: frequency 1.5 does not increase\n"),
    "wrong count": (good + "3 0.3\n", "mirvelta-cli: line 4: 2 numbers where a line has a frequency and its pairs\n"),
    "not a number": (good + "3 0.3 x1\n", "mirvelta-cli: line 4: 'x1' is not a number\n"),
    "hex": (good + "3 0x1 0\n", "mirvelta-cli: line 4: '0x1' is not a number\n"),
    "reference": ("# MHz S RI R -50\n1 0.5 0.1\n", "mirvelta-cli: line 1: the reference resistance '-50' is not a number above 0\n"),
    "reference missing": ("# MHz S RI R\n1 0.5 0.1\n", "mirvelta-cli: line 1: the reference resistance '' is not a number above 0\n"),
    "bad option": ("# MHz S XY R 50\n1 0.5 0.1\n", "mirvelta-cli: line 1: option line token 'XY' is not a unit, a parameter, a format or R\n"),
    "not finite": (good + "3 1e999 0\n", "mirvelta-cli: line 4: '1e999' is not finite\n"),
    "decibels overflow": ("# MHz S DB R 50\n1 1e300 0\n", "mirvelta-cli: line 2: '1e300' is not finite\n"),
}
for what, (text, want) in malformed.items():
    code, out, err = measure(text, "bad.s1p", "--turns", "3")
    check("refused: " + what, code == 2 and out == "" and err == want, (code, err))
(work / "big.s1p").write_text("!" + "x" * 10000001 + "\n")
code, out, err = run("measure", str(work / "big.s1p"), "--family", "ferrite", "--size", "240", "--turns", "3")
check("refused: over 10 MB", code == 2 and "is over 10 MB" in err and err.count("\n") == 1, err)
code, out, err = run("measure", str(work / "none.s1p"), "--family", "ferrite", "--size", "240", "--turns", "3")
check("refused: no such file", code == 2 and err == "mirvelta-cli: cannot read '%s'\n" % (work / "none.s1p"), err)
two = "# MHz S RI R 50\n" + "".join("%d 0.1 0 0.9 0.1 0.9 0.1 0.1 0\n" % f for f in range(1, 31))
for args, want in ((["--method", "series"], "mirvelta-cli: a one-port file is a reflection measurement: --method series needs a two-port file\n"),
                   (["--method", "across"], "mirvelta-cli: --method takes reflection, series or shunt, not 'across'\n")):
    code, out, err = measure(good, "m.s1p", "--turns", "3", *args)
    check("refused: " + " ".join(args), code == 2 and err == want, err)
code, out, err = measure(two.replace("S RI", "Z RI"), "z.s2p", "--turns", "3")
check("refused: a two-port Z file", code == 2 and "does not say how the winding was connected" in err, err)
code, out, err = measure(good, "few.s1p", "--turns", "3")
check("refused: too few points for any curve",
      code == 2 and err == "mirvelta-cli: fewer than 10 points of the sweep lie within any material's published curve\n", err)
code, out, err = run("measure", "--text", good, "--turns", "3")
check("refused: no core", code == 2 and err == "mirvelta-cli: give the core as --family and --size, or as --od, --id and --height\n", err)
(work / "bad.csv").write_text("frequency_hz,mu_real,mu_imag\n1e6,900,100\n1e6,800,100\n")
code, out, err = run("impedance", "--family", "ferrite", "--size", "240", "--curve", str(work / "bad.csv"),
                     "--turns", "3", "--mhz", "1")
check("refused: a curve whose frequency does not increase",
      code == 2 and err == "mirvelta-cli: the curve's line 3: frequency 1e6 does not increase\n", err)
code, out, err = run("impedance", "--family", "ferrite", "--size", "240", "--material", "43", "--curve",
                     str(work / "c.csv"), "--turns", "3", "--mhz", "1")
check("refused: both --material and --curve", code == 2 and err == "mirvelta-cli: give either --material or --curve\n", err)

# ---- Sweeps as real analysers and windings make them ------------------------

def fit(text, name, *args):
    code, out, err = measure(text, name, *args, "--json")
    return json.loads(out) if code == 0 else {"error": err}


m43, m46 = mu_of("43"), mu_of("46")

# A segmented sweep repeats the frequency where two segments meet, with a
# slightly different reading: read once (the first), warned once, the fit
# as without it.
plain = sweep("43", 1.0, 3.0, 3, 1e6, 30e6, 200, 0.003, 21)
lines = plain.splitlines()
f, a, b = lines[101].split()
segmented = "\n".join(lines[:102] + ["%s %.10f %s" % (f, float(a) + 0.002, b)] + lines[102:]) + "\n"
one, two = fit(plain, "p.s1p", "--turns", "3"), fit(segmented, "g.s1p", "--turns", "3")
check("a repeated frequency is read once and warned of with the frequency",
      two.get("repeatedFrequenciesMHz") == [int(f) / 1e6]
      and sum("twice" in w and "%g" % (int(f) / 1e6) in w for w in two["warnings"]) == 1
      and two["best"] == one["best"], two.get("error", two.get("warnings")))
f2 = lines[50].split()[0]
down = "\n".join(lines[:102] + ["%s 0.1 0.1" % f2] + lines[102:]) + "\n"
code, out, err = measure(down, "d.s1p", "--turns", "3")
check("a frequency below the one before is still refused", code == 2 and err.endswith(
    "frequency %s does not increase\n" % f2), err)

# One turn on an FT-240-43 (k 0.9, 2 pF) swept 0.05 to 200 MHz, with the
# fixture's 5 nH of leads and a resonance at 90 MHz: over the default band
# the answer is the clean winding's; over the whole sweep it is not.
clean = lambda hz: winding(m43, 0.9, 2, 1, hz)
fixture = lambda hz: clean(hz) + 1j * 2 * math.pi * hz * 5e-9 + 200 / (1 + 1j * 50 * (hz / 90e6 - 90e6 / hz))
bare, fixed = (fit(sweep_of(z, 5e4, 200e6, 600, 0.003, 7), "f.s1p", "--turns", "1") for z in (clean, fixture))
check("the default band is 1 to 30 MHz and says so",
      fixed.get("band") == {"lowMHz": 1.0, "highMHz": 30.0, "from": "default"}, fixed.get("band"))
check("a fixture above the band leaves the 1-30 MHz answer where it was",
      fixed["behavesLike"] == bare["behavesLike"] == ["43"] and abs(fixed["best"]["scale"] / bare["best"]["scale"] - 1) < 0.03
      and abs(bare["best"]["scale"] - 0.9) < 0.01, (bare["best"], fixed["best"]))
whole = fit(sweep_of(fixture, 5e4, 200e6, 600, 0.003, 7), "f.s1p", "--turns", "1", "--mhz", "0.05:200")
check("fitted over the whole sweep, the fixture's resonance makes two materials alike",
      whole["band"]["from"] == "--mhz" and whole["best"]["residual"] > 5 * fixed["best"]["residual"], whole["best"])
check("the core against its curve: mu' and mu'' 0.9 times 43's",
      abs(bare["againstCurve"]["muRealRatio"] - 0.9) < 0.01 and abs(bare["againstCurve"]["muImagRatio"] - 0.9) < 0.01,
      bare["againstCurve"])

# A core between two materials: half 43, half 46 at its own level.
mix = lambda hz: tuple(0.5 * p + 0.5 * q * 1.6 for p, q in zip(m43(hz), m46(hz)))
between = sweep_of(lambda hz: winding(mix, 1, 3, 3, hz), 1e6, 30e6, 200, 0.003, 5)
j = fit(between, "b.s1p", "--turns", "3")
check("a core between 43 and 46 behaves like both", sorted(j["behavesLike"]) == ["43", "46"] and j["explained"],
      j.get("behavesLike"))
code, out, err = measure(between, "b.s1p", "--turns", "3")
check("the text says 'behaves like 43 or 46'",
      "Behaves like:         %s or %s\n" % tuple(j["behavesLike"]) in out, out[:600])
code, out, err = measure(between, "b.s1p", "--turns", "3", "--material", j["behavesLike"][1])
check("sold as either, the sweep is consistent with it",
      "Sold as:              the sweep is consistent with it" in out and "not " + j["behavesLike"][1] not in out,
      out[:900])
j61 = fit(between, "b.s1p", "--turns", "3", "--material", "61")
check("sold as 61, it warns how much worse 61 fits",
      any(w.startswith("the core behaves like %s, not 61: 61 fits " % j61["best"]["material"]) and "times worse" in w
          for w in j61["warnings"]), j61["warnings"])

# A transformer's primary with its secondary open: 6 turns, the secondary's
# 100 pF across them and 0.5 uH of leakage in series. No single winding.
primary = lambda hz: 1j * 2 * math.pi * hz * 0.5e-6 + winding(m43, 1, 100, 6, hz)
j = fit(sweep_of(primary, 1e6, 30e6, 200, 0.003, 8), "t.s1p", "--turns", "6")
check("two windings are explained by none, and said so",
      j["explained"] is False and j["behavesLike"] == []
      and any(w.startswith("no single winding on any material with a curve explains the sweep") for w in j["warnings"]),
      (j.get("explained"), j.get("warnings")))

# Two ferrite windings in series, 2 turns of 43 and 4 of 61: no one material
# is named with confidence (the sweep cannot tell several apart, or none
# explains it).
m61 = mu_of("61")
j = fit(sweep_of(lambda hz: winding(m43, 1, 2, 2, hz) + winding(m61, 1, 3, 4, hz), 1e6, 30e6, 200, 0.003, 6),
        "w2.s1p", "--turns", "3")
check("a sum of two windings is no one material", j["explained"] is False or len(j["behavesLike"]) >= 2,
      (j.get("explained"), j.get("behavesLike")))
code, out, err = measure(sweep("43", 1.0, 3.0, 3, 1e6, 30e6, 100, 0.003, 15), "k.s1p", "--turns", "3", "--stack", "4")
code5, out5, err5 = measure(sweep("43", 1.0, 3.0, 3, 1e6, 30e6, 100, 0.003, 15), "k.s1p", "--turns", "3", "--stack", "5")
check("measure takes --stack 4 and refuses 5", code == 0 and code5 == 2
      and err5 == "mirvelta-cli: --stack takes whole cores from 1 to 4\n", err5)

# A calibration's edge: |S11| up to 1.02 at the bottom of the sweep.
edge = lambda i, hz, g: g / abs(g) * (1 + 0.0025 * (8 - i)) if i < 8 else g
j = fit(sweep_of(lambda hz: winding(m43, 1, 3, 3, hz), 1e6, 30e6, 150, 0.003, 9, edit=edge), "e.s1p", "--turns", "3")
check("points with |S11| over 1 are left out and counted",
      j["fittedPoints"] == 142 and "8 points with |S11| over 1" in " ".join(j["warnings"])
      and not any(p["inFit"] for p in j["points"][:8]) and j["behavesLike"] == ["43"], j.get("warnings"))

# One turn from 50 kHz: X of -0.26 ohms at the bottom is noise, not a
# self-resonance; 3 turns with 30 pF resonate for real, near the curve's.
noisy = sweep_of(lambda hz: winding(m43, 1, 2, 1, hz), 5e4, 30e6, 300, 0.003, 10,
                 edit=lambda i, hz, g: coefficient(complex(0.05, -0.26), "reflection") if i == 0 else g)
j = fit(noisy, "n.s1p", "--turns", "1", "--mhz", "0.05:30")
check("noise on X at the bottom is no self-resonance", j["selfResonanceMHz"] is None and j["points"][0]["reactanceOhms"] < 0,
      j["selfResonanceMHz"])
resonant = lambda hz: winding(m43, 1, 30, 3, hz)
lo, hi = 1e6, 100e6  # Im(1/Z) from below zero to above it, by bisection
for _ in range(100):
    mid = math.sqrt(lo * hi)
    lo, hi = (mid, hi) if (1 / resonant(mid)).imag < 0 else (lo, mid)
real = fit(sweep_of(resonant, 1e6, 100e6, 300, 0.003, 11), "s.s1p", "--turns", "3", "--mhz", "1:100")
check("a real self-resonance is found, at %.4g MHz" % (lo / 1e6),
      real["selfResonanceMHz"] is not None and abs(real["selfResonanceMHz"] * 1e6 / lo - 1) < 0.03,
      real["selfResonanceMHz"])

# A powdered-iron core is fitted against the mixes: one of mu 10 with no
# loss at all is no mix as sold.
t130 = toroid(1.3, 0.78, 0.44)
iron = sweep_of(lambda hz: winding(lambda f: (10.0, 0.0), 1, 2, 12, hz, t130), 1e6, 30e6, 100, 0.003, 12)
(work / "i.s1p").write_text(iron)
code, out, err = run("measure", str(work / "i.s1p"), "--family", "iron", "--size", "130", "--turns", "12", "--json")
j = json.loads(out) if code == 0 else {}
check("powdered iron without loss is fitted, and is not powdered iron as sold",
      code == 0 and j.get("family") == "iron" and j.get("notAsSold") is True and not j.get("behavesLike"), (err, j.get("best")))

# Decibels on a sweep far from |S11| = 1: 10^(dB/20), not 10^(dB/10).
far = sweep("43", 1.1, 3.0, 1, 5e6, 30e6, 150, 0.003, 13, "ghz-db")
magnitudes = [10 ** (float(l.split()[1]) / 20) for l in far.splitlines()[2:]]
j = fit(far, "db.s1p", "--turns", "1")
check("decibels far from |S11| = 1 (%.2f to %.2f) read as 20 log10" % (min(magnitudes), max(magnitudes)),
      max(magnitudes) < 0.7 and j["best"]["material"] == "43"
      and abs(j["best"]["scale"] / 1.1 - 1) < K_TOLERANCE, j.get("best"))

# A 2,020-point sweep: the text summarises, --csv and --json keep every point.
long = sweep("43", 1.0, 3.0, 3, 1e6, 30e6, 2020, 0.003, 14)
code, text, err = measure(long, "l2.s1p", "--turns", "3")
j = fit(long, "l2.s1p", "--turns", "3")
code, csv, err = measure(long, "l2.s1p", "--turns", "3", "--csv")
check("a long sweep's text shows about 25 points, --json and --csv all of them",
      text.count("\n") < 80 and "27 of the 2020 points" in text or "26 of the 2020 points" in text
      and len(j["points"]) == 2020 and csv.count("\n") == 2021, text[-300:])

print("measure: %d passed, %d failed" % (passed, failed))
sys.exit(1 if failed else 0)
