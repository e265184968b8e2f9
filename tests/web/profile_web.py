#!/usr/bin/python3
"""Where the page's start goes, loaded from file:// in headless Chromium: a
script run before any of the page's (through the DevTools protocol) marks
when each of its scripts has run, wraps the engine's creation, the wasm's
compilation and instantiation (WebAssembly's own functions) and the engine's
own start, and times every
request the page makes to fill itself. Prints the medians of N fresh loads,
milliseconds from navigation.

Usage: profile_web.py SITE_DIR [N]
"""
import json
import pathlib
import statistics
import sys
import time

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
from chrome import browser  # noqa: E402

site = pathlib.Path(sys.argv[1]).resolve()
runs = int(sys.argv[2]) if len(sys.argv) > 2 else 9

PROBE = r"""
(() => {
    const t = (name) => performance.mark(name);
    const log = window.__profile = {requests: []};
    t("document");
    for (const name of ["instantiate", "compile", "compileStreaming", "instantiateStreaming"]) {
        const real = WebAssembly[name];
        if (!real) continue;
        WebAssembly[name] = function (...args) {
            t("wasm " + name + " called");
            return real.apply(WebAssembly, args).then((r) => { t("wasm " + name + " done"); return r; });
        };
    }
    let engine;
    Object.defineProperty(window, "createMirveltaEngine", {configurable: true, get: () => engine, set(v) {
        t("engine script run");
        engine = function (...args) {
            t("engine created");
            return v.apply(this, args).then((module) => {
                t("engine started");
                const ccall = module.ccall;
                module.ccall = function (name, ret, types, args) {
                    const a = performance.now(), r = ccall.call(module, name, ret, types, args);
                    let what = name;
                    try { what = JSON.parse(args[0]).command; } catch (e) {}
                    log.requests.push([what, a, performance.now() - a]);
                    return r;
                };
                return module;
            });
        };
    }});
    let gz;
    Object.defineProperty(window, "mirveltaWasmGzip", {configurable: true, get: () => gz, set(v) {
        t("wasm script run");
        gz = v;
    }});
    new PerformanceObserver((l) => { for (const e of l.getEntries()) t("paint: " + e.name); })
        .observe({type: "paint", buffered: true});
    // As the benchmark does: a solve asked as soon as the script API exists.
    let api;
    Object.defineProperty(window, "mirvelta", {configurable: true, get: () => api, set(v) {
        t("api script run");
        api = v;
        v.solve({family: "iron", size: "50", material: "2", unit: "inches", turns: "20"})
            .then(() => t("first answer (a solve asked at once)"));
    }});
    document.addEventListener("DOMContentLoaded", () => t("DOMContentLoaded"));
})();
"""




rows = {}
requests = {}
for _ in range(runs):
    driver = browser()
    try:
        driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": PROBE})
        driver.get((site / "index.html").as_uri())
        for _ in range(400):
            if driver.execute_script("return document.body && document.body.dataset.ready"):
                break
            time.sleep(0.025)
        time.sleep(1.0)  # the sections' first answers come 150 ms after the start
        got = driver.execute_script("""
            const r = {};
            for (const e of performance.getEntriesByType("resource"))
                r["loaded " + e.name.split("/").pop()] = e.responseEnd;
            for (const m of performance.getEntriesByType("mark"))
                r[m.name] = m.startTime;
            r["page ready"] = Number(document.body.dataset.readyMs);
            return [r, window.__profile.requests];""")
        for k, v in got[0].items():
            rows.setdefault(k, []).append(v)
        for i, (what, at, ms) in enumerate(got[1]):
            requests.setdefault((i, what), []).append((at, ms))
    finally:
        driver.quit()

print("The page's start from file://, median of %d fresh loads (ms from navigation)" % runs)
print("| step | at (ms) |")
print("|---|---|")
for k, v in sorted(rows.items(), key=lambda kv: statistics.median(kv[1])):
    print("| %s | %.1f |" % (k, statistics.median(v)))
print()
print("| request | starts at (ms) | takes (ms) |")
print("|---|---|---|")
for (i, what), v in sorted(requests.items()):
    if len(v) == runs:
        print("| %d. %s | %.1f | %.2f |" % (i + 1, what, statistics.median(a for a, _ in v),
                                          statistics.median(m for _, m in v)))
