// A seeded random session against the real window, checked action by action
// against an oracle: the project's own catalogue/ and calc/ over the
// in-memory form. Usage: soak [SEED [ACTIONS]]   (defaults 1 and 1000)
//
// After every action every control's text, the existence of the size and
// material boxes, and every message box must be what the oracle says. The
// window must answer each round trip within a second; where Wine reports
// them, its GDI and USER objects and private memory must stay flat.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "calc/controlids.h"
#include "calc/form.h"
#include "calc/fpenv.h"
#include "calc/numtext.h"
#include "calc/results.h"
#include "calc/solve.h"
#include "calc/state.h"
#include "calc/core.h"
#include "tests/e2e/driver.h"
#include "calc/memform.h"
#include "ui/helptexts.h"

namespace {

struct Rng {
    uint64_t state;
    uint64_t next()
    {
        uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int below(int n) { return (int)(next() % (uint64_t)n); }
    template <size_t N> const char *pick(const char *const (&list)[N]) { return list[below((int)N)]; }
};

const int EveryControl[] = {
    ID_QUIT_BUTTON, ID_SOLVE_TURNS_BUTTON, ID_SOLVE_INDUCTANCE_BUTTON, ID_ABOUT_BUTTON, ID_MM_OPTION,
    ID_INCHES_OPTION, ID_IRON_OPTION, ID_FERRITE_OPTION, ID_TURNS_PROMPT, ID_INDUCTANCE_PROMPT,
    ID_TURNS_EDIT, ID_TURNS_UNIT_CAPTION, ID_INDUCTANCE_EDIT, ID_UNITS_COMBO, ID_SIZE_CAPTION,
    ID_MATERIAL_CAPTION, ID_OD_LABEL, ID_ID_LABEL, ID_THICKNESS_LABEL, ID_COLOR_LABEL, ID_FREQ_LABEL,
    ID_WIDEBAND_LABEL, ID_TUNED_LABEL, ID_WIRE_SIZE_LABEL, ID_WIRE_LENGTH_LABEL, ID_LENGTH_UNIT_FRAME,
    ID_CORE_TYPE_FRAME, ID_CORE_PARAMS_FRAME, ID_WINDING_FRAME, ID_CALCULATE_FRAME, ID_SKETCH_IMAGE,
    ID_SIZE_COMBO, ID_MATERIAL_COMBO,
};

// ---- Texts a user might type or paste ------------------------------------

const char *const Boundaries[] = {
    "0.001", "0.0009", "65536", "65537", "1", "0.5", "65535", "0", "-0", "0.99999994", "65535.99",
    "1000", "999.5", "20", "10", "12.5", " 1.96", " 1E+3", " 2.956E+5",
};
const char *const Hostile[] = {
    "+-5", "--5", "- 5", "1e9999", "-1E9999", "1D-3", "2E", "1,5", "1.2.3", ".", "-", "&HFFFF",
    "&HFFFF&", "&HFFFFFFFF&&", "&B101??", "&O777%", "&", "&HG", "&H10000000000000000", "1e-4933",
    "\t\n 42", "\r5", "12.5 uH", "0x10", "NaN", "inf", "1e38", "3.5e38", "\x01\x02", "\x7f",
    "\xe9\xe8", "\xff\xfe", "\xb5H", "12\xa0", "\x80\x81", "uH", "nH", "mH", "UH", "uH ", " uH", "mh", "",
};
const char *const Units[] = {"nH", "uH", "mH", "nH", "uH", "mH", "UH", "uh", "uH ", " mH", "", "H", "\xb5H"};

std::string randomText(Rng &rng, bool units)
{
    if (units && rng.below(3) > 0)
        return rng.pick(Units);
    switch (rng.below(9)) {
    case 0:
        return std::to_string(1 + rng.below(70000));
    case 1: {
        uint32_t bits = (uint32_t)rng.next();
        float x;
        memcpy(&x, &bits, 4);
        if (rng.below(2)) // a value of a sensible size
            x = (float)(rng.below(1000000)) / (float)(1 + rng.below(10000));
        return numberToText(x, 1 + rng.below(18));
    }
    case 2:
        return rng.pick(Boundaries);
    case 3:
        return rng.pick(Hostile);
    case 4: { // any bytes but NUL
        std::string s;
        for (int n = rng.below(24); n > 0; n--)
            s += (char)(1 + rng.below(255));
        return s;
    }
    case 5: {
        static const char *const letters[] = {"H", "h", "O", "Q", "B", "b", ""};
        static const char *const suffixes[] = {"", "%", "&", "&&", "?", "??", "???", "&&&"};
        std::string s = std::string("&") + rng.pick(letters);
        for (int n = rng.below(20); n > 0; n--)
            s += "0123456789ABCDEFabcdefG"[rng.below(23)];
        return s + rng.pick(suffixes);
    }
    case 6: {
        static const char *const letters[] = {"e", "E", "d", "D"};
        static const char *const signs[] = {"", "+", "-"};
        return std::string(rng.pick(signs)) + std::to_string(rng.below(100000)) + "." +
               std::to_string(rng.below(1000)) + rng.pick(letters) + rng.pick(signs) +
               std::to_string(rng.below(12000));
    }
    case 7:
        return "";
    default:
        if (rng.below(8) == 0) { // 100 kB: digits, or junk
            std::string s(100 * 1024, rng.below(2) ? '7' : '#');
            if (rng.below(2))
                s[0] = '.';
            return s;
        }
        return std::string(1 + rng.below(60), "0123456789."[rng.below(11)]);
    }
}

std::string shown(const std::string &s)
{
    std::string out;
    for (unsigned char c : s.substr(0, 120))
        if (c >= 32 && c < 127) {
            out += (char)c;
        } else {
            char buf[8];
            snprintf(buf, sizeof buf, "\\x%02x", c);
            out += buf;
        }
    return s.size() > 120 ? out + "... (" + std::to_string(s.size()) + " bytes)" : out;
}

// ---- The oracle: the window's handlers over the in-memory form ------------

void oracleUnit(int id)
{
    setLengthUnit(id == ID_MM_OPTION ? LengthMillimetres : LengthInches);
    clearResults();
}

void oracleCoreType(int id)
{
    clearResults();
    coreType = id == ID_IRON_OPTION ? CorePowderedIron : CoreFerrite;
    form.setCombos("", "");
    form.texts[ID_SIZE_CAPTION] = coreType == CorePowderedIron ? "Toroid Size:        T-"
                                                               : "Toroid Size:       FT-";
}

struct Session {
    App app;
    Rng rng;
    int action = 0;
    std::string last;
    double slowest = 0;

    bool fail(const std::string &what)
    {
        printf("soak: MISMATCH after action %d (%s): %s\n", action, last.c_str(), what.c_str());
        return false;
    }

    bool checkBoxes(const Outcome &o)
    {
        if (!o.done)
            return fail("the action did not finish within 10 s");
        if (o.boxes.size() != form.messages.size())
            return fail("window showed " + std::to_string(o.boxes.size()) + " boxes, oracle " +
                        std::to_string(form.messages.size()) +
                        (o.boxes.empty() ? "" : ": '" + shown(o.boxes[0].text) + "'") +
                        (form.messages.empty() ? "" : " / '" + shown(form.messages[0].text) + "'"));
        for (size_t i = 0; i < o.boxes.size(); i++) {
            if (o.boxes[i].caption != form.messages[i].caption || o.boxes[i].text != form.messages[i].text)
                return fail("box '" + o.boxes[i].caption + "': '" + shown(o.boxes[i].text) + "', oracle '" +
                            form.messages[i].caption + "': '" + shown(form.messages[i].text) + "'");
            if (!o.boxes[i].ownerless || !o.boxes[i].mainDisabled)
                return fail("box not ownerless and task-modal");
        }
        return true;
    }

    // The handles of the 31 controls that live as long as the window; the
    // two boxes that core-type clicks rebuild are looked up every time.
    std::map<int, HWND> handles;

    HWND handle(int id)
    {
        if (id == ID_SIZE_COMBO || id == ID_MATERIAL_COMBO)
            return app.item(id);
        auto it = handles.find(id);
        if (it == handles.end())
            it = handles.emplace(id, app.item(id)).first;
        return it->second;
    }

    bool checkTexts()
    {
        for (int id : EveryControl) {
            HWND h = handle(id);
            bool exists = h != NULL, expected = form.texts.count(id) > 0;
            if (exists != expected)
                return fail("control " + std::to_string(id) + (exists ? " exists" : " is missing"));
            if (!exists)
                continue;
            std::string text = app.windowText(h);
            if (text != form.text(id))
                return fail("control " + std::to_string(id) + ": '" + shown(text) + "', oracle '" +
                            shown(form.text(id)) + "'");
        }
        double t = app.roundTrip();
        if (t < 0)
            return fail("no answer to a round trip within a second");
        if (t > slowest)
            slowest = t;
        return true;
    }

    // One random action on both sides.
    bool step()
    {
        form.messages.clear();
        Outcome o;
        o.done = true;
        int r = rng.below(100);
        if (r < 6) {
            int id = rng.below(2) ? ID_MM_OPTION : ID_INCHES_OPTION;
            last = "click " + std::to_string(id);
            o = app.click(id);
            oracleUnit(id);
        } else if (r < 12) {
            int id = rng.below(2) ? ID_IRON_OPTION : ID_FERRITE_OPTION;
            last = "click " + std::to_string(id);
            o = app.click(id);
            oracleCoreType(id);
        } else if (r < 32) {
            int id = rng.below(2) ? ID_SIZE_COMBO : ID_MATERIAL_COMBO;
            if (!form.texts.count(id))
                return step();
            std::vector<std::string> items = app.items(id);
            int index = rng.below((int)items.size() + 1) - 1; // -1 clears the pick
            last = "pick " + std::to_string(index) + " in " + std::to_string(id);
            app.pick(id, index);
            const CoreFamilyTable &family = currentCatalogue();
            form.texts[id] = index < 0 ? ""
                             : id == ID_SIZE_COMBO ? family.sizes[index].code
                                                   : family.materials[index].code;
        } else if (r < 60) {
            static const int boxes[] = {ID_TURNS_EDIT, ID_INDUCTANCE_EDIT, ID_UNITS_COMBO};
            int id = boxes[rng.below(3)];
            std::string text = randomText(rng, id == ID_UNITS_COMBO);
            last = "type '" + shown(text) + "' into " + std::to_string(id);
            app.setText(id, text);
            // The oracle models the calculator, not the edit control: it takes
            // whatever the control made of the text.
            form.texts[id] = app.text(id);
        } else if (r < 88) {
            bool turns = rng.below(2);
            int id = turns ? ID_SOLVE_TURNS_BUTTON : ID_SOLVE_INDUCTANCE_BUTTON;
            last = "click " + std::to_string(id);
            o = app.click(id);
            solveMode = turns ? SolveTurns : SolveInductance;
            solve();
        } else if (r < 97) {
            int id = rng.below(5) ? EveryControl[rng.below((int)(sizeof EveryControl / sizeof *EveryControl))]
                                  : rng.below(3000);
            last = "help on " + std::to_string(id);
            o = app.help(id);
            if (const char *text = helpTextFor(id))
                form.messages.push_back({text, "What's this?", MessageBoxInformation});
        } else {
            last = "About";
            o = app.click(ID_ABOUT_BUTTON);
            form.messages.push_back({AboutText, "About this program", MessageBoxInformation});
        }
        return checkBoxes(o) && checkTexts();
    }
};

struct Figures {
    DWORD gdi, user;
    size_t bytes, residentKiB;
};

Figures figures(const App &app)
{
    return {app.gdiObjects(), app.userObjects(), app.privateBytes(), app.residentPrivateKiB()};
}

} // namespace

int main(int argc, char **argv)
{
    setFloatingPointEnvironment();
    uint64_t seed = argc > 1 ? strtoull(argv[1], nullptr, 10) : 1;
    int count = argc > 2 ? atoi(argv[2]) : 1000;

    Session s;
    s.rng.state = seed;
    form.reset();
    form.recording = false;
    if (!s.app.start()) {
        printf("soak: the window did not appear\n");
        return 1;
    }
    if (!s.checkTexts())
        return 1;

    DWORD started = GetTickCount();
    Figures start = figures(s.app), warm = start;
    int warmUp = count / 10;
    for (s.action = 1; s.action <= count; s.action++) {
        if (!s.step())
            return 1;
        if (s.action == warmUp)
            warm = figures(s.app);
    }
    Figures end = figures(s.app);
    double seconds = (GetTickCount() - started) / 1000.0;

    printf("soak: seed %llu, %d actions in %.1f s (%.1f actions/s), largest round trip %.1f ms\n",
           (unsigned long long)seed, count, seconds, count / (seconds > 0 ? seconds : 1), s.slowest);
    printf("soak: GDI objects %lu / %lu / %lu, USER objects %lu / %lu / %lu (start / warm / end; 0: not reported)\n",
           start.gdi, warm.gdi, end.gdi, start.user, warm.user, end.user);
    printf("soak: private memory %zu / %zu / %zu KiB (start / warm / end; 0: not reported)\n",
           start.bytes / 1024, warm.bytes / 1024, end.bytes / 1024);
    printf("soak: anonymous resident memory of the Linux process %zu / %zu / %zu KiB\n",
           start.residentKiB, warm.residentKiB, end.residentKiB);

    bool flat = true;
    if (warm.gdi && end.gdi > warm.gdi + 2)
        flat = false, printf("soak: GDI objects grew\n");
    if (warm.user && end.user > warm.user + 4)
        flat = false, printf("soak: USER objects grew\n");
    if (warm.bytes && end.bytes > warm.bytes + 8 * 1024 * 1024)
        flat = false, printf("soak: private memory grew by more than 8 MiB\n");
    // One memory figure at least must be read: Wine reports no private
    // bytes, so under Wine it is the Linux process's.
    bool wine = underWine();
    if (wine ? !(warm.residentKiB && end.residentKiB) : !(warm.bytes && end.bytes))
        flat = false, printf("soak: the memory figure could not be read\n");
    if (warm.residentKiB && end.residentKiB > warm.residentKiB + 8 * 1024)
        flat = false, printf("soak: resident memory grew by more than 8 MiB\n");

    s.app.click(ID_QUIT_BUTTON);
    long code = s.app.waitForExit();
    if (code != 0) {
        printf("soak: exit code %ld after Quit!\n", code);
        return 1;
    }
    printf(flat ? "soak: passed\n" : "soak: FAILED\n");
    return flat ? 0 : 1;
}
