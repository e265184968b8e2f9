// The "What's this?" texts of the data-bearing controls and the About text.
// Plain data, no platform: the end-to-end oracle uses them too.
#pragma once

// The help text of a control, or null when it has none.
const char *helpTextFor(int id);

extern const char AboutText[];
