#include "records.h"

#include <cstdlib>
#include <cstring>

namespace {

const size_t kBlockSlots = 4096;
const uint32_t kFree = 0, kLive = 0x4C495645, kReleased = 0x52454C53;

}  // namespace

char* recordString(const char* s)
{
    size_t n = std::strlen(s) + 1;
    char* copy = static_cast<char*>(std::malloc(n));
    if (copy)
        std::memcpy(copy, s, n);
    return copy;
}

RecordPool::~RecordPool()
{
    reclaimLive();
    endCall();
    for (auto& b : blocks_)
        std::free(b.second);
}

resbuf* RecordPool::make(int type, bool injectable)
{
    if (injectable && failCountdown_ > 0 && --failCountdown_ == 0)
        return nullptr;
    if (!free_) {
        Slot* block = static_cast<Slot*>(std::calloc(kBlockSlots, sizeof(Slot)));
        if (!block)
            return nullptr;
        blocks_[reinterpret_cast<uintptr_t>(block)] = block;
        for (size_t k = 0; k < kBlockSlots; ++k) {
            block[k].next = free_;
            free_ = &block[k];
        }
    }
    Slot* s = free_;
    free_ = s->next;
    std::memset(&s->rb, 0, sizeof s->rb);
    s->rb.restype = static_cast<short>(type);
    s->state = kLive;
    s->prev = nullptr;
    s->next = live_;
    if (live_)
        live_->prev = s;
    live_ = s;
    ++liveCount_;
    return &s->rb;
}

RecordPool::Slot* RecordPool::slotOf(resbuf* rb) const
{
    // The records of a chain lie mostly in one block: the block last found is tried first.
    uintptr_t p = reinterpret_cast<uintptr_t>(rb);
    uintptr_t offset = p - reinterpret_cast<uintptr_t>(lastBlock_);
    if (!lastBlock_ || offset >= kBlockSlots * sizeof(Slot)) {
        auto it = blocks_.upper_bound(p);
        if (it == blocks_.begin())
            return nullptr;
        --it;
        offset = p - it->first;
        if (offset >= kBlockSlots * sizeof(Slot))
            return nullptr;
        lastBlock_ = it->second;
    }
    if (offset % sizeof(Slot) != offsetof(Slot, rb))
        return nullptr;
    return lastBlock_ + offset / sizeof(Slot);
}

void RecordPool::unlinkLive(Slot* s)
{
    (s->prev ? s->prev->next : live_) = s->next;
    if (s->next)
        s->next->prev = s->prev;
    --liveCount_;
}

void RecordPool::recycle(Slot* s)
{
    if (s->rb.restype == RTSTR)
        std::free(s->rb.resval.rstring);
    s->state = kFree;
    s->next = free_;
    free_ = s;
}

bool RecordPool::release(resbuf* chain, std::string& problem)
{
    while (chain) {
        Slot* s = slotOf(chain);
        if (!s || s->state != kLive) {
            problem = s && s->state == kReleased ? "record released twice" : "released a record the host did not make";
            return false;
        }
        resbuf* next = chain->rbnext;
        unlinkLive(s);
        s->state = kReleased;
        s->next = released_;
        released_ = s;
        chain = next;
    }
    return true;
}

size_t RecordPool::reclaimLive()
{
    size_t n = liveCount_;
    while (live_) {
        Slot* s = live_;
        unlinkLive(s);
        recycle(s);
    }
    return n;
}

void RecordPool::endCall()
{
    size_t n = 0;
    for (; released_; ++n) {
        Slot* s = released_;
        released_ = s->next;
        recycle(s);
    }
    // After a long list, the free slots are in the order it was released (a sorted list:
    // any order); put them back in address order, so that the next long list is made of
    // neighbouring slots and is quick to walk.
    if (n < kBlockSlots / 4)
        return;
    free_ = nullptr;
    for (auto b = blocks_.rbegin(); b != blocks_.rend(); ++b)
        for (size_t k = kBlockSlots; k-- > 0;)
            if (b->second[k].state == kFree) {
                b->second[k].next = free_;
                free_ = &b->second[k];
            }
}
