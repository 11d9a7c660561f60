// A test module built on the module's own argument readers and result builders: each
// function exercises one of them, or one host service, and shows what it got.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "acdocman.h"
#include "adslib.h"
#include "args.h"
#include "messages.h"
#include "results.h"
#include "rxapi.h"

namespace {

int readInt(resbuf* rb)
{
    int v;
    if (getIntArg(rb, v) && noMoreArgs(rb->rbnext))
        acedRetInt(v);
    return RTNORM;
}

int readReal(resbuf* rb)
{
    double v;
    if (getRealArg(rb, v) && noMoreArgs(rb->rbnext))
        acedRetReal(v);
    return RTNORM;
}

int readString(resbuf* rb)
{
    char buf[260];
    if (getStringArg(rb, buf) && noMoreArgs(rb->rbnext))
        acedRetStr(buf);
    return RTNORM;
}

// Watches for a write past the end of a small buffer.
int readString8(resbuf* rb)
{
    struct {
        char buf[8];
        char guard[8];
    } b;
    std::memset(&b, '#', sizeof b);
    if (!getStringArg(rb, b.buf, sizeof b.buf))
        return RTNORM;
    if (std::memcmp(b.guard, "########", 8) != 0)
        acutPrintf("probe: written past the buffer\n");
    acedRetStr(b.buf);
    return RTNORM;
}

int readPath(resbuf* rb)
{
    char buf[260];
    if (getPathArg(rb, buf) && noMoreArgs(rb->rbnext))
        acedRetStr(buf);
    return RTNORM;
}

int readChar(resbuf* rb)
{
    char c;
    if (getCharArg(rb, c) && noMoreArgs(rb->rbnext))
        acedRetInt(static_cast<unsigned char>(c));
    return RTNORM;
}

// (probe_list '(...)): the element count of a flat list.
int readList(resbuf* rb)
{
    if (!getListBegin(rb))
        return RTNORM;
    int n = 0;
    for (rb = rb->rbnext; rb && rb->restype != RTLE; rb = rb->rbnext)
        ++n;
    if (!rb)
        return report(MSG_LIST_END_EXPECTED), RTNORM;
    if (noMoreArgs(rb->rbnext))
        acedRetInt(n);
    return RTNORM;
}

// (probe_types ...): the type code of each argument record, as the host sent them.
int types(resbuf* rb)
{
    StringList list;
    for (; rb; rb = rb->rbnext) {
        char code[16];
        std::snprintf(code, sizeof code, "%d", rb->restype);
        if (!list.add(code))
            return report(MSG_NO_RESULT_BUFFER), RTNORM;
    }
    list.returnList();
    return RTNORM;
}

// (probe_strings n): "s1" ... "sn" as a flat list.
int strings(resbuf* rb)
{
    int n;
    if (!getIntArg(rb, n))
        return RTNORM;
    StringList list;
    for (int k = 1; k <= n; ++k)
        if (!list.add(("s" + std::to_string(k)).c_str()))
            return report(MSG_NO_RESULT_BUFFER), RTNORM;
    list.returnList();
    return RTNORM;
}

int headed(resbuf* rb)
{
    int n;
    if (!getIntArg(rb, n))
        return RTNORM;
    HeadedList list;
    if (!list.ok())
        return report(MSG_OUT_OF_MEMORY), RTNORM;
    for (int k = 1; k <= n; ++k)
        if (!list.add(("h" + std::to_string(k)).c_str()))
            return report(MSG_OUT_OF_MEMORY), RTNORM;
    list.returnList();
    return RTNORM;
}

int pairs(resbuf* rb)
{
    int n;
    if (!getIntArg(rb, n))
        return RTNORM;
    PairList list;
    if (!list.ok())
        return report(MSG_NO_RESULT_BUFFER), RTNORM;
    for (int k = 1; k <= n; ++k) {
        bool added = (k % 2) ? list.add(("p" + std::to_string(k)).c_str(), static_cast<short>(k))
                             : list.add(("p" + std::to_string(k)).c_str(), k + 0.5);
        if (!added)
            return report(MSG_NO_RESULT_BUFFER), RTNORM;
    }
    if (!list.returnList())
        report(MSG_NO_RESULT_BUFFER);
    return RTNORM;
}

// (probe_point): one point and one 3D point, as a list result.
int points(resbuf*)
{
    ads_point p = {1.5, 2.5, 3.5};
    resbuf* rb = acutBuildList(RTPOINT, p, RT3DPOINT, p, RTLONG, static_cast<int32_t>(100000), RTT, RTNIL, 0);
    returnAndRelease(rb);
    return RTNORM;
}

int getVar(resbuf* rb)
{
    char name[64];
    if (!getStringArg(rb, name))
        return RTNORM;
    resbuf value;
    if (acedGetVar(name, &value) != RTNORM)
        return acedRetNil(), RTNORM;
    acedRetInt(value.resval.rint);
    return RTNORM;
}

int setVar(resbuf* rb)
{
    char name[64];
    int v;
    if (!getStringArg(rb, name) || !getIntArg(rb->rbnext, v))
        return RTNORM;
    resbuf value;
    value.restype = RTSHORT;
    value.resval.rint = static_cast<short>(v);
    if (acedSetVar(name, &value) == RTNORM)
        acedRetT();
    else
        acedRetNil();
    return RTNORM;
}

int rgb(resbuf* rb)
{
    int index;
    if (getIntArg(rb, index))
        acedRetInt(static_cast<int>(acedGetRGB(index)));
    return RTNORM;
}

int meter(resbuf* rb)
{
    char label[64];
    int lo, hi;
    if (!getStringArg(rb, label) || !getIntArg(rb->rbnext, lo) || !getIntArg(rb->rbnext->rbnext, hi))
        return RTNORM;
    acedSetStatusBarProgressMeter(label, lo, hi);
    acedRetNil();
    return RTNORM;
}

int meterPos(resbuf* rb)
{
    int pos;
    if (getIntArg(rb, pos))
        acedRetInt(acedSetStatusBarProgressMeterPos(pos));
    return RTNORM;
}

int meterOff(resbuf*)
{
    acedRestoreStatusBar();
    acedRetNil();
    return RTNORM;
}

// (probe_queue "text"): queues the text in every open document, in iteration order.
int queue(resbuf* rb)
{
    char text[64];
    if (!getStringArg(rb, text))
        return RTNORM;
    AcApDocManager* docs = acDocManagerPtr();
    AcApDocumentIterator* it = docs->newAcApDocumentIterator();
    for (; !it->done(); it->step())
        docs->sendStringToExecute(it->document(), text, false, true, true);
    delete it;
    acedRetNil();
    return RTNORM;
}

int current(resbuf*)
{
    AcApDocument* doc = acDocManagerPtr()->curDocument();
    if (doc)
        acedRetStr(doc->fileName());
    else
        acedRetNil();
    return RTNORM;
}

int appName(resbuf*)
{
    acedRetStr(acedGetAppName());
    return RTNORM;
}

// (probe_platform): what the system says it is: (platform-id major minor).
int platform(resbuf*)
{
    OSVERSIONINFOA v = {};
    v.dwOSVersionInfoSize = sizeof v;
    GetVersionExA(&v);
    returnAndRelease(acutBuildList(RTSHORT, static_cast<int>(v.dwPlatformId), RTSHORT, static_cast<int>(v.dwMajorVersion),
                                   RTSHORT, static_cast<int>(v.dwMinorVersion), 0));
    return RTNORM;
}

int failed(resbuf*) { return RTERROR; }

int silent(resbuf*) { return RTNORM; }  // sets no result: the dispatcher's void stands

struct Row {
    const char* name;
    int (*handler)(resbuf*);
};

const Row rows[] = {
    {"probe_appname", appName}, {"probe_char", readChar},     {"probe_current", current},
    {"probe_failed", failed},   {"probe_getvar", getVar},     {"probe_headed", headed},
    {"probe_int", readInt},     {"probe_list", readList},     {"probe_meter", meter},
    {"probe_meteroff", meterOff}, {"probe_meterpos", meterPos}, {"probe_pairs", pairs},
    {"probe_path", readPath},   {"probe_platform", platform}, {"probe_points", points},     {"probe_queue", queue},
    {"probe_real", readReal},   {"probe_rgb", rgb},           {"probe_setvar", setVar},
    {"probe_silent", silent},   {"probe_string", readString}, {"probe_string8", readString8},
    {"probe_strings", strings}, {"probe_types", types},
};
const int rowCount = sizeof rows / sizeof rows[0];

class Reactor : public AcApDocManagerReactor {
public:
    void documentToBeDestroyed(AcApDocument* doc) override { acutPrintf("probe: %s to be destroyed\n", doc->fileName()); }
} reactor;

}  // namespace

extern "C" __declspec(dllexport) unsigned acrxGetApiVersion() { return 0x000F0000; }

extern "C" __declspec(dllexport) AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode msg, void*)
{
    AcApDocument* doc = acDocManagerPtr()->curDocument();
    switch (msg) {
    case AcRx::kInitAppMsg:
        acDocManagerPtr()->addReactor(&reactor);
        acutPrintf("probe: initialise\n");
        break;
    case AcRx::kUnloadAppMsg:
        acDocManagerPtr()->removeReactor(&reactor);
        acutPrintf("probe: unload\n");
        break;
    case AcRx::kLoadDwgMsg:
        acutPrintf("probe: load %s\n", doc->fileName());
        for (int k = 0; k < rowCount; ++k)
            acedDefun(rows[k].name, static_cast<short>(k + 1));
        break;
    case AcRx::kUnloadDwgMsg:
        acutPrintf("probe: unload %s\n", doc->fileName());
        break;
    case AcRx::kInvkSubrMsg: {
        acedRetVoid();
        int code = acedGetFunCode();
        resbuf* args = acedGetArgs();
        int status = rows[code - 1].handler(args);
        acutRelRb(args);
        acedSetFunResult(status == RTNORM ? RSRSLT : RSERR);
        break;
    }
    default: break;
    }
    return AcRx::kRetOK;
}
