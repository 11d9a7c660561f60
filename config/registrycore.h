// Key paths of the module's registry branch, built from the caller's levels. Pure: no
// system headers, so the rules are unit-tested and fuzzed natively.
#pragma once

#include <cstddef>

// A level of a key path: one or more key names joined by backslashes, none of them empty,
// "." or "..". Anything else could name the branch itself or look like a way out of it.
bool validLevel(const char* level);

enum class KeyPath { Built, BadLevel, TooLong };

// base, then "\" and first, then "\" and second (each level optional: null leaves it out)
// into a buffer of the given size. A level that is not valid, or a path that does not fit,
// leaves out an empty string and says which; a path is never cut.
KeyPath joinKeyPath(char* path, size_t size, const char* base, const char* first, const char* second);

// The next key name of a key path from *at (advanced past it and its backslash) into name,
// a buffer of the given size; false at the end of the path or when the name does not fit.
bool nextKeyName(const char*& at, char* name, size_t size);
