// The page: the window's form over mirvelta.solve, and the designer's view
// over the same engine.
(function () {
    "use strict";

    const $ = (id) => document.getElementById(id);
    const ResultIds = ["outsideDiameter", "insideDiameter", "thickness", "colorCode", "frequencyRange",
                       "wideBand", "tunedCircuit", "wireSize", "wireLength"];
    let catalogue = null;

    // A number with `digits` significant digits, without trailing zeros.
    function fmt(v, digits = 4) {
        if (v === null || v === undefined || !isFinite(v))
            return "-";
        if (v === 0)
            return "0";
        const a = Math.abs(v);
        if (a >= 1e9 || a < 1e-4)
            return v.toExponential(digits - 1).replace(/\.?0+e/, "e");
        let s = v.toPrecision(digits);
        if (s.includes("e"))
            s = Number(s).toString();
        return s.includes(".") ? s.replace(/\.?0+$/, "") : s;
    }

    const family = () => document.querySelector('input[name="family"]:checked').value;
    const unit = () => document.querySelector('input[name="unit"]:checked').value;
    const familyTable = () => catalogue.families.find((f) => f.family === family());

    function fill(select, codes, keep) {
        const before = keep ? select.value : null;
        select.replaceChildren(...codes.map((c) => new Option(c, c)));
        if (before !== null && codes.includes(before))
            select.value = before;
    }

    function showMessage(text) {
        const m = $("message");
        m.textContent = text || "";
        m.hidden = !text;
    }

    function clearResults() {
        for (const id of ResultIds)
            $(id).value = "";
        showMessage("");
    }

    // The core-type option: the lists of the family, as the window rebuilds them.
    function familyChanged() {
        const t = familyTable();
        $("size-prefix").textContent = t.prefix;
        fill($("size"), t.sizes, false);
        fill($("material"), t.materials, false);
        clearResults();
        coreChanged();
    }

    async function solve(mode) {
        const request = {family: family(), size: $("size").value, material: $("material").value, unit: unit()};
        if (mode === "inductance")
            request.turns = $("turns").value;
        else
            Object.assign(request, {inductance: $("inductance").value, units: $("units").value});
        const r = await mirvelta.solve(request);
        if (r.message !== undefined) {
            clearResults();
            showMessage(r.message.replace(/\r\n/g, "\n"));
            return;
        }
        showMessage("");
        for (const id of ResultIds)
            $(id).value = r[id].replace(/\r\n/g, "\n");
        $("turns").value = r.turns;
        $("inductance").value = r.inductance;
        if ([...$("units").options].some((o) => o.value === r.units))
            $("units").value = r.units;
    }

    // ---- The designer's view ---------------------------------------------------

    function figures(dl, pairs) {
        dl.replaceChildren();
        for (const [term, value, cls] of pairs) {
            const dt = document.createElement("dt"), dd = document.createElement("dd");
            dt.textContent = term;
            dd.textContent = value;
            if (cls)
                dd.className = cls;
            dl.append(dt, dd);
        }
    }

    async function coreChanged() {
        const request = {family: family(), size: $("size").value, material: $("material").value};
        const c = await mirvelta.core(request);
        const inches = unit() === "inches";
        const len = (mm, p) => inches ? `${fmt(mm / 25.4 ** p)} in${p > 1 ? "^" + p : ""} (${fmt(mm)} mm${p > 1 ? "^" + p : ""})`
                                      : `${fmt(mm)} mm${p > 1 ? "^" + p : ""}`;
        const rows = [["Core", c.name],
                      ["Effective length (le)", len(c.effectiveLengthMm, 1)],
                      ["Effective area (Ae)", len(c.effectiveAreaMm2, 2)],
                      ["Effective volume (Ve)", len(c.effectiveVolumeMm3, 3)],
                      ["Surface", `${fmt(c.surfaceAreaCm2)} cm^2`]];
        if (c.permeability !== undefined) {
            rows.splice(1, 0, ["AL", `${fmt(c.alMicrohenryPer100Turns, 6)} uH per 100 turns = ${fmt(c.alNanohenryPerTurnSquared, 6)} nH/N^2`]);
            rows.push(["Effective permeability", fmt(c.permeability)]);
        } else {
            rows.push(["AL", "the catalogue has none for this pair"]);
        }
        figures($("core-constants"), rows);
        // The impedance tool's materials: ferrite, those with a curve; iron, the catalogue's.
        const materials = family() === "ferrite" ? catalogue.curves.map((m) => m.material)
                                                 : familyTable().materials;
        fill($("z-material"), materials, true);
        if (materials.includes($("material").value))
            $("z-material").value = $("material").value;
        $("loss-form").hidden = family() !== "ferrite";
    }

    async function run(form, result, work) {
        try {
            await work();
        } catch (e) {
            result.replaceChildren();
            const p = document.createElement("p");
            p.className = "warning";
            p.textContent = e.message;
            result.append(p);
        }
    }

    async function flux() {
        const watts = $("flux-watts").value.trim();
        const vrms = watts ? String(Math.sqrt(Number(watts) * Number($("flux-ohms").value || 50))) : $("flux-vrms").value;
        const r = await mirvelta.flux({family: family(), size: $("size").value, turns: $("flux-turns").value,
                                       vrms, mhz: $("flux-mhz").value});
        $("flux-result").textContent = `Peak flux density: ${fmt(r.peakFluxDensityMilliTesla)} mT = ` +
            `${fmt(r.peakFluxDensityGauss)} gauss (${fmt(Number(vrms))} V rms)`;
    }

    function svg(tag, attributes, text) {
        const e = document.createElementNS("http://www.w3.org/2000/svg", tag);
        for (const [k, v] of Object.entries(attributes))
            e.setAttribute(k, v);
        if (text !== undefined)
            e.textContent = text;
        return e;
    }

    // R, X and |Z| against log f, plain SVG.
    function plot(points, srf) {
        const plotArea = {left: 62, right: 628, top: 12, bottom: 300};
        const f = points.map((p) => p.frequencyMHz);
        const series = {r: points.map((p) => p.resistanceOhms), x: points.map((p) => p.reactanceOhms),
                        z: points.map((p) => p.impedanceOhms)};
        const all = [].concat(...Object.values(series)).filter((v) => v !== null && isFinite(v));
        let yMin = Math.min(0, ...all), yMax = Math.max(...all);
        if (yMax === yMin)
            yMax = yMin + 1;
        const lf0 = Math.log10(f[0]), lf1 = Math.log10(f[f.length - 1]) || lf0 + 1;
        const span = lf1 - lf0 || 1;
        const xOf = (v) => plotArea.left + (Math.log10(v) - lf0) / span * (plotArea.right - plotArea.left);
        const yOf = (v) => plotArea.bottom - (v - yMin) / (yMax - yMin) * (plotArea.bottom - plotArea.top);
        const s = $("z-plot");
        s.replaceChildren(s.querySelector("title") || svg("title", {id: "z-plot-title"}, "R, X and |Z| against frequency"));
        // Frequency grid: 1, 2, 5 in every decade.
        for (let d = Math.floor(lf0); d <= Math.ceil(lf1); d++)
            for (const m of [1, 2, 5]) {
                const v = m * 10 ** d;
                if (Math.log10(v) < lf0 - 1e-9 || Math.log10(v) > lf1 + 1e-9)
                    continue;
                const x = xOf(v);
                s.append(svg("line", {x1: x, x2: x, y1: plotArea.top, y2: plotArea.bottom, class: "grid"}));
                s.append(svg("text", {x, y: plotArea.bottom + 16, "text-anchor": "middle"}, fmt(v, 3)));
            }
        // Ohms: about six steps of 1, 2 or 5 times a power of ten.
        const raw = (yMax - yMin) / 6, p10 = 10 ** Math.floor(Math.log10(raw));
        const step = [1, 2, 5, 10].map((m) => m * p10).find((v) => v >= raw);
        for (let v = Math.ceil(yMin / step) * step; v <= yMax + 1e-9; v += step) {
            const y = yOf(v);
            s.append(svg("line", {x1: plotArea.left, x2: plotArea.right, y1: y, y2: y, class: v === 0 ? "axis" : "grid"}));
            s.append(svg("text", {x: plotArea.left - 6, y: y + 4, "text-anchor": "end"}, fmt(v, 3)));
        }
        s.append(svg("text", {x: (plotArea.left + plotArea.right) / 2, y: 334, "text-anchor": "middle"}, "MHz"));
        s.append(svg("text", {x: 14, y: 160, transform: "rotate(-90 14 160)", "text-anchor": "middle"}, "ohms"));
        for (const [name, values] of Object.entries(series)) {
            const d = values.map((v, i) => (v === null || !isFinite(v)) ? null : `${xOf(f[i]).toFixed(1)},${yOf(v).toFixed(1)}`)
                            .filter((p) => p !== null).join(" ");
            if (d)
                s.append(svg("polyline", {points: d, class: name}));
        }
        if (srf)
            s.append(svg("line", {x1: xOf(srf), x2: xOf(srf), y1: plotArea.top, y2: plotArea.bottom, class: "srf"}));
    }

    async function impedance() {
        const request = {family: family(), size: $("size").value, material: $("z-material").value,
                         turns: $("z-turns").value, fromMHz: $("z-from").value, toMHz: $("z-to").value,
                         points: $("z-points").value, pf: $("z-pf").value || 0};
        const r = await mirvelta.impedance(request);
        const prefix = familyTable().prefix;
        let text = `${prefix}${request.size}-${request.material}, ${fmt(Number(request.turns), 6)} turns`;
        if (Number(request.pf) > 0)
            text += r.selfResonantFrequencyMHz ? `: self-resonant near ${fmt(r.selfResonantFrequencyMHz)} MHz`
                                               : ": no self-resonance within the sweep";
        if (family() !== "ferrite")
            text += " (powdered iron: X from AL; R not modelled)";
        $("z-result").textContent = text;
        plot(r.points, r.selfResonantFrequencyMHz);
        $("z-figure").hidden = false;
        const table = $("z-table");
        const head = ["MHz", "\u03bc\u2032", "\u03bc\u2033", "R \u03a9", "X \u03a9", "|Z| \u03a9", "phase \u00b0", "L \u00b5H", "Q"];
        const tr = (cells, tag) => {
            const row = document.createElement("tr");
            for (const c of cells) {
                const cell = document.createElement(tag);
                cell.textContent = c;
                row.append(cell);
            }
            return row;
        };
        table.replaceChildren(tr(head, "th"), ...r.points.map((p) => tr([p.frequencyMHz, p.muReal, p.muImag,
            p.resistanceOhms, p.reactanceOhms, p.impedanceOhms, p.phaseDegrees, p.inductanceMicrohenry, p.q].map((v) => fmt(v)), "td")));
        $("z-details").hidden = false;
    }

    async function loss() {
        const amps = $("loss-amps").value.trim();
        const request = {size: $("size").value, material: $("z-material").value, turns: $("loss-turns").value,
                         mhz: $("loss-mhz").value};
        if (amps)
            request.amps = amps;
        else
            Object.assign(request, {watts: $("loss-watts").value, ohms: $("loss-ohms").value});
        const r = await mirvelta.loss(request);
        const rows = [["Core", `FT-${request.size}-${request.material}`],
                      ["Drive", amps ? `${fmt(Number(amps), 6)} A rms through the winding` : `${fmt(r.vrms)} V rms across the winding`],
                      ["Impedance", `${fmt(r.resistanceOhms)} + j${fmt(r.reactanceOhms)} ohms`],
                      ["Core loss", `${fmt(r.coreLossWatts)} W`],
                      ["Surface", `${fmt(r.surfaceAreaCm2)} cm^2`],
                      ["Temperature rise", `${fmt(r.temperatureRiseKelvin, 2)} K (bare core in still air)`],
                      ["Peak flux density", `${fmt(r.peakFluxDensityMilliTesla)} mT`]];
        if (r.runsHot)
            rows.push(["Warning", "the core will run hot: more turns (a higher |Z|) or a larger core lower the rise", "warning"]);
        figures($("loss-result"), rows);
    }

    async function identify() {
        const r = await mirvelta.identify({od: $("id-od").value, id: $("id-id").value, height: $("id-height").value,
            unit: $("id-unit").value, turns: $("id-turns").value, inductance: $("id-inductance").value,
            units: $("id-units").value});
        const out = $("identify-result");
        const dl = document.createElement("dl");
        dl.className = "figures";
        const rows = [["Measured AL", `${fmt(r.alMicrohenryPer100Turns)} uH per 100 turns = ${fmt(r.alNanohenryPerTurnSquared)} nH/N^2`],
                      ["Effective permeability", fmt(r.permeability)],
                      ["Catalogue size", r.sizes.length ? r.sizes.join(", ") + " (every dimension within 5 %)" : "none within 5 % in every dimension"]];
        for (const w of r.warnings)
            rows.push(["Warning", w, "warning"]);
        figures(dl, rows);
        const table = document.createElement("table");
        table.innerHTML = "<tr><th>core</th><th>colour</th><th>judged by</th><th>catalogue</th><th>measured/catalogue</th></tr>";
        for (const c of r.candidates) {
            const row = table.insertRow();
            for (const v of [c.name, c.colorCode, c.judgedBy === "AL" ? "AL uH/100 t" : "mu_e (median)", fmt(c.catalogue), fmt(c.ratio, 3)])
                row.insertCell().textContent = v;
        }
        const scroll = document.createElement("div");
        scroll.className = "scroll";
        scroll.append(table);
        out.replaceChildren(dl, scroll);
    }

    async function start() {
        await mirvelta.ready;
        catalogue = await mirvelta.catalogue();
        for (const id of ["family-iron", "family-ferrite"])
            $(id).addEventListener("change", familyChanged);
        for (const id of ["unit-mm", "unit-inches"])
            $(id).addEventListener("change", () => { clearResults(); coreChanged(); });
        for (const id of ["size", "material"])
            $(id).addEventListener("change", coreChanged);
        $("solve-turns").addEventListener("click", () => solve("turns"));
        $("solve-inductance").addEventListener("click", () => solve("inductance"));
        $("calculator").addEventListener("submit", (e) => e.preventDefault());
        const tools = {"flux-form": [flux, "flux-result"], "impedance-form": [impedance, "z-result"],
                       "loss-form": [loss, "loss-result"], "identify-form": [identify, "identify-result"]};
        for (const [id, [work, result]] of Object.entries(tools))
            $(id).addEventListener("submit", (e) => { e.preventDefault(); run($(id), $(result), work); });
        familyChanged();
        document.body.dataset.readyMs = performance.now().toFixed(1); // from navigation (bench-web.sh)
        document.body.dataset.ready = "yes";
    }

    start();
})();
