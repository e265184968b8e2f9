#!/usr/bin/python3
"""The web page's size and ready time: the wasm inside the engine's script,
the site's files, and the time from navigation until the page is ready (the
engine compiled, the catalogue in the lists), loaded from file:// in
headless Chromium, the median of N fresh loads.

Usage: bench_web.py SITE_DIR [N]
"""
import base64
import pathlib
import re
import statistics
import sys
import tempfile
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

site = pathlib.Path(sys.argv[1]).resolve()
runs = int(sys.argv[2]) if len(sys.argv) > 2 else 15

engine = (site / "mirvelta-engine.js").read_text()
wasm = base64.b64decode(re.search(r"data:application/octet-stream;base64,([A-Za-z0-9+/=]+)", engine).group(1))
print("wasm: %d bytes (%.1f KiB); mirvelta-engine.js with it embedded: %d bytes" % (len(wasm), len(wasm) / 1024, len(engine)))
total = sum(f.stat().st_size for f in site.iterdir() if f.is_file())
print("the site: %d bytes in %d files" % (total, sum(1 for f in site.iterdir() if f.is_file())))

times = []
for i in range(runs):
    options = webdriver.ChromeOptions()
    for a in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
              "--disable-background-networking", "--disable-component-update", "--disable-sync",
              "--user-data-dir=" + tempfile.mkdtemp(prefix="mirvelta-bench-")):
        options.add_argument(a)
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    try:
        driver.get((site / "index.html").as_uri())
        for _ in range(400):
            ms = driver.execute_script("return document.body.dataset.readyMs")
            if ms:
                times.append(float(ms))
                break
            time.sleep(0.025)
    finally:
        driver.quit()
print("ready from file://: median %.1f ms, min %.1f, max %.1f over %d fresh loads"
      % (statistics.median(times), min(times), max(times), len(times)))

# The fit of a 1,001-point sweep against all eight materials, and the
# choke's search, in the page: the median of 15 after one to warm up.
sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[1] / "measure"))
from sweeps import sweep  # noqa: E402

text = sweep("43", 1.1, 3.0, 3, 1e6, 30e6, 1001, 0.003, 1)
options = webdriver.ChromeOptions()
for a in ("--headless", "--no-sandbox", "--disable-gpu", "--user-data-dir=" + tempfile.mkdtemp(prefix="mirvelta-bench-")):
    options.add_argument(a)
driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
try:
    driver.get((site / "index.html").as_uri())
    fits = driver.execute_async_script("""
        const [text, done] = arguments;
        (async () => {
            await mirvelta.ready;
            const timed = async (command, request) => {
                await mirvelta[command](request);
                const ms = [];
                for (let i = 0; i < 15; i++) {
                    const t = performance.now();
                    await mirvelta[command](request);
                    ms.push(performance.now() - t);
                }
                return ms.sort((a, b) => a - b);
            };
            done([await timed("measure", {text, family: "ferrite", size: "240", turns: "3"}),
                  await timed("choke", {mhz: "1.8:30", "min-impedance": "1000", "max-stack": "2"}),
                  await timed("transformer", {ratio: "49", mhz: "1.8:30", watts: "100", "max-stack": "2"})]);
        })();""", text)
finally:
    driver.quit()
for what, ms in zip(("measure of a 1,001-point sweep", "the choke's search over 1.8-30 MHz, stacks up to 2",
                     "the transformer's search over 1.8-30 MHz, stacks up to 2"), fits):
    print("%s in the page: median %.1f ms, min %.1f, max %.1f (15 runs)"
          % (what, statistics.median(ms), ms[0], ms[-1]))
