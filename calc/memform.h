// An in-memory main window behind the window seam: the unit tests, the
// command-line twin and the end-to-end oracle run the calculator over it.
//
// It holds the text of every control that exists, records every write and
// every message box in order, and can be reset to the start-up window.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "calc/state.h"

struct FormWrite {
    int id;
    std::string text;
};

struct FormMessage {
    std::string text;
    std::string caption;
    unsigned style;
};

struct MemoryForm {
    std::map<int, std::string> texts; // the controls that exist
    std::vector<FormWrite> writes;
    std::vector<FormMessage> messages;
    bool recording = true; // the benchmarks time the form without its log

    // The window as the main procedure leaves it: 31 controls with their
    // captions, no size or material box, recording on. Also resets the
    // process-wide state, the selected core included.
    void reset();
    // A core-type click's boxes, with the given item shown (or none).
    void setCombos(const std::string &size, const std::string &material);
    void clearLog();
    std::string text(int id) const;
};

extern MemoryForm form;

// The window as a user leaves it who clicks the unit, then the family, picks
// the size and material and types the three boxes; then the solve button of
// the mode, over the form above (its log off). Returns false, with the
// window's message, where the window refuses; report (if given) receives
// the solve's numbers.
struct SolveReport;
bool solveAsUser(LengthUnit unit, CoreType family, const std::string &size, const std::string &material,
                 SolveMode mode, const std::string &turns, const std::string &inductance,
                 const std::string &units, std::string *message, SolveReport *report = nullptr);

// The lines a solve leaves, in window order (the Core Parameters frame, the
// Winding Information frame, the Calculate frame), with the names the twin's
// and the web page's JSON give them.
struct ResultLine {
    int id;
    const char *name;
};
extern const ResultLine ResultLines[12];
