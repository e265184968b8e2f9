#!/usr/bin/python3
"""The rooms include only rooms below them: catalogue < calc < design <
ui, app < cli < web (ui and app beside each other, cli beside neither)."""
import pathlib, re, sys

root = pathlib.Path(sys.argv[1])
below = {
    "catalogue": set(),
    "calc": {"catalogue"},
    "design": {"catalogue", "calc"},
    "ui": {"catalogue", "calc"},
    "app": {"catalogue", "calc", "ui"},
    "cli": {"catalogue", "calc", "design"},
    "web": {"catalogue", "calc", "design", "cli"},
}
faults = []
for room, allowed in below.items():
    for f in sorted((root / room).glob("*.[ch]*")):
        for n, line in enumerate(f.read_text(encoding="latin-1").splitlines(), 1):
            m = re.match(r'\s*#\s*include\s+"([a-z]+)/', line)
            if m and m.group(1) != room and m.group(1) not in allowed:
                faults.append("%s:%d: %s includes %s" % (f.relative_to(root), n, room, m.group(1)))
print("\n".join(faults) or "every room includes only the rooms below it")
sys.exit(1 if faults else 0)
