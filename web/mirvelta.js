// mirvelta: the toroid winding calculator's engine in the page, for the
// page itself, for tests and for users' own pages.
//
//   await mirvelta.ready;
//   await mirvelta.solve({family: "iron", size: "50", material: "2", unit: "inches", turns: "20"});
//   await mirvelta.solve({family: "ferrite", size: "240", material: "J", unit: "mm",
//                         inductance: "2.2", units: "mH"});
//
// Every value is the text a user would type. solve resolves to the object
// `mirvelta-cli solve --json` prints for the same request, or to
// {message: <the window's message text>} where the window refuses. A family
// or unit it does not know rejects the promise.
(function () {
    "use strict";

    let engine = null;

    function call(name, types, args) {
        const answer = JSON.parse(engine.ccall(name, "string", types, args));
        if (answer.error)
            throw new Error(answer.error);
        return answer;
    }

    const text = (v, otherwise) => (v === undefined || v === null ? otherwise : String(v));

    const api = {
        ready: null,

        async solve(request) {
            await api.ready;
            const byTurns = request.turns !== undefined;
            if (byTurns === (request.inductance !== undefined))
                throw new Error("give either turns or inductance");
            return call("mirvelta_solve",
                ["string", "string", "string", "string", "number", "string", "string", "string"],
                [text(request.family, ""), text(request.size, ""), text(request.material, ""),
                 text(request.unit, "inches"), byTurns ? 1 : 0,
                 byTurns ? text(request.turns) : "", byTurns ? "" : text(request.inductance),
                 byTurns ? "uH" : text(request.units, "uH")]);
        },

        // The catalogue: families with their sizes, materials and AL table;
        // the ferrite materials with a published permeability curve.
        async catalogue() {
            await api.ready;
            return call("mirvelta_catalogue", [], []);
        },

        // A core's effective parameters, AL, permeability and surface.
        async core({family, size, material}) {
            await api.ready;
            return call("mirvelta_core", ["string", "string", "string"], [family, size, material]);
        },

        // Peak flux density of a sine voltage across N turns.
        async flux({family, size, turns, vrms, mhz}) {
            await api.ready;
            return call("mirvelta_flux", ["string", "string", "string", "string", "string"],
                [family, size, text(turns), text(vrms), text(mhz)]);
        },

        // A core from its measured dimensions and a test winding.
        async identify({od, id, height, unit, turns, inductance, units}) {
            await api.ready;
            return call("mirvelta_identify",
                ["string", "string", "string", "string", "string", "string", "string"],
                [text(od), text(id), text(height), text(unit, "inches"), text(turns), text(inductance),
                 text(units, "uH")]);
        },

        // The winding's impedance over a log-spaced sweep; pf: its own
        // capacitance in parallel (0 or absent: none).
        async impedance({family, size, material, turns, fromMHz, toMHz, points, pf}) {
            await api.ready;
            return call("mirvelta_impedance",
                ["string", "string", "string", "number", "number", "number", "number", "number"],
                [family, size, material, Number(turns), Number(fromMHz), Number(toMHz),
                 Number(points === undefined ? 25 : points), Number(pf || 0)]);
        },

        // A ferrite winding's core loss and temperature rise, from a voltage
        // across it (vrms, or watts into ohms) or a current through it (amps).
        async loss({size, material, turns, mhz, vrms, watts, ohms, amps}) {
            await api.ready;
            let v = Number(vrms || 0);
            if (watts !== undefined && watts !== "")
                v = Math.sqrt(Number(watts) * Number(ohms === undefined || ohms === "" ? 50 : ohms));
            return call("mirvelta_loss", ["string", "string", "number", "number", "number", "number"],
                [size, material, Number(turns), Number(mhz), v, Number(amps || 0)]);
        },
    };

    api.ready = createMirveltaEngine().then((module) => {
        engine = module;
        return api;
    });
    window.mirvelta = api;
})();
