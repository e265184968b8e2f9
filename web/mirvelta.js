// mirvelta: the toroid winding calculator's engine in the page, for the
// page itself, for tests and for users' own pages.
//
//   await mirvelta.ready;
//   await mirvelta.solve({family: "iron", size: "50", material: "2", turns: "20"});
//   await mirvelta.impedance({family: "ferrite", size: "240", material: "43", turns: "10",
//                             mhz: "1:30", points: "50"});
//
// For every command C of mirvelta-cli (the engine knows them: a name it has no
// command for is its refusal), mirvelta.C({k: v}) resolves to the object that
// `mirvelta-cli C --k v --json` prints: values are the texts a user would
// type, a flag is a key whose value is true. Where the twin refuses, it
// resolves to {error: <its one line>}, with option: "--watts" where the
// refusal speaks of one option; where the window refuses a solve, to
// {message: <the window's message>}. mirvelta.text(C, {k: v}) resolves to
// the twin's text output instead (CSV with {csv: true}).
(function () {
    "use strict";

    let engine = null;

    function run(command, options, json) {
        const answer = JSON.parse(engine.ccall("mirvelta_run", "string", ["string"],
            [JSON.stringify({command, options: options || {}, json})]));
        if (answer.code !== 0)
            return answer.windowMessage ? {message: answer.refusal}
                 : answer.option ? {error: answer.refusal, option: answer.option} : {error: answer.refusal};
        return answer;
    }

    const api = {
        ready: null,
        async text(command, options) {
            await api.ready;
            const a = run(command, options, false);
            return a.out !== undefined ? a.out : a;
        },
    };
    // Any other name is a command, as the engine has it.
    const mirvelta = new Proxy(api, {
        get(target, name) {
            if (name in target || typeof name !== "string" || name === "then")
                return target[name];
            return async (options) => {
                await api.ready;
                const a = run(name, options, true);
                return a.out !== undefined ? JSON.parse(a.out) : a;
            };
        },
    });

    // The engine's WebAssembly, gzipped as base64 in mirvelta-wasm.js (the
    // page's first script, so that the browser reads it while it reads the
    // rest): through a data: URL and the browser's own gunzip into a
    // streaming compile, begun at once. One way for a page opened from a
    // file, where nothing can be fetched, and for one served over http(s).
    const compiled = fetch("data:application/gzip;base64," + mirveltaWasmGzip).then((packed) =>
        WebAssembly.compileStreaming(new Response(packed.body.pipeThrough(new DecompressionStream("gzip")),
                                                  {headers: {"Content-Type": "application/wasm"}})));
    // The engine's script is the one before this.
    api.ready = compiled.then((module) => createMirveltaEngine({
        instantiateWasm(imports, receive) {
            WebAssembly.instantiate(module, imports).then((instance) => receive(instance, module));
            return {};
        },
    })).then((module) => {
        engine = module;
        return mirvelta;
    });
    window.mirvelta = mirvelta;
})();
