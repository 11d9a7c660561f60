// A module that breaks the host's rules on purpose, one function per rule, so that tests
// can see the host catch each.
#include <windows.h>

#include "acdocman.h"
#include "adslib.h"
#include "rxapi.h"

namespace {

int leak()  // a list built and never released
{
    acedRetList(acutBuildList(RTSTR, "kept", 0));
    return RSRSLT;
}

int releaseTwice()
{
    resbuf* rb = acutNewRb(RTSHORT);
    acutRelRb(rb);
    acutRelRb(rb);
    acedRetNil();
    return RSRSLT;
}

int pushOnly()
{
    acDocManagerPtr()->pushResourceHandle(GetModuleHandleA(nullptr));
    acedRetNil();
    return RSRSLT;
}

int twoResults()
{
    acedRetNil();
    acedRetT();
    return RSRSLT;
}

int unclosedList()
{
    resbuf* rb = acutBuildList(RTLB, RTSTR, "a", 0);
    acedRetList(rb);
    acutRelRb(rb);
    return RSRSLT;
}

int failed()
{
    return RSERR;
}

int fault()
{
    volatile int* nowhere = nullptr;
    return *nowhere;
}

int keepArgs()  // takes the arguments and never releases them
{
    acedGetArgs();
    acedRetNil();
    return RSRSLT;
}

struct Row {
    const char* name;
    int (*fn)();
};

const Row rows[] = {
    {"rb_leak", leak},       {"rb_releasetwice", releaseTwice}, {"rb_pushonly", pushOnly},
    {"rb_tworesults", twoResults}, {"rb_unclosedlist", unclosedList}, {"rb_failed", failed},
    {"rb_fault", fault},     {"rb_keepargs", keepArgs},
};
const int rowCount = sizeof rows / sizeof rows[0];

}  // namespace

extern "C" __declspec(dllexport) unsigned acrxGetApiVersion() { return 0x000F0000; }

extern "C" __declspec(dllexport) AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode msg, void*)
{
    if (msg == AcRx::kLoadDwgMsg) {
        for (int k = 0; k < rowCount; ++k)
            acedDefun(rows[k].name, static_cast<short>(k + 1));
    } else if (msg == AcRx::kInvkSubrMsg) {
        int code = acedGetFunCode();
        if (code >= 1 && code <= rowCount) {
            if (rows[code - 1].fn != keepArgs)
                acutRelRb(acedGetArgs());
            acedSetFunResult(rows[code - 1].fn());
        }
    }
    return AcRx::kRetOK;
}
