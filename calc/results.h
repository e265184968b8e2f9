// The reset of the result lines and the numbered input error messages.
#pragma once

// Puts the core-parameter, frequency and wire-length lines back to their bare
// captions. Leaves the wire-size line, the text boxes and the units box alone.
void clearResults();

enum { InvalidDataMessageCount = 7 };
extern const char *const InvalidDataMessages[InvalidDataMessageCount];

// Shows input error message 0..6 in the "Invalid Data" box and returns when
// the user has closed it.
void showInvalidData(int message);
