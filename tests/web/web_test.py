#!/usr/bin/python3
"""The web page in a real browser (Debian's chromium, headless, through
selenium), loaded from a file:// URL:

- mirvelta.solve against the native twin (mirvelta-cli solve --json, run by
  cli_batch) over 10,000 random requests and the edge cases: the same object,
  or the window's message where the window refuses;
- one session clicked and typed through the labelled controls;
- the designer's view answers;
- no console error and no request that leaves the site.

Usage: web_test.py SITE_DIR CLI_BATCH [REQUESTS]
"""
import json
import pathlib
import random
import struct
import subprocess
import sys
import tempfile
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import Select

site, cli_batch = pathlib.Path(sys.argv[1]).resolve(), sys.argv[2]
count = int(sys.argv[3]) if len(sys.argv) > 3 else 10000
passed = failed = 0


def check(what, ok, detail=""):
    global passed, failed
    if ok:
        passed += 1
        print("ok:", what)
    else:
        failed += 1
        print("FAILED:", what, detail, file=sys.stderr)


def browser():
    options = webdriver.ChromeOptions()
    for a in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
              "--disable-background-networking", "--disable-component-update", "--disable-sync",
              "--window-size=1280,1600", "--user-data-dir=" + tempfile.mkdtemp(prefix="mirvelta-web-")):
        options.add_argument(a)
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)


def load(driver):
    driver.get((site / "index.html").as_uri())
    for _ in range(400):
        if driver.execute_script("return document.body.dataset.ready") == "yes":
            return
        time.sleep(0.025)
    raise SystemExit("the page never became ready")


# ---- The requests ------------------------------------------------------------

CATALOGUE = None  # filled from the page: {"iron": (sizes, materials), ...}


def number_text(rng):
    """What a user types in a number box: plain, decimal, exponent, odd forms,
    and 18-digit texts near float midpoints."""
    kind = rng.randrange(12)
    if kind == 0:
        return str(rng.randrange(1, 70000))
    if kind == 1:
        return "%.*f" % (rng.randrange(0, 4), rng.uniform(0.0005, 500))
    if kind == 2:
        return "%de%d" % (rng.randrange(1, 99), rng.randrange(-3, 5))
    if kind == 3:
        return rng.choice(["0", "-5", "abc", " 12", "12 ", "1.5.2", "&H1F", "&O17", "1D2", ".", "+7", "65536",
                           "65535", "65535.4", "0.001", "0.0009", "65537", "1e999", "1e-999", "&HFFFF", "3e"])
    if kind in (4, 5, 6):
        # 18 significant digits around a float's midpoint: x87 and quad differ here.
        f = rng.uniform(0.001, 60000)
        bits = struct.unpack("<I", struct.pack("<f", f))[0]
        lo = struct.unpack("<f", struct.pack("<I", bits))[0]
        hi = struct.unpack("<f", struct.pack("<I", bits + 1))[0]
        mid = (lo + hi) / 2 + rng.choice([-1, 0, 1]) * (hi - lo) * 1e-9
        return "%.17e" % mid if rng.random() < 0.5 else ("%.18g" % mid)
    return "%.*g" % (rng.randrange(2, 10), rng.uniform(0.5, 3000))


def requests(rng, n):
    out = [
        {"family": "ferrite", "size": "23", "material": "J", "unit": "inches", "turns": "23960"},  # the tie
        {"family": "iron", "size": "12", "material": "26", "unit": "inches", "turns": "10"},  # no AL
        {"family": "iron", "size": "50", "material": "2", "unit": "mm", "turns": "0"},
        {"family": "iron", "size": "50", "material": "2", "unit": "inches", "turns": "65536"},
        {"family": "iron", "size": "50", "material": "2", "unit": "inches", "inductance": "0.0009", "units": "uH"},
        {"family": "iron", "size": "50", "material": "2", "unit": "inches", "inductance": "65537", "units": "uH"},
        {"family": "iron", "size": "50", "material": "2", "unit": "inches", "inductance": "5", "units": "UH"},
        {"family": "ferrite", "size": "240", "material": "J", "unit": "mm", "inductance": "2.2", "units": "mH"},
    ]
    while len(out) < n:
        family = rng.choice(["iron", "ferrite"])
        sizes, materials = CATALOGUE[family]
        r = {"family": family, "size": rng.choice(sizes), "material": rng.choice(materials),
             "unit": rng.choice(["inches", "mm"])}
        if rng.random() < 0.5:
            r["turns"] = number_text(rng)
        else:
            r["inductance"] = number_text(rng)
            r["units"] = rng.choice(["nH", "uH", "mH", "nH", "uH", "mH", "UH", "H"])
        out.append(r)
    return out


def cli_args(r):
    args = ["solve", "--family=" + r["family"], "--size=" + r["size"], "--material=" + r["material"],
            "--unit=" + r["unit"], "--json"]
    if "turns" in r:
        args.append("--turns=" + r["turns"])
    else:
        args += ["--inductance=" + r["inductance"], "--units=" + r["units"]]
    return args


def twin(command_lines):
    """mirvelta-cli over the command lines, in one process: code, out, err."""
    lines = "".join(json.dumps(args) + "\n" for args in command_lines)
    out = subprocess.run([cli_batch], input=lines, capture_output=True, text=True, check=True).stdout
    return [json.loads(l) for l in out.splitlines()]


def native(reqs):
    return twin([cli_args(r) for r in reqs])


def same(page, twin):
    if twin["code"] == 0:
        return twin["err"] == "" and json.loads(twin["out"]) == page
    # The window refused: the twin prints its message as lines on stderr.
    return "message" in page and page["message"].replace("\r\n", "\n") + "\n" == twin["err"]


# ---- The tests ---------------------------------------------------------------

def differential(driver):
    global CATALOGUE
    cat = driver.execute_async_script("mirvelta.catalogue().then(arguments[0])")
    CATALOGUE = {f["family"]: (f["sizes"], f["materials"]) for f in cat["families"]}
    reqs = requests(random.Random(20261208), count)
    started = time.time()
    page = driver.execute_async_script("""
        const [reqs, done] = arguments;
        (async () => {
            const out = [];
            for (const r of reqs) {
                try { out.push(await mirvelta.solve(r)); } catch (e) { out.push({error: String(e)}); }
            }
            done(out);
        })();""", reqs)
    seconds = time.time() - started
    twin = native(reqs)
    differ = [i for i in range(len(reqs)) if not same(page[i], twin[i])]
    refused = sum(1 for t in twin if t["code"] != 0)
    for i in differ[:5]:
        print("differs:", reqs[i], page[i], twin[i], file=sys.stderr)
    check("%d solves equal the native twin's (%d of them the window's refusals; %.1f s in the page)"
          % (len(reqs), refused, seconds), not differ, "%d differ" % len(differ))
    check("the tie case shows ' 5.63E+5'", page[0].get("inductance") == " 5.63E+5", page[0])
    check("a size the catalogue lacks gets the window's first message",
          driver.execute_async_script("""mirvelta.solve({family: 'iron', size: '51', material: '2', turns: '5'})
              .then((r) => arguments[0](r.message))""") == "You must select toroid size and material.")


def control(driver, caption):
    label = driver.find_element(By.XPATH, "//label[normalize-space()=%s]" % json.dumps(caption))
    return driver.find_element(By.ID, label.get_attribute("for"))


def shown_lines(driver):
    ids = ["outsideDiameter", "insideDiameter", "thickness", "colorCode", "frequencyRange", "wideBand",
           "tunedCircuit", "wireSize", "wireLength"]
    return {i: driver.find_element(By.ID, i).get_property("value") for i in ids}


def session(driver):
    load(driver)
    for caption in ("Powdered Iron", "Ferrite", "mm", "inches", "Toroid Size", "Toroid Material",
                    "Enter # of turns:", "Enter inductance:"):
        check("a control is labelled '%s'" % caption, control(driver, caption) is not None)
    driver.find_element(By.XPATH, "//label[normalize-space()='Ferrite']").click()
    driver.find_element(By.XPATH, "//label[normalize-space()='mm']").click()
    Select(control(driver, "Toroid Size")).select_by_visible_text("240")
    Select(control(driver, "Toroid Material")).select_by_visible_text("61")
    turns = control(driver, "Enter # of turns:")
    turns.clear()
    turns.send_keys("12")
    driver.find_element(By.XPATH, "//button[normalize-space()='Solve for Inductance']").click()
    twin = native([{"family": "ferrite", "size": "240", "material": "61", "unit": "mm", "turns": "12"}])[0]
    expected = json.loads(twin["out"])
    lines = shown_lines(driver)
    check("Solve for Inductance shows the twin's lines",
          all(lines[k] == expected[k].replace("\r\n", "\n") for k in lines), (lines, expected))
    check("the inductance box holds the result",
          control(driver, "Enter inductance:").get_property("value") == expected["inductance"])
    # By keyboard alone: type the inductance, move to the button, press Enter.
    box = control(driver, "Enter inductance:")
    box.clear()
    box.send_keys("2.2")
    Select(driver.find_element(By.ID, "units")).select_by_visible_text("mH")
    button = driver.find_element(By.XPATH, "//button[normalize-space()='Solve for # of turns']")
    button.send_keys(Keys.ENTER)
    twin = native([{"family": "ferrite", "size": "240", "material": "61", "unit": "mm", "inductance": "2.2",
                    "units": "mH"}])[0]
    expected = json.loads(twin["out"])
    check("Solve for # of turns, by keyboard, writes the twin's turns",
          control(driver, "Enter # of turns:").get_property("value") == expected["turns"]
          and shown_lines(driver)["wireSize"] == expected["wireSize"])
    turns = control(driver, "Enter # of turns:")
    turns.clear()
    turns.send_keys("0")
    driver.find_element(By.XPATH, "//button[normalize-space()='Solve for Inductance']").click()
    message = driver.find_element(By.ID, "message")
    check("a refused input shows the window's message inline",
          message.is_displayed() and message.text.startswith("Number of turns must be one or more"), message.text)


def designer(driver):
    driver.find_element(By.XPATH, "//label[normalize-space()='Ferrite']").click()
    Select(control(driver, "Toroid Size")).select_by_visible_text("240")
    Select(control(driver, "Toroid Material")).select_by_visible_text("43")
    for form in ("impedance-form", "loss-form", "identify-form", "flux-form"):
        driver.execute_script("document.getElementById(arguments[0]).requestSubmit()", form)
    time.sleep(0.3)
    polylines = driver.find_elements(By.CSS_SELECTOR, "#z-plot polyline")
    check("the impedance plot draws R, X and |Z'", len(polylines) == 3, len(polylines))
    loss = driver.find_element(By.ID, "loss-result").text
    # FT-240-43, 10 turns, 100 W into 50 ohms at 1.8 MHz: 0.6641 W, 77.02 cm^2, 6 K (worked by hand).
    check("loss and rise of FT-240-43 at 1.8 MHz", "0.6641 W" in loss and "77.02 cm^2" in loss and "6 K" in loss, loss)
    ident = driver.find_element(By.ID, "identify-result").text
    check("identify names T-50-2 first", "T-50-2" in ident.split("measured/catalogue", 1)[-1][:40], ident)
    # The designer's library in the page gives the twin's numbers to the bit.
    page = driver.execute_async_script("""mirvelta.impedance({family: 'ferrite', size: '50A', material: '31',
        turns: 7, fromMHz: 0.5, toMHz: 200, points: 40, pf: 4}).then(arguments[0])""")
    sweep = json.loads(twin([["impedance", "--family=ferrite", "--size=50A", "--material=31", "--turns=7",
                              "--mhz=0.5:200", "--points=40", "--pf=4", "--json"]])[0]["out"])
    check("the page's impedance sweep is the twin's, bit for bit",
          page["points"] == sweep["points"] and page["selfResonantFrequencyMHz"] == sweep["selfResonantFrequencyMHz"],
          (page["points"][:1], sweep["points"][:1]))
    driver.save_screenshot(str(site.parent / "web-page.png"))
    driver.set_window_size(390, 2400)
    driver.save_screenshot(str(site.parent / "web-page-phone.png"))
    overflow = driver.execute_script("return document.documentElement.scrollWidth > window.innerWidth + 1")
    check("a phone's narrow screen needs no sideways scrolling", not overflow)


def main():
    driver = browser()
    try:
        load(driver)
        differential(driver)
        session(driver)
        designer(driver)
        resources = driver.execute_script(
            "return performance.getEntriesByType('resource').map((e) => e.name)")
        check("every resource comes from the site itself",
              all(r.startswith("file://") for r in resources), resources)
        errors = [e for e in driver.get_log("browser") if e["level"] in ("SEVERE", "ERROR")]
        check("no console errors", not errors, errors)
    finally:
        driver.quit()
    print("web: %d passed, %d failed" % (passed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
