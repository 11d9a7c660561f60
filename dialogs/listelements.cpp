#include "listelements.h"

#include "args.h"
#include "messages.h"

bool readHead(const resbuf*& rb, PickArgs& pick)
{
    char prompt[256];
    if (!getStringArg(rb, pick.title) || !getStringArg(rb = rb->rbnext, prompt) || !getListBegin(rb = rb->rbnext))
        return false;
    pick.prompt = prompt;
    rb = rb->rbnext;
    return true;
}

bool readStrings(const resbuf*& rb, PickArgs& pick)
{
    char item[256];
    for (; !rb || rb->restype != RTLE; rb = rb->rbnext) {
        if (!getStringArg(rb, item))
            return false;
        pick.items.push_back(item);
    }
    rb = rb->rbnext;
    return true;
}

bool readChecks(const resbuf*& rb, PickArgs& pick)
{
    char item[256];
    int flag;
    for (; !rb || rb->restype != RTLE; rb = rb->rbnext) {
        if (!getListBegin(rb) || !getStringArg(rb = rb->rbnext, item) || !getIntArg(rb = rb->rbnext, flag))
            return false;
        rb = rb->rbnext;
        if (!rb || (rb->restype != RTLE && rb->restype != RTDOTE))
            return report(MSG_LIST_END_EXPECTED);
        pick.items.push_back(item);
        pick.checks.push_back(flag > 0 ? 1 : 0);
    }
    rb = rb->rbnext;
    return true;
}

bool listEnds(const resbuf* rb)
{
    return !rb || report(MSG_TOO_MANY);
}
