// The page: the window's form over mirvelta.solve, and the designer's view
// over the same engine, on one core. Every figure comes from the engine's
// answers (the twin's JSON); this script lays them out and keeps the page's
// inputs in its address.
(function () {
    "use strict";

    const $ = (id) => document.getElementById(id);
    const ResultIds = ["outsideDiameter", "insideDiameter", "thickness", "colorCode", "frequencyRange",
                       "wideBand", "tunedCircuit", "wireSize", "wireLength"];
    // The amateur bands from 160 m to 6 m (IARU Region 2 edges), MHz.
    const Bands = [["160 m", 1.8, 2.0], ["80 m", 3.5, 4.0], ["60 m", 5.3305, 5.4065], ["40 m", 7.0, 7.3],
                   ["30 m", 10.1, 10.15], ["20 m", 14.0, 14.35], ["17 m", 18.068, 18.168],
                   ["15 m", 21.0, 21.45], ["12 m", 24.89, 24.99], ["10 m", 28.0, 29.7], ["6 m", 50, 54]];
    const Nbsp = "\u00a0";
    let catalogue = null, coreTimer = 0;

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
    // A figure and its unit, never broken apart.
    const unit = (v, u, digits) => fmt(v, digits) + Nbsp + u;

    const family = () => document.querySelector('input[name="family"]:checked').value;
    const lengthUnit = () => document.querySelector('input[name="unit"]:checked').value;
    const familyTable = () => catalogue.families.find((f) => f.family === family());

    function fill(select, items, keep) {
        const before = keep ? select.value : null;
        select.replaceChildren(...items.map(([value, text]) => new Option(text, value)));
        if (before !== null && items.some(([v]) => v === before))
            select.value = before;
    }

    // ---- The window's form -----------------------------------------------------

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

    function familyChanged() {
        const t = familyTable();
        $("size-prefix").textContent = t.prefix;
        fill($("size"), t.sizes.map((s) => [s.size, s.size]), false);
        fill($("material"), t.materials.map((m) => [m.material, m.material]), false);
        clearResults();
    }

    async function solve(mode) {
        const request = {family: family(), size: $("size").value, material: $("material").value, unit: lengthUnit()};
        if (mode === "inductance")
            request.turns = $("turns").value;
        else
            Object.assign(request, {inductance: $("inductance").value, units: $("units").value});
        const r = await mirvelta.solve(request);
        if (r.message !== undefined || r.error !== undefined) {
            clearResults();
            showMessage((r.message || r.error).replace(/\r\n/g, "\n"));
            return;
        }
        showMessage("");
        for (const id of ResultIds)
            $(id).value = r[id].replace(/\r\n/g, "\n");
        $("turns").value = r.turns;
        $("inductance").value = r.inductance;
        if ([...$("units").options].some((o) => o.value === r.units))
            $("units").value = r.units;
        saveAddress();
    }

    // ---- The one core ------------------------------------------------------------

    // The designer's core: the calculator's family and size, and its material
    // or, for frequency work on ferrite, a material that has only a curve.
    function theCore() {
        const curveOnly = family() === "ferrite" && $("curve").value !== "";
        const material = curveOnly ? $("curve").value : $("material").value;
        return {family: family(), size: $("size").value, material, curveOnly,
                name: familyTable().prefix + $("size").value + "-" + material};
    }

    function curveChoices() {
        const ferrite = family() === "ferrite";
        $("curve").disabled = !ferrite;
        const inCatalogue = new Set(familyTable().materials.map((m) => m.material));
        const extra = ferrite ? catalogue.curves.map((c) => c.material).filter((m) => !inCatalogue.has(m)) : [];
        fill($("curve"), [["", "the calculator's (" + $("material").value + ")"], ...extra.map((m) => [m, m + " (curve only)"])], true);
    }

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

    // An answer's lines as the twin's text has them (its JSON's summary),
    // warnings marked.
    function summary(dl, r, only) {
        const lines = r ? r.summary.filter((l) => !only || only.includes(l.caption)) : [];
        figures(dl, lines.map((l) => [l.caption, l.text, l.caption === "Warning" || l.caption === "Nearest" ? "warning" : ""]));
    }

    // An answer's lines as a figures list.
    function summaryList(r) {
        const dl = document.createElement("dl");
        dl.className = "figures";
        summary(dl, r);
        return dl;
    }

    // A table in its scrolling box.
    function scrolled(t) {
        const scroll = document.createElement("div");
        scroll.className = "scroll";
        scroll.append(t);
        return scroll;
    }

    async function coreChanged() {
        curveChoices();
        const c = theCore();
        $("core-name").textContent = c.curveOnly ? `${c.name}: curve only, not in the window's catalogue` : c.name;
        const r = c.curveOnly ? null : await mirvelta.core(given({family: c.family, size: c.size, material: c.material,
                                                                   unit: lengthUnit(), mhz: field("core-mhz")}));
        const error = $("core-error");
        error.hidden = !(r && r.error);
        error.textContent = r && r.error ? r.error : "";
        if (!r || r.error) {
            // Only the dimensions' figures, which need no AL.
            figures($("core-constants"), []);
        } else {
            const inches = lengthUnit() === "inches";
            const len = (mm, p) => {
                const sup = p > 1 ? "^" + p : "";
                return inches ? `${fmt(mm / 25.4 ** p)}${Nbsp}in${sup} (${fmt(mm)}${Nbsp}mm${sup})` : `${fmt(mm)}${Nbsp}mm${sup}`;
            };
            figures($("core-constants"), [
                ["AL", `${fmt(r.alMicrohenryPer100Turns, 6)}${Nbsp}uH per 100 turns = ${fmt(r.alNanohenryPerTurnSquared, 6)}${Nbsp}nH/N^2`],
                ["Effective length (le)", len(r.effectiveLengthMm, 1)],
                ["Effective area (Ae)", len(r.effectiveAreaMm2, 2)],
                ["Effective volume (Ve)", len(r.effectiveVolumeMm3, 3)],
                ["Effective permeability", fmt(r.permeability)],
                ["Surface", unit(r.surfaceAreaCm2, "cm^2")],
                ["Ferrite curve", r.curve ? `${fmt(r.curve.lowMHz)} to ${unit(r.curve.highMHz, "MHz")}` : "none"],
                ...(r.atFrequency ? [[`At ${unit(r.atFrequency.frequencyMHz, "MHz", 6)}`,
                    r.atFrequency.muImag === null ? `mu_e ${fmt(r.atFrequency.muReal)} (the maker's curve fit for the mix)`
                                                  : `mu' ${fmt(r.atFrequency.muReal)}, mu'' ${fmt(r.atFrequency.muImag)}`]] : [])]);
        }
        for (const s of Sections)
            if (s.usesCore)
                schedule(s);
    }

    // ---- Live sections -------------------------------------------------------------

    // A section: its element, the request it makes from its fields, and how
    // it shows the answer. Its inputs carry the option they stand for.
    const Sections = [];
    function section(id, command, request, show, usesCore = true) {
        const s = {id, command, request, show, usesCore, timer: 0, serial: 0};
        Sections.push(s);
        return s;
    }

    const field = (id) => $(id).value.trim();
    // Only the fields that are filled in: an empty one is an option not given.
    function given(options) {
        const o = {};
        for (const [k, v] of Object.entries(options))
            if (v !== "" && v !== undefined)
                o[k] = v;
        return o;
    }

    function clearInvalid(root) {
        const own = root.querySelector(".refusal");
        const marked = [...root.querySelectorAll("[aria-invalid]"),
                        ...[...$("winding").querySelectorAll("[aria-invalid]")].filter((e) =>
                            own && e.getAttribute("aria-describedby") === own.id)];
        for (const e of marked) {
            e.removeAttribute("aria-invalid");
            e.removeAttribute("aria-describedby");
        }
        for (const r of root.querySelectorAll(".refusal, .refusal-at")) {
            r.hidden = true;
            r.textContent = "";
        }
    }

    // The field of the option a refusal names (its JSON's "option"): the
    // section's own first, then the winding's, which it shares.
    function refusedField(root, option) {
        if (!option)
            return null;
        const named = (within) => [...within.querySelectorAll("[data-option]")].find((input) =>
            "--" + input.dataset.option === option && !input.closest("[hidden]"));
        return named(root) || (root.dataset.winding ? named($("winding")) || null : null);
    }

    function refuse(root, text, option) {
        const p = root.querySelector(".refusal");
        p.id = p.id || root.id + "-refusal";
        p.textContent = text;
        p.hidden = false;
        const input = refusedField(root, option);
        if (input) {
            input.setAttribute("aria-invalid", "true");
            input.setAttribute("aria-describedby", p.id);
        }
    }

    // "A or B": a value the page filled in for A (its default, a design
    // taken into the form, a link's) gives way when the user types B, so
    // that what the user typed is never refused for a value they did not
    // type. A field the user has typed into keeps its value.
    function giveWay(e) {
        e.target.dataset.typed = "yes";
        if (!e.target.dataset.clears || !e.target.value.trim())
            return;
        for (const id of e.target.dataset.clears.split(" ")) {
            const other = $(id);
            if (!other.dataset.typed)
                other.value = "";
        }
    }

    function schedule(s) {
        clearTimeout(s.timer);
        s.timer = setTimeout(() => answer(s), 150);
    }

    async function answer(s) {
        const root = $(s.id);
        const serial = ++s.serial;
        const request = s.request();
        if (request === null)
            return s.show(null);
        const r = await mirvelta[s.command](request);
        if (serial !== s.serial)
            return; // a newer answer is on its way
        clearInvalid(root);
        if (r.error || r.message) {
            s.show(null);
            refuse(root, r.error || r.message, r.option);
        } else {
            s.show(r);
        }
    }

    const coreOptions = () => {
        const c = theCore();
        return {family: c.family, size: c.size, material: c.material};
    };
    // The winding every section shares: its turns, its stack and what it
    // says of the capacitance (the model, strays added, or the whole given).
    const windingOptions = (capacitance = true) => ({turns: field("w-turns"), stack: $("w-stack").value,
        ...wireOptions(), ...(capacitance ? {"stray-pf": field("w-stray"), pf: field("w-pf")} : {})});
    // The winding's wire: a coax by name, or the bare wire with what is
    // known of its insulation.
    const wireOptions = () => $("w-cable").value ? {cable: $("w-cable").value}
        : {"wire-mm": field("w-wire"), insulation: $("w-insulation").value, "overall-mm": field("w-overall")};
    // A coax stands for the wire and its insulation.
    function cableChosen() {
        for (const id of ["w-wire", "w-insulation", "w-overall"])
            $(id).disabled = !!$("w-cable").value;
    }
    const capacitanceFrom = {"model": "the self-capacitance model of the core's outline",
                             "model + stray": "the model of the core's outline plus the strays given",
                             "given": "as given"};

    // The capacitance an answer used, and what the model is weaker at there.
    function showCapacitance(r) {
        const out = $("w-capacitance");
        out.replaceChildren();
        if (!r || r.capacitancePf === undefined)
            return;
        out.append(r.capacitancePf === 0 ? "No capacitance across the winding (given as 0)"
                   : `${unit(r.capacitancePf, "pF")} across the winding: ${capacitanceFrom[r.capacitanceFrom]}`);
        for (const w of r.warnings || []) {
            const p = document.createElement("span");
            p.className = "warning block";
            p.textContent = w;
            out.append(p);
        }
    }

    section("flux", "flux", () => given({...coreOptions(), ...windingOptions(false), mhz: field("flux-mhz"),
            vrms: field("flux-vrms"), watts: field("flux-watts"), ohms: field("flux-ohms"), amps: field("flux-amps")}),
        (r) => summary($("flux-result"), r));

    // ---- Impedance and its plot --------------------------------------------------

    let sweep = null, reading = -1;

    function svg(tag, attributes, text) {
        const e = document.createElementNS("http://www.w3.org/2000/svg", tag);
        for (const [k, v] of Object.entries(attributes))
            e.setAttribute(k, v);
        if (text !== undefined)
            e.textContent = text;
        return e;
    }

    const Area = {left: 62, right: 628, top: 26, bottom: 310};

    function plot(r) {
        plotInto($("z-plot"), r.points, r.selfResonantFrequencyMHz, $("z-scale").value === "log");
    }

    // R, X and |Z| against log f, plain SVG; the ohms axis log (|values|) or
    // linear; with `fitted`, the fit's R, X and |Z| dashed beside them.
    // `other`, where given, plots its own series ({class: values}) against
    // its own label in place of R, X and |Z|.
    function plotInto(s, points, srfMHz, log, fitted, targets = [], other = null) {
        const f = points.map((p) => p.frequencyMHz);
        const series = other ? other.series : {r: points.map((p) => p.resistanceOhms), x: points.map((p) => p.reactanceOhms),
                                               z: points.map((p) => p.impedanceOhms)};
        if (fitted)
            Object.assign(series, {"r fit": points.map((p) => p.fittedResistanceOhms),
                                   "x fit": points.map((p) => p.fittedReactanceOhms),
                                   "z fit": points.map((p) => p.fittedImpedanceOhms)});
        const all = [].concat(...Object.values(series), targets.map((t) => t.ohms)).filter((v) => v !== null && isFinite(v));
        const lf0 = Math.log10(f[0]), lf1 = Math.log10(f[f.length - 1]);
        const span = lf1 - lf0 || 1;
        const xOf = (v) => Area.left + (Math.log10(v) - lf0) / span * (Area.right - Area.left);
        let yOf, ticks = [];
        if (log) {
            const mags = all.map(Math.abs).filter((v) => v > 0);
            const d0 = Math.floor(Math.log10(Math.min(...mags))), d1 = Math.ceil(Math.log10(Math.max(...mags))) || d0 + 1;
            const d1s = d1 === d0 ? d0 + 1 : d1;
            yOf = (v) => Area.bottom - (Math.log10(Math.abs(v)) - d0) / (d1s - d0) * (Area.bottom - Area.top);
            for (let d = d0; d <= d1s; d++)
                ticks.push(10 ** d);
        } else {
            let yMin = Math.min(0, ...all), yMax = Math.max(...all);
            if (yMax === yMin)
                yMax = yMin + 1;
            yOf = (v) => Area.bottom - (v - yMin) / (yMax - yMin) * (Area.bottom - Area.top);
            const raw = (yMax - yMin) / 6, p10 = 10 ** Math.floor(Math.log10(raw));
            const step = [1, 2, 5, 10].map((m) => m * p10).find((v) => v >= raw);
            for (let v = Math.ceil(yMin / step) * step; v <= yMax + 1e-9; v += step)
                ticks.push(v);
        }
        s.replaceChildren(s.querySelector("title"));
        let lastLabel = -Infinity, row = 0;
        for (const [name, lo, hi] of Bands) {
            if (hi < f[0] || lo > f[f.length - 1])
                continue;
            const x0 = xOf(Math.max(lo, f[0])), x1 = xOf(Math.min(hi, f[f.length - 1])), mid = (x0 + x1) / 2;
            s.append(svg("rect", {x: x0, y: Area.top, width: Math.max(x1 - x0, 1.5), height: Area.bottom - Area.top, class: "band"}));
            // Close neighbours take turns on two rows of names.
            row = mid - lastLabel < 30 ? 1 - row : 0;
            lastLabel = mid;
            s.append(svg("text", {x: mid, y: Area.top - 4 - 10 * row, "text-anchor": "middle", class: "band-name"}, name));
        }
        for (let d = Math.floor(lf0); d <= Math.ceil(lf1); d++)
            for (const m of [1, 2, 5]) {
                const v = m * 10 ** d;
                if (Math.log10(v) < lf0 - 1e-9 || Math.log10(v) > lf1 + 1e-9)
                    continue;
                const x = xOf(v);
                s.append(svg("line", {x1: x, x2: x, y1: Area.top, y2: Area.bottom, class: "grid"}));
                s.append(svg("text", {x, y: Area.bottom + 16, "text-anchor": "middle"}, fmt(v, 3)));
            }
        for (const v of ticks) {
            const y = yOf(v);
            s.append(svg("line", {x1: Area.left, x2: Area.right, y1: y, y2: y, class: v === 0 ? "axis" : "grid"}));
            s.append(svg("text", {x: Area.left - 6, y: y + 4, "text-anchor": "end"}, fmt(v, 3)));
        }
        s.append(svg("text", {x: (Area.left + Area.right) / 2, y: 348, "text-anchor": "middle"}, "MHz"));
        s.append(svg("text", {x: 14, y: 170, transform: "rotate(-90 14 170)", "text-anchor": "middle"},
                     other ? other.label : log ? "ohms (magnitude, log)" : "ohms"));
        for (const [name, values] of Object.entries(series)) {
            const d = values.map((v, i) => (v === null || !isFinite(v) || (log && v === 0)) ? null
                                                : `${xOf(f[i]).toFixed(1)},${yOf(v).toFixed(1)}`)
                            .filter((p) => p !== null).join(" ");
            if (d)
                s.append(svg("polyline", {points: d, class: name}));
        }
        if (srfMHz && srfMHz >= f[0] && srfMHz <= f[f.length - 1])
            s.append(svg("line", {x1: xOf(srfMHz), x2: xOf(srfMHz), y1: Area.top, y2: Area.bottom, class: "srf"}));
        for (const t of targets) {
            s.append(svg("line", {x1: Area.left, x2: Area.right, y1: yOf(t.ohms), y2: yOf(t.ohms), class: "target"}));
            const y = yOf(t.ohms);
            s.append(svg("text", {x: Area.right - 4, y: y < Area.top + 16 ? y + 13 : y - 4, "text-anchor": "end",
                                  class: "target-name"}, t.name));
        }
        if (s.id === "z-plot")
            s.append(svg("line", {id: "z-cursor", x1: 0, x2: 0, y1: Area.top, y2: Area.bottom, class: "cursor", visibility: "hidden"}));
        s.xOf = xOf;
    }

    function showReadout(p) {
        const text = p ? `${unit(p.frequencyMHz, "MHz", 6)}: R ${p.resistanceOhms === null ? "not modelled" : unit(p.resistanceOhms, "ohms")}, ` +
                         `X ${unit(p.reactanceOhms, "ohms")}, |Z| ${unit(p.impedanceOhms, "ohms")}` : "";
        $("z-readout").textContent = text;
        const cursor = $("z-cursor");
        if (cursor && p && p.frequencyMHz >= sweep.points[0].frequencyMHz &&
            p.frequencyMHz <= sweep.points[sweep.points.length - 1].frequencyMHz) {
            const x = $("z-plot").xOf(p.frequencyMHz);
            cursor.setAttribute("x1", x);
            cursor.setAttribute("x2", x);
            cursor.setAttribute("visibility", "visible");
        }
    }

    // The readout at a frequency: the engine's own figures there.
    async function readAt(mhzText) {
        const root = $("z-reading");
        const where = $("impedance").querySelector(".refusal-at");
        where.hidden = true;
        $("z-at").removeAttribute("aria-invalid");
        if (!sweep || mhzText === "")
            return showReadout(null);
        const options = {...impedanceOptions(), mhz: mhzText};
        delete options.points;
        const r = await mirvelta.impedance(options);
        if (r.error) {
            showReadout(null);
            where.textContent = r.error;
            where.hidden = false;
            $("z-at").setAttribute("aria-invalid", "true");
            return;
        }
        showReadout(r);
        root.hidden = false;
    }

    function step(to) {
        if (!sweep)
            return;
        reading = Math.max(0, Math.min(sweep.points.length - 1, to));
        const p = sweep.points[reading];
        $("z-at").value = String(p.frequencyMHz);
        showReadout(p);
        saveAddress();
    }

    function impedanceOptions() {
        return given({...coreOptions(), ...windingOptions(), mhz: field("z-mhz"), points: field("z-points")});
    }

    function table(t, head, rows) {
        const tr = (cells, tag) => {
            const row = document.createElement("tr");
            for (const c of cells) {
                const cell = document.createElement(tag);
                cell.textContent = c;
                row.append(cell);
            }
            return row;
        };
        t.replaceChildren(tr(head, "th"), ...rows.map((r) => tr(r, "td")));
    }

    section("impedance", "impedance", impedanceOptions, (r) => {
        sweep = r && r.points ? r : null;
        for (const id of ["z-figure", "z-details", "z-csv", "z-reading"])
            $(id).hidden = !sweep;
        showCapacitance(r);
        if (!r) {
            $("z-result").textContent = "";
            return;
        }
        if (!r.points) { // one frequency
            $("z-result").textContent = `${r.core}, ${fmt(r.turns, 6)} turns: ` +
                `R ${r.resistanceOhms === null ? "not modelled" : unit(r.resistanceOhms, "ohms")}, X ${unit(r.reactanceOhms, "ohms")}, ` +
                `|Z| ${unit(r.impedanceOhms, "ohms")}`;
            return;
        }
        let text = `${r.stack > 1 ? r.stack + " x " : ""}${r.core}, ${fmt(r.turns, 6)} turns`;
        text += r.selfResonantFrequencyMHz ? `, ${fmt(r.capacitancePf)} pF: self-resonant near ${unit(r.selfResonantFrequencyMHz, "MHz")}`
                                           : `, ${fmt(r.capacitancePf)} pF: no self-resonance within the sweep`;
        if (r.points[0].resistanceOhms === null)
            text += " (powdered iron: X from AL; R not modelled)";
        $("z-result").textContent = text;
        plot(r);
        table($("z-table"), ["MHz", "\u03bc\u2032", "\u03bc\u2033", "R \u03a9", "X \u03a9", "|Z| \u03a9", "phase \u00b0", "L \u00b5H", "Q"],
              r.points.map((p) => [p.frequencyMHz, p.muReal, p.muImag, p.resistanceOhms, p.reactanceOhms,
                                   p.impedanceOhms, p.phaseDegrees, p.inductanceMicrohenry, p.q].map((v) => fmt(v))));
        readAt(field("z-at"));
    });

    async function downloadCsv() {
        const text = await mirvelta.text("impedance", {...impedanceOptions(), csv: true});
        if (typeof text !== "string")
            return;
        const a = document.createElement("a");
        a.href = URL.createObjectURL(new Blob([text], {type: "text/csv"}));
        a.download = `${theCore().name}-${field("w-turns")}t-impedance.csv`;
        document.body.append(a);
        a.click();
        a.remove();
        setTimeout(() => URL.revokeObjectURL(a.href), 1000);
    }

    // ---- Loss and identify ---------------------------------------------------------

    section("loss", "loss", () => given({...coreOptions(), ...windingOptions(), mhz: field("loss-mhz"),
            vrms: field("loss-vrms"), watts: field("loss-watts"), ohms: field("loss-ohms"), amps: field("loss-amps")}),
        (r) => summary($("loss-result"), r));

    section("identify", "identify", () => ({od: field("id-od"), id: field("id-id"), height: field("id-height"),
            unit: $("id-unit").value, turns: field("id-turns"), inductance: field("id-inductance"), units: $("id-units").value}),
        (r) => {
            const out = $("identify-result");
            if (!r)
                return out.replaceChildren();
            const dl = document.createElement("dl");
            dl.className = "figures";
            const rows = [["Measured AL", `${fmt(r.alMicrohenryPer100Turns)}${Nbsp}uH per 100 turns = ${fmt(r.alNanohenryPerTurnSquared)}${Nbsp}nH/N^2`],
                          ["Effective permeability", fmt(r.permeability)],
                          ["Catalogue size", r.catalogueSizes.length ? `${r.catalogueSizes.join(", ")} (every dimension within ${fmt(r.sizeTolerancePercent)}${Nbsp}%)`
                                                                     : `none within ${fmt(r.sizeTolerancePercent)}${Nbsp}% in every dimension`]];
            for (const w of r.warnings)
                rows.push(["Warning", w, "warning"]);
            figures(dl, rows);
            const t = document.createElement("table");
            table(t, ["core", "colour", "judged by", "catalogue", "measured/catalogue"],
                  r.candidates.map((c) => [c.name, c.colorCode, c.judgedBy === "al" ? "AL uH/100 t" : "mu_e (median)",
                                           fmt(c.catalogue), fmt(c.ratio, 3)]));
            const scroll = document.createElement("div");
            scroll.className = "scroll";
            scroll.append(t);
            out.replaceChildren(dl, scroll);
        }, false);

    // ---- A choke for a band --------------------------------------------------------

    function chokeOptions() {
        return given({mhz: field("ch-mhz"), "min-impedance": field("ch-min-impedance"),
                      "min-resistance": field("ch-min-resistance"), tolerance: field("ch-tolerance"),
                      "max-stack": $("ch-max-stack").value, vrms: field("ch-vrms"), watts: field("ch-watts"),
                      ohms: field("ch-ohms"), amps: field("ch-amps"), duty: field("ch-duty"),
                      "max-rise": field("ch-max-rise"), ...wireOptions(),
                      "stray-pf": field("w-stray"), pf: field("w-pf")});
    }

    // A ferrite core of a design into the calculator's form: its size, its
    // material (or, where the catalogue has none, the curve's), its stack.
    function takeCore(size, material, stack, into = "ferrite") {
        if (family() !== into) {
            $("family-" + into).checked = true;
            familyChanged();
        }
        setSelect($("size"), size);
        const inCatalogue = familyTable().materials.some((m) => m.material === material);
        if (inCatalogue)
            setSelect($("material"), material);
        curveChoices();
        setSelect($("curve"), inCatalogue ? "" : material);
        setSelect($("w-stack"), String(stack));
    }

    const designKey = (d) => [d.size, d.material, d.stack, d.turns].join(",");

    // A design taken into the calculator's form and the winding, and plotted
    // over the band with the target.
    async function pick(d, band, target) {
        $("ch-pick").value = designKey(d);
        for (const row of document.querySelectorAll("#choke-result tr.design"))
            row.setAttribute("aria-selected", row.dataset.key === designKey(d) ? "true" : "false");
        takeCore(d.size, d.material, d.stack);
        $("w-turns").value = String(d.turns);
        saveAddress();
        coreChanged();
        await impedanceOf(d, band, target);
    }

    section("choke", "choke", chokeOptions, (r) => {
        const out = $("choke-result");
        $("ch-figure").hidden = true;
        if (!r)
            return out.replaceChildren();
        const t = r.target, dl = document.createElement("dl");
        dl.className = "figures";
        summary(dl, r);
        const table = document.createElement("table");
        const head = document.createElement("tr");
        for (const h of ["core", "stack", "turns", "C pF", "least |Z| \u03a9", "at MHz", "least R \u03a9", "at MHz",
                         "self-resonance MHz", "C\u209b/3.5 to 2C\u209b", "loss W", "rise K"]) {
            const th = document.createElement("th");
            th.textContent = h;
            head.append(th);
        }
        table.append(head);
        const target = [t.minImpedanceOhms !== null ? {ohms: t.minImpedanceOhms, name: "|Z| target"} : null,
                        t.minResistanceOhms !== null ? {ohms: t.minResistanceOhms, name: "R target"} : null].filter((x) => x);
        const band = `${t.lowMHz}:${t.highMHz}`;
        let chosen = null;
        for (const d of r.designs) {
            const tr = document.createElement("tr");
            tr.className = "design";
            tr.tabIndex = 0;
            tr.dataset.key = designKey(d);
            tr.setAttribute("aria-selected", "false");
            const range = d.selfResonanceRangeMHz ? d.selfResonanceRangeMHz.map((v) => fmt(v, 3)).join(" to ") : "-";
            for (const v of [d.core, d.stack, d.turns, fmt(d.capacitancePf, 3), fmt(d.minImpedanceOhms), fmt(d.minImpedanceMHz, 3),
                             fmt(d.minResistanceOhms), fmt(d.minResistanceMHz, 3), fmt(d.selfResonanceMHz, 3), range,
                             fmt(d.coreLossWatts, 3), fmt(d.temperatureRiseKelvin, 3)]) {
                const td = document.createElement("td");
                td.textContent = v;
                tr.append(td);
            }
            tr.addEventListener("click", () => pick(d, band, target));
            tr.addEventListener("keydown", (e) => {
                if (e.key === "Enter" || e.key === " ") {
                    e.preventDefault();
                    pick(d, band, target);
                }
            });
            if (tr.dataset.key === $("ch-pick").value)
                chosen = d;
            table.append(tr);
        }
        const scroll = document.createElement("div");
        scroll.className = "scroll";
        scroll.append(table);
        out.replaceChildren(dl, ...(r.designs.length ? [scroll] : []));
        if (chosen) {
            for (const row of table.querySelectorAll("tr.design"))
                row.setAttribute("aria-selected", row.dataset.key === designKey(chosen) ? "true" : "false");
            impedanceOf(chosen, band, target);
        }
    }, false);

    // The chosen design's sweep over the band, plotted with the target.
    async function impedanceOf(d, band, target) {
        const r = await mirvelta.impedance(given({family: "ferrite", size: d.size, material: d.material, turns: String(d.turns),
            stack: String(d.stack), mhz: band, points: "50", "stray-pf": field("w-stray"), pf: field("w-pf")}));
        $("ch-figure").hidden = !!r.error;
        if (!r.error)
            plotInto($("ch-plot"), r.points, r.selfResonantFrequencyMHz, true, false, target);
    }

    // A search's table whose rows take their design into the form, by click
    // or by key: its core into the calculator, the rest as `fill` puts it;
    // then the section answers again. The table in its scrolling box.
    function takenRows(t, designs, id, fill) {
        [...t.querySelectorAll("tr")].slice(1).forEach((tr, i) => {
            const d = designs[i];
            tr.className = "design";
            tr.tabIndex = 0;
            const take = () => {
                takeCore(d.size, d.material, d.stack, d.family || "ferrite");
                fill(d);
                saveAddress();
                coreChanged();
                schedule(Sections.find((s) => s.id === id));
            };
            tr.addEventListener("click", take);
            tr.addEventListener("keydown", (e) => { if (e.key === "Enter" || e.key === " ") { e.preventDefault(); take(); } });
        });
        return scrolled(t);
    }

    // ---- A transformer at power ------------------------------------------------------

    function transformerOptions() {
        const search = $("tr-search").checked;
        const c = theCore();
        return given({ratio: field("tr-ratio"), turns: field("tr-turns"), mhz: field("tr-mhz"),
                      watts: field("tr-watts"), ohms: field("tr-ohms"), duty: field("tr-duty"), auto: $("tr-auto").checked,
                      ...(search ? {"max-stack": $("ch-max-stack").value, "max-loss-percent": field("tr-max-loss"),
                                    "max-swr": field("tr-max-swr")}
                                 : {family: c.family, size: c.size, material: c.material, stack: $("w-stack").value,
                                    "primary-turns": field("tr-primary"), "leakage-nh": field("tr-leakage"),
                                    "shunt-pf": field("tr-shunt"), "best-shunt": $("tr-best").checked}),
                      "max-rise": field("tr-max-rise"), ...wireOptions(), "stray-pf": field("w-stray"),
                      pf: field("w-pf")});
    }

    section("transformer", "transformer", transformerOptions, (r) => {
        const out = $("transformer-result");
        $("tr-figure").hidden = $("tr-swr-figure").hidden = !(r && r.design);
        if (!r)
            return out.replaceChildren();
        const parts = [summaryList(r)];
        if (r.design) {
            const d = r.design;
            const loss = r.points.map((p) => p.lossPercent);
            plotInto($("tr-plot"), r.points, d.worstLossMHz, false, false,
                     [{ohms: d.worstLossPercent, name: `worst ${fmt(d.worstLossPercent, 3)} % at ${fmt(d.worstLossMHz)} MHz, ${fmt(d.temperatureRiseKelvin, 3)} K`}],
                     {series: {z: loss}, label: "loss, % of the power"});
            plotInto($("tr-swr-plot"), r.points, null, false, false, [{ohms: 2, name: "SWR 2"}],
                     {series: {z: r.points.map((p) => p.swr)}, label: "SWR"});
        } else {
            const t = document.createElement("table");
            table(t, ["core", "stack", "turns", "worst loss %", "at MHz", "core W", "rise K", "B mT"],
                  r.designs.map((d) => [d.core, d.stack, `${d.primaryTurns}:${d.secondaryTurns}`, fmt(d.worstLossPercent, 3),
                                        fmt(d.worstLossMHz, 3), fmt(d.coreLossWatts, 3), fmt(d.temperatureRiseKelvin, 3),
                                        fmt(d.peakFluxDensityMilliTesla, 3)]));
            parts.push(takenRows(t, r.designs, "transformer", (d) => {
                $("tr-primary").value = String(d.primaryTurns);
                $("tr-search").checked = false;
            }));
        }
        out.replaceChildren(...parts);
    });

    // ---- A balun ----------------------------------------------------------------------

    function balunOptions() {
        const search = $("bl-search").checked;
        const c = theCore();
        return given({kind: $("bl-kind").value, ratio: $("bl-ratio").value, cores: $("bl-cores").value,
                      unun: $("bl-unun").checked, mhz: field("bl-mhz"), z0: field("bl-z0"), vf: field("bl-vf"),
                      "twists-per-cm": field("bl-twists"), er: field("bl-er"),
                      "leads-cm": field("bl-leads"), ohms: field("bl-ohms"), "load-ohms": field("bl-load"),
                      "cm-load": field("bl-cm-load"), watts: field("bl-watts"), duty: field("bl-duty"),
                      ...(search ? {"max-stack": $("ch-max-stack").value, "max-swr": field("bl-max-swr"),
                                    "max-loss-db": field("bl-max-loss"), "max-rise": field("bl-max-rise")}
                                 : {family: c.family, size: c.size, material: c.material, stack: $("w-stack").value,
                                    turns: field("bl-turns")}),
                      ...wireOptions(), "stray-pf": field("w-stray"), pf: field("w-pf")});
    }

    section("balun", "balun", balunOptions, (r) => {
        const out = $("balun-result");
        $("bl-figure").hidden = !(r && r.design);
        if (!r)
            return out.replaceChildren();
        const parts = [summaryList(r)];
        if (r.design) {
            plotInto($("bl-plot"), r.points, null, false, false, [{ohms: 2, name: "SWR 2"}],
                     {series: {z: r.points.map((p) => p.swr), r: r.points.map((p) => p.insertionLossDb)},
                      label: "SWR; loss, dB"});
        } else {
            const t = document.createElement("table");
            table(t, ["core", "stack", "turns", "line m", "degrees", "SWR", "loss dB", "|Zcm| least", "rise K"],
                  r.designs.map((d) => [d.core, d.stack, d.turns, fmt(d.lineLengthM, 3), fmt(d.electricalDegreesAtTop, 3),
                                        fmt(d.worstSwr, 3), fmt(d.worstInsertionLossDb, 3),
                                        fmt(d.leastCommonModeImpedanceOhms, 3),
                                        d.temperatureRiseKelvin === undefined ? "-" : fmt(d.temperatureRiseKelvin, 3)]));
            parts.push(takenRows(t, r.designs, "balun", (d) => {
                $("bl-turns").value = String(d.turns);
                $("bl-search").checked = false;
            }));
        }
        out.replaceChildren(...parts);
    });

    // ---- The Q of a tuned winding -----------------------------------------------------

    function qOptions() {
        const search = $("q-search").checked;
        const c = theCore();
        return given({mhz: field("q-mhz"), uh: field("q-uh"), vrms: field("q-vrms"), points: field("q-points"),
                      ...(search ? {} : {family: c.family, size: c.size, material: c.material, stack: $("w-stack").value,
                                         turns: field("q-turns")}),
                      // The winding's insulation over the wire given here; with none
                      // given, each core's thickest gauge, bare.
                      "wire-mm": field("q-wire"),
                      ...(field("q-wire") ? {insulation: $("w-insulation").value, "overall-mm": field("w-overall")} : {}),
                      "stray-pf": field("w-stray"), pf: field("w-pf"),
                      all: $("q-search").checked && $("q-all").checked});
    }

    section("q", "q", qOptions, (r) => {
        const out = $("q-result");
        $("q-figure").hidden = !(r && r.points && r.points.length > 1);
        if (!r)
            return out.replaceChildren();
        const parts = [summaryList(r)];
        if (r.points) {
            if (r.points.length > 1)
                plotInto($("q-plot"), r.points, r.selfResonantFrequencyMHz, false, false, [],
                         {series: {z: r.points.map((p) => p.q), r: r.points.map((p) => p.qCopper),
                                   x: r.points.map((p) => p.qCore)}, label: "Q"});
        } else {
            const t = document.createElement("table");
            table(t, ["core", "turns", "wire", "least Q", "at MHz", "peak Q", "at MHz", ""],
                  r.designs.map((d) => [d.core, d.turns, d.awg ? `AWG ${d.awg}` : `${fmt(d.wireMm)} mm`, fmt(d.worstQ, 3),
                                        fmt(d.worstQMHz), fmt(d.peakQ, 3), fmt(d.peakQMHz), d.aboutEqual ? "about equal" : ""]));
            parts.push(takenRows(t, r.designs, "q", (d) => {
                $("q-turns").value = String(d.turns);
                $("q-uh").value = "";
                $("q-search").checked = false;
            }));
        }
        out.replaceChildren(...parts);
    });

    // ---- A measured winding ----------------------------------------------------------

    // The file's text stays in the page: nothing leaves the machine.
    let measured = {name: "", text: ""};

    section("measure", "measure", () => measured.text === "" ? null : given({
            text: measured.text, family: family(), size: $("size").value, turns: field("m-turns"),
            material: $("m-material").value, method: $("m-method").value, mhz: field("m-mhz")}),
        (r) => {
            const out = $("measure-result");
            $("m-figure").hidden = !r;
            if (!r)
                return out.replaceChildren();
            if (r.family === "iron") {
                // Powdered iron: the twin's lines and each mix's ratios.
                const t = document.createElement("table");
                table(t, ["mix", "mu' times", "loss times", "distance"],
                      r.materials.map((m) => [m.material, fmt(m.muRatio, 3), fmt(m.lossRatio, 3), fmt(m.distance, 3)]));
                out.replaceChildren(summaryList(r), scrolled(t));
                plotInto($("m-plot"), r.points, r.selfResonanceMHz, true, false);
                return;
            }
            const dl = document.createElement("dl");
            dl.className = "figures";
            const b = r.best;
            const near = (v) => v === null ? "not within the sweep" : "near " + unit(v, "MHz");
            const like = r.behavesLike;
            const rows = [["File", measured.name], ["Core", `${r.core}, ${fmt(r.turns, 6)} turns, ${r.method}`],
                          ["Fitted", `${r.fittedPoints} points from ${fmt(r.band.lowMHz)} to ${unit(r.band.highMHz, "MHz")}` +
                                     (r.band.from === "default" ? " (the default band)" : "")],
                          ["Behaves like", !r.explained ? "no single winding on any material with a curve"
                                           : like.length ? like.slice(0, -1).join(", ") + (like.length > 1 ? " or " : "") + like[like.length - 1]
                                           : "none of the materials with a plausible factor on its curve", r.explained ? "" : "warning"],
                          ["Best fit", `material ${b.material}, its curve times ${fmt(b.scale, 3)}, with ` +
                                       `${unit(b.capacitancePf, "pF", 3)} across the winding (residual ${fmt(b.residual, 3)})`],
                          ["Against the curve", `mu' ${fmt(r.againstCurve.muRealRatio, 3)} times ${b.material}'s, ` +
                                                `mu'' ${fmt(r.againstCurve.muImagRatio, 3)} times (medians)`],
                          ["Capacitance", `fitted ${unit(b.capacitancePf, "pF", 3)}; the model of the outline ${unit(r.modelCapacitancePf, "pF")}`],
                          ["R = X", `measured ${near(r.crossoverMHz.measured)}; on the curve of ${b.material} ${near(r.crossoverMHz.curve)}`],
                          ["Self-resonance", r.selfResonanceMHz === null ? "not within the fitted band" : near(r.selfResonanceMHz)]];
            for (const w of r.warnings)
                rows.push(["Warning", w, "warning"]);
            figures(dl, rows);
            const t = document.createElement("table");
            table(t, ["material", "curve times", "pF", "residual", "points"],
                  r.materials.map((m) => [m.material, fmt(m.scale, 3), fmt(m.capacitancePf, 3), fmt(m.residual, 3), m.points]));
            const scroll = document.createElement("div");
            scroll.className = "scroll";
            scroll.append(t);
            out.replaceChildren(dl, scroll);
            plotInto($("m-plot"), r.points, r.selfResonanceMHz, true, true);
        });

    function readMeasurement(file) {
        if (!file)
            return;
        const reader = new FileReader();
        reader.onload = () => {
            measured = {name: file.name, text: String(reader.result)};
            schedule(Sections.find((s) => s.id === "measure"));
        };
        reader.readAsText(file);
    }

    // ---- The address -------------------------------------------------------------

    // Every input of the page, by its id, and which sections are open.
    const remembered = () => [...document.querySelectorAll("main input:not([type=radio]):not([type=file]), main select")];

    function saveAddress() {
        const p = new URLSearchParams();
        p.set("family", family());
        p.set("unit", lengthUnit());
        for (const e of remembered())
            if (e.type === "checkbox")
                p.set(e.id, e.checked ? "yes" : "no");
            else if (e.value !== "" || e.value !== e.defaultValue) // a default cleared is kept cleared
                p.set(e.id, e.value);
        p.set("open", Sections.filter((s) => $(s.id).open).map((s) => s.id).join(","));
        history.replaceState(null, "", "#" + p.toString());
    }

    // What the address holds, field by field; what cannot be read is left as it is.
    function readAddress() {
        let p;
        try {
            p = new URLSearchParams(location.hash.slice(1));
        } catch (e) {
            return;
        }
        const radio = (name, value) => {
            const r = document.querySelector(`input[name="${name}"][value="${CSS.escape(value)}"]`);
            if (r)
                r.checked = true;
        };
        if (p.has("family"))
            radio("family", p.get("family"));
        if (p.has("unit"))
            radio("unit", p.get("unit"));
        familyChanged();
        for (const id of ["size", "material"])
            setSelect($(id), p.get(id));
        curveChoices();
        for (const e of remembered()) {
            if (!p.has(e.id) || e.id === "size" || e.id === "material")
                continue;
            if (e.tagName === "SELECT")
                setSelect(e, p.get(e.id));
            else if (e.type === "checkbox")
                e.checked = p.get(e.id) === "yes";
            else
                e.value = p.get(e.id);
        }
        if (p.has("open")) {
            const open = new Set(p.get("open").split(","));
            for (const s of Sections)
                $(s.id).open = open.has(s.id);
        }
    }

    function setSelect(select, value) {
        if (value !== null && [...select.options].some((o) => o.value === value))
            select.value = value;
    }

    // ---- Start -------------------------------------------------------------------

    async function start() {
        await mirvelta.ready;
        catalogue = await mirvelta.list({});
        for (const id of ["family-iron", "family-ferrite"])
            $(id).addEventListener("change", () => { familyChanged(); coreChanged(); saveAddress(); });
        for (const id of ["unit-mm", "unit-inches"])
            $(id).addEventListener("change", () => { clearResults(); coreChanged(); saveAddress(); });
        for (const id of ["size", "material", "curve"])
            $(id).addEventListener("change", () => { coreChanged(); saveAddress(); });
        $("core-mhz").addEventListener("input", () => { clearTimeout(coreTimer); coreTimer = setTimeout(() => { coreChanged(); saveAddress(); }, 150); });
        for (const id of ["turns", "inductance", "units"])
            $(id).addEventListener("change", saveAddress);
        $("solve-turns").addEventListener("click", () => solve("turns"));
        $("solve-inductance").addEventListener("click", () => solve("inductance"));
        $("calculator").addEventListener("submit", (e) => e.preventDefault());
        for (const id of ["flux", "impedance", "loss", "choke", "transformer", "balun", "q"])
            $(id).dataset.winding = "yes";
        const winding = $("winding");
        const windingChanged = () => {
            for (const s of Sections)
                if ($(s.id).dataset.winding)
                    schedule(s);
            saveAddress();
        };
        winding.addEventListener("input", windingChanged);
        winding.addEventListener("change", windingChanged);
        for (const s of Sections) {
            const root = $(s.id);
            const changed = (e) => {
                if (e.target.id === "z-at" || e.target.type === "file")
                    return;
                schedule(s);
                saveAddress();
            };
            root.addEventListener("input", giveWay);
            root.addEventListener("input", changed);
            root.addEventListener("change", changed);
            root.addEventListener("toggle", saveAddress);
        }
        $("z-scale").addEventListener("change", () => { if (sweep) plot(sweep); readAt(field("z-at")); saveAddress(); });
        let readTimer = 0;
        $("z-at").addEventListener("input", () => {
            clearTimeout(readTimer);
            readTimer = setTimeout(() => { readAt(field("z-at")); saveAddress(); }, 150);
        });
        $("z-csv").addEventListener("click", downloadCsv);
        $("m-file").addEventListener("change", (e) => readMeasurement(e.target.files[0]));
        const drop = $("measure");
        drop.addEventListener("dragover", (e) => e.preventDefault());
        drop.addEventListener("drop", (e) => {
            e.preventDefault();
            readMeasurement(e.dataTransfer.files[0]);
        });
        fill($("m-material"), [["", "not given"], ...catalogue.curves.map((c) => [c.material, c.material])], true);
        fill($("w-insulation"), [["", "bare, or the diameter over it"],
                                 ...catalogue.insulations.map((i) => [i.insulation, i.insulation])], true);
        fill($("w-cable"), [["", "none"], ...catalogue.cables.map((c) => [c.cable, `${c.cable} (${fmt(c.outsideMm)} mm)`])],
             true);
        $("w-cable").addEventListener("change", cableChosen);
        const plotted = $("z-plot");
        plotted.addEventListener("keydown", (e) => {
            const moves = {ArrowRight: 1, ArrowUp: 1, ArrowLeft: -1, ArrowDown: -1};
            if (e.key in moves) {
                e.preventDefault();
                step(reading < 0 ? 0 : reading + moves[e.key]);
            } else if (e.key === "Home" || e.key === "End") {
                e.preventDefault();
                step(e.key === "Home" ? 0 : Infinity);
            }
        });
        plotted.addEventListener("pointermove", (e) => {
            if (!sweep)
                return;
            const box = plotted.getBoundingClientRect();
            const x = (e.clientX - box.left) / box.width * 640;
            let nearest = 0;
            sweep.points.forEach((p, i) => {
                if (Math.abs(plotted.xOf(p.frequencyMHz) - x) < Math.abs(plotted.xOf(sweep.points[nearest].frequencyMHz) - x))
                    nearest = i;
            });
            step(nearest);
        });
        familyChanged();
        readAddress();
        cableChosen();
        for (const s of Sections)
            if (!s.usesCore)
                schedule(s);
        await coreChanged();
        document.body.dataset.readyMs = performance.now().toFixed(1); // from navigation (bench-web.sh)
        document.body.dataset.ready = "yes";
        // The footer's version can wait for the form's first answers.
        setTimeout(async () => {
            const version = await mirvelta.text("--version");
            $("version").textContent = typeof version === "string" ? version.replace(/^mirvelta-cli /, "").trim() : "";
        }, 500);
    }

    start();
})();
