#!/usr/bin/python3
"""mirvelta-cli measure on sweeps made from known materials, k and C, with
noise on the measured coefficient, in each file flavour: the fit names the
true material and gives k and C back; a mislabelled core warns; every
malformed file is refused with one line and exit 2; impedance --curve takes
what measure --csv writes.

Usage: measure_test.py MIRVELTA_CLI"""
import json
import pathlib
import subprocess
import sys
import tempfile

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
from sweeps import BANDS, sweep  # noqa: E402

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
                code, out, err = measure(sweep(material, k, pf, turns, lo, hi, n, 0.003, seed, flavour),
                                         "w.s1p", "--turns", str(turns), "--json")
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
check("a 61 sold as 43 warns", code == 0 and "the core behaves like 61, not 43" in json.loads(out)["warnings"], out)
code, out, err = measure(text, "l.s1p", "--turns", "4", "--material", "61", "--json")
check("a 61 sold as 61 does not", code == 0 and json.loads(out)["warnings"] == [], out)
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
    "frequency not increasing": (good + "2 0.3 0.1\n", "mirvelta-cli: line 4: frequency 2 does not increase\n"),
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

print("measure: %d passed, %d failed" % (passed, failed))
sys.exit(1 if failed else 0)
