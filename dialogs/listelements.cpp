#include "listelements.h"

#include "args.h"
#include "messages.h"

bool readHead(Args& in, PickArgs& pick)
{
    char prompt[256];
    if (!in.string(pick.title) || !in.string(prompt) || !in.listBegin())
        return false;
    pick.prompt = prompt;
    return true;
}

bool readStrings(Args& in, PickArgs& pick)
{
    char item[256];
    while (!in.pass(RTLE)) {
        if (!in.string(item))
            return false;
        pick.items.push_back(item);
    }
    return true;
}

bool readChecks(Args& in, PickArgs& pick)
{
    char item[256];
    int flag;
    while (!in.pass(RTLE)) {
        // ("item" 1), or the dotted pair ("item" . 1) the dialog itself gives back.
        if (!in.listBegin() || !in.string(item))
            return false;
        bool dotted = in.pass(RTDOTE);
        if (!in.integer(flag))
            return false;
        if (!in.pass(RTLE) && (dotted || !in.pass(RTDOTE)))
            return report(MSG_LIST_END_EXPECTED);
        pick.items.push_back(item);
        pick.checks.push_back(flag > 0 ? 1 : 0);
    }
    return true;
}
