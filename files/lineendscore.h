// Line-end conversion of one piece of a file. Pure: no system headers.
#pragma once

#include <cstddef>

// DOS to UNIX: every byte but CR (13) and Ctrl-Z (26), in order. out holds n + 16 bytes (the
// last 16 are written over, not kept); returns how many it got.
size_t toUnixText(const char* in, size_t n, char* out);

// UNIX to DOS: every byte, with a CR before each LF (10). out holds 2n + 16 bytes; returns how
// many it got.
size_t toDosText(const char* in, size_t n, char* out);
