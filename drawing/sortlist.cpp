// kel_sortlist: a list of numbers or of strings in ascending order, up to "MAXSORT" elements.
#include "adslib.h"
#include "args.h"
#include "handlers.h"
#include "messages.h"
#include "results.h"
#include "sortlistcore.h"

namespace {

bool sortable(int type) { return type == RTREAL || type == RTSHORT || type == RTSTR; }

// A new record with the value of rb. Points and 32-bit integers keep their values too, so
// that a list handed back unsorted is the list that came.
resbuf* copyRecord(const resbuf* rb)
{
    if (rb->restype == RTSTR)
        return acutBuildList(RTSTR, rb->resval.rstring, 0);  // storage the host's release frees
    resbuf* copy = acutNewRb(rb->restype);
    if (!copy)
        return nullptr;
    switch (rb->restype) {
    case RTREAL:
    case RTSHORT:
    case RTLONG:
    case RTPOINT:
    case RT3DPOINT: copy->resval = rb->resval; break;
    default: break;
    }
    return copy;
}

// The records to sort, and how many of them count against the limit. A point (a list of two
// or three numbers, as the host sends it) stands for its coordinates, as reals; what follows
// it is dropped, as after a list.
bool copyArguments(Args& in, resbuf*& head, int& count)
{
    head = nullptr;
    resbuf* tail = nullptr;
    count = 0;
    auto link = [&](resbuf* rb) {
        (tail ? tail->rbnext : head) = rb;
        tail = rb;
    };
    const resbuf* rb;
    if (in.at(RTPOINT) || in.at(RT3DPOINT)) {
        in.take(rb);
        int n = rb->restype == RTPOINT ? 2 : 3;
        for (int k = 0; k < n; ++k) {
            resbuf* coordinate = acutNewRb(RTREAL);
            if (!coordinate)
                return false;
            coordinate->resval.rreal = rb->resval.rpoint[k];
            link(coordinate);
        }
        count = n;
        return true;
    }
    while (in.take(rb)) {
        resbuf* copy = copyRecord(rb);
        if (!copy)
            return false;
        link(copy);
        if (sortable(rb->restype))
            ++count;
    }
    return true;
}

// Drops the list-begin at the head and cuts the chain at the first list-end, releasing the
// list-end and what follows it. False for a list inside the list.
bool stripListMarks(resbuf*& head)
{
    if (head && head->restype == RTLB) {
        resbuf* begin = head;
        head = head->rbnext;
        begin->rbnext = nullptr;
        acutRelRb(begin);
    }
    resbuf** link = &head;
    for (; *link; link = &(*link)->rbnext) {
        if ((*link)->restype == RTLB)
            return false;
        if ((*link)->restype == RTLE) {
            acutRelRb(*link);
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
    resbuf* list;
    int count;
    if (!copyArguments(in, list, count)) {
        acutRelRb(list);
        return fail(MSG_NO_RESULT_BUFFER);
    }
    if (count > limit)
        return giveList(list);
    bool nested = !stripListMarks(list);
    if (nested || !list || (list->restype == RTNIL && !list->rbnext)) {
        acutRelRb(list);  // a nested list, or an empty one
        return giveNil();
    }
    SortResult sorted = sortChain(list);
    if (sorted == SortResult::Sorted)
        return giveList(list);
    acutRelRb(list);
    return sorted == SortResult::MixedTypes ? giveNil() : fail(MSG_NO_RESULT_BUFFER);
}
