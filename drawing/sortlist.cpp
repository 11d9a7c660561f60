// kel_sortlist: a list of numbers or of strings in ascending order, up to "MAXSORT" elements.
#include "adslib.h"
#include "args.h"
#include "handlers.h"
#include "messages.h"
#include "results.h"
#include "sortlistcore.h"

#include <new>
#include <vector>

namespace {

bool sortable(int type) { return type == RTREAL || type == RTSHORT || type == RTSTR; }

// The records sorted and handed back are the module's own, in scratch kept from one call to
// the next: a record of the host's costs an allocation and a release, more than its share of
// the sort. Each is a copy of an argument record, strings pointing at the argument's text,
// which lasts the call; the host copies the list it is handed back. The scratch holds no
// values between calls.
std::vector<resbuf>& scratchRecords(size_t n)
{
    static std::vector<resbuf> records;
    if (records.size() < n)
        records.resize(n);
    return records;
}

// Links the first n records of the scratch into a chain, in order.
resbuf* chain(std::vector<resbuf>& records, size_t n)
{
    for (size_t k = 0; k + 1 < n; ++k)
        records[k].rbnext = &records[k + 1];
    records[n - 1].rbnext = nullptr;
    return &records[0];
}

// The records to sort, and how many of them count against the limit. A point (a list of two
// or three numbers, as the host sends it) stands for its coordinates, as reals; what follows
// it is dropped, as after a list. Throws std::bad_alloc when there is no room.
resbuf* copyArguments(Args& in, int& count)
{
    const resbuf* rb;
    if (in.at(RTPOINT) || in.at(RT3DPOINT)) {
        in.take(rb);
        count = rb->restype == RTPOINT ? 2 : 3;
        std::vector<resbuf>& records = scratchRecords(count);
        for (int k = 0; k < count; ++k) {
            records[k].restype = RTREAL;
            records[k].resval.rreal = rb->resval.rpoint[k];
        }
        return chain(records, count);
    }
    size_t n = 0;
    for (Args look = in; look.take(rb);)
        ++n;
    std::vector<resbuf>& records = scratchRecords(n);
    count = 0;
    for (size_t k = 0; in.take(rb); ++k) {
        records[k] = *rb;
        count += sortable(rb->restype);
    }
    return chain(records, n);
}

// Steps past the list-begin at the head and cuts the chain at the first list-end. False for
// a list inside the list.
bool stripListMarks(resbuf*& head)
{
    if (head && head->restype == RTLB)
        head = head->rbnext;
    for (resbuf** link = &head; *link; link = &(*link)->rbnext) {
        if ((*link)->restype == RTLB)
            return false;
        if ((*link)->restype == RTLE) {
            *link = nullptr;
            break;
        }
    }
    return true;
}

int maxSort()
{
    resbuf value;
    if (acedGetVar("MAXSORT", &value) != RTNORM || value.restype != RTSHORT)
        return 32767;  // no limit to be had: sort
    return value.resval.rint;
}

}  // namespace

int kelSortlist(struct resbuf* args)
{
    Args in(args);
    if (!in.more())
        return fail(MSG_LIST_EXPECTED);
    int limit = maxSort();
    int count;
    resbuf* list;
    try {
        list = copyArguments(in, count);
    } catch (const std::bad_alloc&) {
        return fail(MSG_NO_RESULT_BUFFER);
    }
    if (count > limit)
        return giveListKept(list);
    if (!stripListMarks(list) || !list || (list->restype == RTNIL && !list->rbnext))
        return giveNil();  // a nested list, or an empty one
    SortResult sorted = sortChain(list);
    if (sorted == SortResult::Sorted)
        return giveListKept(list);
    return sorted == SortResult::MixedTypes ? giveNil() : fail(MSG_NO_RESULT_BUFFER);
}
