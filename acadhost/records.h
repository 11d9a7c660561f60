// Records the host hands out, tracked so that a module's leaks and double releases are
// caught instead of corrupting the heap.
#pragma once

#include <cstddef>
#include <string>
#include <unordered_set>
#include <vector>

#include "adsdef.h"

class RecordPool {
public:
    ~RecordPool();
    // A new record of the type, zeroed; null when an injected failure is due (the host's
    // own records for arguments are never made to fail).
    resbuf* make(int type, bool injectable = true);
    // Frees a chain, strings included. Stops at the first record the pool does not hold
    // and returns false with the reason.
    bool release(resbuf* chain, std::string& problem);
    // The records still held since the last reclaim; frees them.
    size_t reclaimLive();
    // Frees what was released: addresses stay unused until then, so that a second release
    // of the same record is seen.
    void endCall();
    // The n-th following make() fails (1 = the next one); 0 turns it off.
    void failAfter(int n) { failCountdown_ = n; }
    bool injecting() const { return failCountdown_ > 0; }

private:
    static void destroy(resbuf* rb);
    std::unordered_set<resbuf*> live_;
    std::unordered_set<resbuf*> released_;
    int failCountdown_ = 0;
};

// A copy of s in memory a record may own.
char* recordString(const char* s);
