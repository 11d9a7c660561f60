// One ceiling on the host's memory, the same in both builds.
#pragma once

#include <cstddef>

// Counts SIZE bytes against the ceiling; false, counting nothing, when they would pass it
// while the ceiling holds.
bool reserveMemory(size_t size) noexcept;
// Gives back what reserveMemory counted.
void releaseMemory(size_t size) noexcept;

// The ceiling holds while a form is evaluated (on) and not while a module's call runs (off),
// each until the guard goes: an allocation refused there ends the form, where the host
// catches it. Reading and printing a form, and the host's own answers to a module, always
// get their memory, so the host can go on, and no failure unwinds through a module.
class MemoryCeiling {
public:
    explicit MemoryCeiling(bool on);
    ~MemoryCeiling();
    MemoryCeiling(const MemoryCeiling&) = delete;
    MemoryCeiling& operator=(const MemoryCeiling&) = delete;

private:
    bool was_;
};
