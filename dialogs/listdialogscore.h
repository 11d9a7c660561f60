// The match step of the combo list: which item best holds the typed text.
#pragma once

#include <string>
#include <vector>

// The item in which the text appears earliest (case-sensitive); among equal places the
// first item. -1 when no item holds it. An empty text matches the first item.
int bestMatch(const std::vector<std::string>& items, const std::string& text);
