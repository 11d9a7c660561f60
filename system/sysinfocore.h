// Date and time as text, both ways. Pure.
#pragma once

#include <cstddef>
#include <cstdint>

// Splits text into numbers at any of "/-:." (runs count as one); each piece is its leading
// decimal digits (none reads 0). Returns how many pieces there were, at most max.
int splitNumbers(const char* text, int* numbers, int max);

// The numbers as the system's 16-bit date and time fields; false when one does not fit, since
// cut to 16 bits it would name another date or time than the one asked for.
bool timeFields(const int* numbers, int count, uint16_t* fields);

// "MM-DD-YYYY".
void dateText(char (&out)[16], unsigned month, unsigned day, unsigned year);
// "HH:MM:SSa" on the 12-hour clock: 0 is 12a, 12 is 12p, 13 is 1p.
void timeText(char (&out)[16], unsigned hour, unsigned minute, unsigned second);
