// The list pickers' readers over any chain: each item fits its buffer, the check list has
// one flag, 0 or 1, an item, and a list read whole ends at its list-end record.
#include <cstdlib>
#include <cstring>

#include "args.h"
#include "chain.h"
#include "listelements.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzBytes in(data, size);
    bool checks = in.byte() & 1;
    resbuf* chain = fuzzChain(in);
    PickArgs pick;
    Args args(chain);
    if (readHead(args, pick)) {
        if (std::strlen(pick.title) >= sizeof pick.title || pick.prompt.size() >= 256)
            std::abort();
        if (checks ? readChecks(args, pick) : readStrings(args, pick)) {
            args.end();
            if (checks && pick.checks.size() != pick.items.size())
                std::abort();
        }
        for (const std::string& item : pick.items)
            if (item.size() >= 256)
                std::abort();
        for (short flag : pick.checks)
            if (flag != 0 && flag != 1)
                std::abort();
    }
    freeChain(chain);
    return 0;
}
