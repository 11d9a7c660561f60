// In-place path helpers on bounded buffers. Pure: no system headers.
#pragma once

#include <cstddef>

// A drive letter as the character readers give it (upper-cased): A to Z. Anything else (an
// empty string's 0, a digit) names no drive, and the runtime's drive calls must not see it.
inline bool isDriveLetter(char letter) { return letter >= 'A' && letter <= 'Z'; }
// Every "/" becomes "\".
void toBackslashes(char* path);
// Appends "\" unless the path already ends in one; false (path unchanged) when the buffer
// of the given size has no room for it.
bool addTrailingBackslash(char* path, size_t size);
// Drops a final "\" except from "\" alone and from a drive root such as "C:\".
void stripTrailingBackslash(char* path);
// The length of the path's drive and folder: up to and including its last "\" or "/"; 0 when
// it has neither. Unlike the runtime's splitting into a 256-byte folder, it holds for every
// path a 260-byte buffer holds.
size_t folderLength(const char* path);
// True when the path names no folder of its own: "" or blanks, a drive ("C:", which is
// that drive's current folder), a root ("\", "C:\", "\\server\share" with or without a
// final "\", "/" as well as "\"). What removes a whole tree refuses these.
bool namesRoot(const char* path);
// True when two absolute paths lie on the same drive: the same letter ("C:"), or the same
// "\\server\share", in any case.
bool sameDrive(const char* a, const char* b);
// True when the last component of the path names one of the system's devices (CON, PRN,
// AUX, NUL, COM1 to COM9, LPT1 to LPT9, CONIN$, CONOUT$) in any case, with or without an
// extension, trailing dots or blanks: such a name opens the device wherever it stands, and
// a read from it can block for ever.
bool namesDevice(const char* path);
