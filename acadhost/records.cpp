#include "records.h"

#include <cstdlib>
#include <cstring>

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
}

resbuf* RecordPool::make(int type, bool injectable)
{
    if (injectable && failCountdown_ > 0 && --failCountdown_ == 0)
        return nullptr;
    resbuf* rb = static_cast<resbuf*>(std::calloc(1, sizeof(resbuf)));
    if (!rb)
        return nullptr;
    rb->restype = static_cast<short>(type);
    live_.insert(rb);
    return rb;
}

void RecordPool::destroy(resbuf* rb)
{
    if (rb->restype == RTSTR)
        std::free(rb->resval.rstring);
    std::free(rb);
}

bool RecordPool::release(resbuf* chain, std::string& problem)
{
    while (chain) {
        if (!live_.erase(chain)) {
            problem = released_.count(chain) ? "record released twice" : "released a record the host did not make";
            return false;
        }
        released_.insert(chain);
        chain = chain->rbnext;
    }
    return true;
}

size_t RecordPool::reclaimLive()
{
    size_t n = live_.size();
    for (resbuf* rb : live_)
        destroy(rb);
    live_.clear();
    return n;
}

void RecordPool::endCall()
{
    for (resbuf* rb : released_)
        destroy(rb);
    released_.clear();
}
