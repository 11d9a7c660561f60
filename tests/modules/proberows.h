// The rows the test build of the module adds to its function table (read before every source
// of that build).
#pragma once

struct resbuf;
int probeFailNew(struct resbuf* args);
int probeThrow(struct resbuf* args);
int probeThrowInWindow(struct resbuf* args);
int probeThrowInColor(struct resbuf* args);

#define KELMAR_PROBE_ROWS                    \
    {"kel__failnew", probeFailNew},          \
    {"kel__throw", probeThrow},              \
    {"kel__throwinwindow", probeThrowInWindow}, \
    {"kel__throwincolor", probeThrowInColor},
