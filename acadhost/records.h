// Records the host hands out, tracked so that a module's leaks and double releases are
// caught instead of corrupting the heap. Records live in slots of large blocks: making and
// releasing one costs no heap call, as a module that copies long lists needs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "adsdef.h"

class RecordPool {
public:
    RecordPool() = default;
    RecordPool(const RecordPool&) = delete;
    RecordPool& operator=(const RecordPool&) = delete;
    ~RecordPool();
    // A new record of the type, zeroed; null when an injected failure is due (the host's
    // own records for arguments are never made to fail).
    resbuf* make(int type, bool injectable = true);
    // Frees a chain, strings included. Stops at the first record the pool does not hold
    // and returns false with the reason.
    bool release(resbuf* chain, std::string& problem);
    // The records still held since the last reclaim; frees them.
    size_t reclaimLive();
    // Frees what was released: slots stay unused until then, so that a second release of
    // the same record is seen.
    void endCall();
    // The n-th following make() fails (1 = the next one); 0 turns it off.
    void failAfter(int n) { failCountdown_ = n; }

private:
    struct Slot {
        Slot* prev;
        Slot* next;
        uint32_t state;
        resbuf rb;
    };
    Slot* slotOf(resbuf* rb) const;  // null when rb is not a record of the pool
    void unlinkLive(Slot* s);
    void recycle(Slot* s);
    std::map<uintptr_t, Slot*> blocks_;  // first byte -> block
    mutable Slot* lastBlock_ = nullptr;  // the block slotOf() last found a record in
    Slot* free_ = nullptr;
    Slot* live_ = nullptr;      // doubly linked
    Slot* released_ = nullptr;  // singly linked through next
    size_t liveCount_ = 0;
    int failCountdown_ = 0;
};

// A copy of s in memory a record may own.
char* recordString(const char* s);
