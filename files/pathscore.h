// Splitting and joining paths by the runtime library's rules, on bounded buffers. Pure.
#pragma once

#include <cstddef>

struct PathParts {
    char drive[260], dir[260], name[260], ext[260];
};

// Drive: a letter and ":"; directory: up to and including the last "\" or "/"; name: the
// rest up to the last "."; extension: from the last "." on. Missing parts are empty.
void splitPath(const char* path, PathParts& parts);

// Joins the parts: ":" after the drive's letter, "\" after a directory that ends in neither
// "\" nor "/", "." before an extension without one; empty parts left out. False when the
// result does not fit the buffer.
bool makePath(char* out, size_t size, const char* drive, const char* dir, const char* name, const char* ext);
