// The list pickers' arguments: title, prompt and the list's elements, read from the argument
// chain. No system headers: the readers are fuzzed natively over any chain.
#pragma once

#include <string>
#include <vector>

class Args;

struct PickArgs {
    char title[256] = "";
    std::string prompt;
    std::vector<std::string> items;
    std::vector<short> checks;  // the check list's flags, one an item
};

// Title and prompt, then the list's opening: what every picker reads first. The list's first
// element is read next.
bool readHead(Args& in, PickArgs& pick);
// String elements up to the list's end, which is read too.
bool readStrings(Args& in, PickArgs& pick);
// (string integer) elements up to the list's end, which is read too.
bool readChecks(Args& in, PickArgs& pick);
