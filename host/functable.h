// The function table: one row per LISP function, in alphabetical order; a function's code
// is its row number plus one.
#pragma once

#include <cstddef>

#include "adsdef.h"

typedef int (*Handler)(struct resbuf* args);

struct FunctionRow {
    const char* name;
    Handler handler;
};

extern const FunctionRow functionTable[];
extern const size_t functionCount;

// Message 3: defines every function in the current document; RTERROR at the first failure.
int defineFunctions();
// Message 4.
void undefineFunctions();
// Message 5: runs the handler of the function being called.
void dispatch();
