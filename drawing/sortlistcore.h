// Sorting a chain of records in place. Pure: no host calls.
#pragma once

#include "adsdef.h"

enum class SortResult { Sorted, MixedTypes, NoMemory };

// Sorts the chain ascending: reals by value, 16-bit integers by signed value, strings by
// unsigned bytes (upper case before lower case); equal numbers keep their order. Records of
// another type are left in their order. The chain is untouched unless Sorted: when its
// records are not all of the head's type, or there is no memory to sort with.
SortResult sortChain(struct resbuf*& head);
