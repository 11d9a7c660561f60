// The list pickers' arguments: title, prompt and the list's elements, read from the argument
// chain. No system headers: the readers are fuzzed natively over any chain.
#pragma once

#include <string>
#include <vector>

#include "adsdef.h"

struct PickArgs {
    char title[256] = "";
    std::string prompt;
    std::vector<std::string> items;
    std::vector<short> checks;  // the check list's flags, one an item
};

// Title and prompt, then the list's opening: what every picker reads first. rb is left at
// the list's first element.
bool readHead(const resbuf*& rb, PickArgs& pick);
// String elements up to the list's end; rb is left after it.
bool readStrings(const resbuf*& rb, PickArgs& pick);
// (string integer) elements up to the list's end; rb is left after it.
bool readChecks(const resbuf*& rb, PickArgs& pick);
// Nothing may follow the list.
bool listEnds(const resbuf* rb);
