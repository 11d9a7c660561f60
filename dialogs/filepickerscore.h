// What the file-open dialog leaves in its buffer, as the list kel_getfilem returns. Pure.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The buffer holds one full path, or a folder followed by file names, each ended by a zero
// byte and the whole by an empty string (only its first size bytes are read). One path gives
// its folder (ending in "\") and its name; a folder and names give the folder, with a "\"
// added unless it ends in one, then the names. Nothing chosen gives an empty list.
std::vector<std::string> fileChoice(const char* buffer, size_t size);
