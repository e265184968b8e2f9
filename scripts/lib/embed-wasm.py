#!/usr/bin/python3
"""Writes the engine's WebAssembly into a script of the page, for a page
opened from a file:// URL (where it cannot fetch a .wasm file) and one
served over http(s) alike: gzip-compressed (level 9, no name, no time, so
the same wasm gives the same bytes), then base64, as one string,
mirveltaWasmGzip. The page gunzips it with the browser's own
DecompressionStream: a third of the text to read and decode that the bare
wasm's base64 would be, and sooner compiled.

Usage: embed-wasm.py ENGINE.wasm OUT.js"""
import base64
import gzip
import sys

wasm = open(sys.argv[1], "rb").read()
packed = gzip.compress(wasm, compresslevel=9, mtime=0)
with open(sys.argv[2], "w") as out:
    out.write("// The engine's WebAssembly (%d bytes), gzip-compressed (%d), as base64: written by\n"
              "// scripts/lib/embed-wasm.py from the build's mirvelta-engine.wasm.\n" % (len(wasm), len(packed)))
    out.write('var mirveltaWasmGzip = "%s";\n' % base64.b64encode(packed).decode("ascii"))
