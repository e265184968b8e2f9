#!/usr/bin/python3
"""The web page's benchmark: its bytes (as they are and as gzip), and from
file:// in headless Chromium, over N fresh loads of each site interleaved,
the median time from navigation until the page is ready and until the
first answer to a solve asked as soon as the page's script API exists; the
median time of one live answer once ready; and the engine's heavier
requests (a 1,001-point measure, the choke's and the transformer's
searches). With a reference site (the page built at an earlier commit) both
are measured in the same run, and the ratio printed.

Usage: bench_web.py SITE_DIR [N] [REFERENCE_SITE_DIR...]
"""
import gzip
import pathlib
import statistics
import sys
import time

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
from chrome import browser  # noqa: E402

site = pathlib.Path(sys.argv[1]).resolve()
runs = int(sys.argv[2]) if len(sys.argv) > 2 else 15
references = [pathlib.Path(p).resolve() for p in sys.argv[3:]]

# Before any of the page's scripts: as soon as window.mirvelta is set, ask
# for a solve, and note when it comes back.
PROBE = r"""
(() => {
    let api;
    Object.defineProperty(window, "mirvelta", {configurable: true, get: () => api, set(v) {
        api = v;
        // Its own promise: an answer handed on through another then() would
        // come back a few turns of the queue later, after the page's own first
        // request.
        v.solve({family: "iron", size: "50", material: "2", unit: "inches", turns: "20"})
            .then(() => { window.__firstAnswerMs = performance.now(); });
    }});
})();
"""
SOLVE = {"family": "iron", "size": "50", "material": "2", "unit": "inches", "turns": "20"}




def sizes(where):
    """The bytes a visit loads, as they are and as gzip: every file of the site."""
    files = [f for f in where.iterdir() if f.is_file()]
    raw = sum(f.stat().st_size for f in files)
    packed = sum(len(gzip.compress(f.read_bytes(), 9)) for f in files)
    return raw, packed, len(files)


def load(where, url=None):
    """One fresh load: ready and first answer, ms from navigation; the
    median of 15 live solves after it."""
    driver = browser()
    try:
        driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": PROBE})
        driver.get(url or (where / "index.html").as_uri())
        ready = first = None
        for _ in range(800):
            ready = driver.execute_script("return document.body && document.body.dataset.readyMs")
            first = driver.execute_script("return window.__firstAnswerMs")
            if ready and first:
                break
            time.sleep(0.01)
        live = driver.execute_async_script("""
            const [request, done] = arguments;
            (async () => {
                const ms = [];
                for (let i = 0; i < 15; i++) {
                    const t = performance.now();
                    await mirvelta.solve(request);
                    ms.push(performance.now() - t);
                }
                done(ms.sort((a, b) => a - b)[7]);
            })();""", SOLVE)
        return float(ready), float(first), live
    finally:
        driver.quit()


sites = [("this site", site)] + [("reference %d" % (i + 1), r) for i, r in enumerate(references)]
results = {name: [] for name, _ in sites}
for i in range(runs):
    for name, where in sites[i % len(sites):] + sites[:i % len(sites)]:
        results[name].append(load(where))

# This site served over http from localhost as well: the .wasm fetched and
# compiled as it streams.
import functools, http.server, threading  # noqa: E402
server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(
    type("Quiet", (http.server.SimpleHTTPRequestHandler,), {"log_message": lambda *a: None}), directory=str(site)))
threading.Thread(target=server.serve_forever, daemon=True).start()
served = []
for i in range(runs):
    served.append(load(None, "http://127.0.0.1:%d/index.html" % server.server_address[1]))
server.shutdown()

median = lambda xs: statistics.median(xs)
quartile = lambda xs, i: statistics.quantiles(xs, n=4)[i]
print("%-10s over http from localhost: ready median %.1f ms, first answer median %.1f ms"
      % ("this site", median([x[0] for x in served]), median([x[1] for x in served])))
for name, where in sites:
    r = results[name]
    raw, packed, count = sizes(where)
    print("%-10s %s: %d bytes in %d files, %d bytes (%.1f KiB) as gzip" % (name, where, raw, count, packed, packed / 1024))
    print("%-10s ready median %.1f ms, first answer median %.1f ms (quartiles %.1f and %.1f), one live solve %.2f ms"
          % ("", median([x[0] for x in r]), median([x[1] for x in r]), quartile([x[1] for x in r], 0),
             quartile([x[1] for x in r], 2), median([x[2] for x in r])))
for name, _ in sites[1:]:
    a, b = results["this site"], results[name]
    print("ratio, this site to %s: ready %.2f, first answer %.2f (lower quartiles %.2f; %d interleaved loads each)"
          % (name, median([x[0] for x in a]) / median([x[0] for x in b]),
             median([x[1] for x in a]) / median([x[1] for x in b]),
             quartile([x[1] for x in a], 0) / quartile([x[1] for x in b], 0), runs))

# The engine's heavier requests in this page, the median of 15 after one to warm up.
sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[1] / "measure"))
from sweeps import sweep  # noqa: E402

text = sweep("43", 1.1, 3.0, 3, 1e6, 30e6, 1001, 0.003, 1)
driver = browser()
try:
    driver.get((site / "index.html").as_uri())
    timings = driver.execute_async_script("""
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
            done([await timed("impedance", {family: "ferrite", size: "240", material: "43", turns: "10", mhz: "1:30",
                                            points: "100"}),
                  await timed("measure", {text, family: "ferrite", size: "240", turns: "3"}),
                  await timed("choke", {mhz: "1.8:30", "min-impedance": "1000", "max-stack": "2"}),
                  await timed("transformer", {ratio: "49", mhz: "1.8:30", watts: "100", "max-stack": "2"})]);
        })();""", text)
finally:
    driver.quit()
for what, ms in zip(("a live impedance answer (100 points)", "measure of a 1,001-point sweep",
                     "the choke's search over 1.8-30 MHz, stacks up to 2",
                     "the transformer's search over 1.8-30 MHz, stacks up to 2"), timings):
    print("%s in the page: median %.1f ms, min %.1f, max %.1f (15 runs)" % (what, statistics.median(ms), ms[0], ms[-1]))
