// kel_sortlist: a list of numbers or of strings in ascending order, up to "MAXSORT" elements.
#include "adslib.h"
#include "args.h"
#include "handlers.h"
#include "messages.h"
#include "results.h"
#include "sortlistcore.h"

#include <new>

namespace {

bool sortable(int type) { return type == RTREAL || type == RTSHORT || type == RTSTR; }

// The records to sort, and how many of them count against the limit: copies of the argument
// records in records of the module's own (a record of the host's costs an allocation and a
// release, more than its share of the sort), strings pointing at the arguments' text, which
// lasts the call. A point (a list of two or three numbers, as the host sends it) stands for
// its coordinates, as reals; what follows it is dropped, as after a list. Throws
// std::bad_alloc when there is no room.
resbuf* copyArguments(Args& in, int& count)
{
    const resbuf* rb;
    if (in.at(RTPOINT) || in.at(RT3DPOINT)) {
        in.take(rb);
        count = rb->restype == RTPOINT ? 2 : 3;
        resbuf* head = keptRecords(count);
        int k = 0;
        for (resbuf* coordinate = head; coordinate; coordinate = coordinate->rbnext) {
            coordinate->restype = RTREAL;
            coordinate->resval.rreal = rb->resval.rpoint[k++];
        }
        return head;
    }
    size_t n = 0;
    for (Args look = in; look.take(rb);)
        ++n;
    resbuf* head = keptRecords(n);
    count = 0;
    for (resbuf* copy = head; in.take(rb); copy = copy->rbnext) {
        copy->restype = rb->restype;
        copy->resval = rb->resval;
        count += sortable(rb->restype);
    }
    return head;
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
