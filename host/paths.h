// In-place path helpers on bounded buffers. Pure: no system headers.
#pragma once

#include <cstddef>

// Every "/" becomes "\".
void toBackslashes(char* path);
// Appends "\" unless the path already ends in one; false (path unchanged) when the buffer
// of the given size has no room for it.
bool addTrailingBackslash(char* path, size_t size);
// Drops a final "\" except from "\" alone and from a drive root such as "C:\".
void stripTrailingBackslash(char* path);
