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
    Args in(rb);
    int v;
    if (!in.integer(v) || !in.end())
        return stopped();
    return giveInt(v);
}

int readReal(resbuf* rb)
{
    Args in(rb);
    double v;
    if (!in.real(v) || !in.end())
        return stopped();
    return giveReal(v);
}

int readString(resbuf* rb)
{
    Args in(rb);
    char buf[260];
    if (!in.string(buf) || !in.end())
        return stopped();
    return giveString(buf);
}

// Watches for a write past the end of a small buffer.
int readString8(resbuf* rb)
{
    struct {
        char buf[8];
        char guard[8];
    } b;
    std::memset(&b, '#', sizeof b);
    if (!Args(rb).string(b.buf, sizeof b.buf))
        return stopped();
    if (std::memcmp(b.guard, "########", 8) != 0)
        acutPrintf("probe: written past the buffer\n");
    return giveString(b.buf);
}

int readPath(resbuf* rb)
{
    Args in(rb);
    char buf[260];
    if (!in.path(buf) || !in.end())
        return stopped();
    return giveString(buf);
}

int readChar(resbuf* rb)
{
    Args in(rb);
    char c;
    if (!in.drive(c) || !in.end())
        return stopped();
    return giveInt(static_cast<unsigned char>(c));
}

// (probe_list '(...)): the element count of a flat list.
int readList(resbuf* rb)
{
    Args in(rb);
    if (!in.listBegin())
        return stopped();
    int n = 0;
    for (; !in.pass(RTLE); ++n) {
        if (!in.more())
            return fail(MSG_LIST_END_EXPECTED);
        in.skip();
    }
    if (!in.end())
        return stopped();
    return giveInt(n);
}

// (probe_types ...): the type code of each argument record, as the host sent them.
int types(resbuf* rb)
{
    Args in(rb);
    StringList list;
    for (const resbuf* record; in.take(record);) {
        char code[16];
        std::snprintf(code, sizeof code, "%d", record->restype);
        if (!list.add(code))
            return fail(MSG_NO_RESULT_BUFFER);
    }
    return list.give();
}

// (probe_strings n): "s1" ... "sn" as a flat list.
int strings(resbuf* rb)
{
    int n;
    if (!Args(rb).integer(n))
        return stopped();
    StringList list;
    for (int k = 1; k <= n; ++k)
        if (!list.add(("s" + std::to_string(k)).c_str()))
            return fail(MSG_NO_RESULT_BUFFER);
    return list.give();
}

int headed(resbuf* rb)
{
    int n;
    if (!Args(rb).integer(n))
        return stopped();
    HeadedList list;
    if (!list.ok())
        return fail(MSG_OUT_OF_MEMORY);
    for (int k = 1; k <= n; ++k)
        if (!list.add(("h" + std::to_string(k)).c_str()))
            return fail(MSG_OUT_OF_MEMORY);
    return list.give();
}

int pairs(resbuf* rb)
{
    int n;
    if (!Args(rb).integer(n))
        return stopped();
    PairList list;
    if (!list.ok())
        return fail(MSG_NO_RESULT_BUFFER);
    for (int k = 1; k <= n; ++k) {
        bool added = (k % 2) ? list.add(("p" + std::to_string(k)).c_str(), static_cast<short>(k))
                             : list.add(("p" + std::to_string(k)).c_str(), k + 0.5);
        if (!added)
            return fail(MSG_NO_RESULT_BUFFER);
    }
    return list.give();
}

// (probe_point): one point and one 3D point, as a list result.
int points(resbuf*)
{
    ads_point p = {1.5, 2.5, 3.5};
    return giveList(acutBuildList(RTPOINT, p, RT3DPOINT, p, RTLONG, static_cast<int32_t>(100000), RTT, RTNIL, 0));
}

int getVar(resbuf* rb)
{
    char name[64];
    if (!Args(rb).string(name))
        return stopped();
    resbuf value;
    if (acedGetVar(name, &value) != RTNORM)
        return giveNil();
    return giveInt(value.resval.rint);
}

int setVar(resbuf* rb)
{
    Args in(rb);
    char name[64];
    int v;
    if (!in.string(name) || !in.integer(v))
        return stopped();
    resbuf value;
    value.restype = RTSHORT;
    value.resval.rint = static_cast<short>(v);
    return giveBool(acedSetVar(name, &value) == RTNORM);
}

int rgb(resbuf* rb)
{
    int index;
    if (!Args(rb).integer(index))
        return stopped();
    return giveInt(static_cast<int>(acedGetRGB(index)));
}

int meter(resbuf* rb)
{
    Args in(rb);
    char label[64];
    int lo, hi;
    if (!in.string(label) || !in.integer(lo) || !in.integer(hi))
        return stopped();
    acedSetStatusBarProgressMeter(label, lo, hi);
    return giveNil();
}

int meterPos(resbuf* rb)
{
    int pos;
    if (!Args(rb).integer(pos))
        return stopped();
    return giveInt(acedSetStatusBarProgressMeterPos(pos));
}

int meterOff(resbuf*)
{
    acedRestoreStatusBar();
    return giveNil();
}

// (probe_queue "text"): queues the text in every open document, in iteration order.
int queue(resbuf* rb)
{
    char text[64];
    if (!Args(rb).string(text))
        return stopped();
    AcApDocManager* docs = acDocManagerPtr();
    AcApDocumentIterator* it = docs->newAcApDocumentIterator();
    for (; !it->done(); it->step())
        docs->sendStringToExecute(it->document(), text, false, true, true);
    delete it;
    return giveNil();
}

int current(resbuf*)
{
    AcApDocument* doc = acDocManagerPtr()->curDocument();
    if (!doc)
        return giveNil();
    return giveString(doc->fileName());
}

int appName(resbuf*)
{
    return giveString(acedGetAppName());
}

// (probe_platform): what the system says it is: (platform-id major minor).
int platform(resbuf*)
{
    OSVERSIONINFOA v = {};
    v.dwOSVersionInfoSize = sizeof v;
    GetVersionExA(&v);
    return giveList(acutBuildList(RTSHORT, static_cast<int>(v.dwPlatformId), RTSHORT, static_cast<int>(v.dwMajorVersion),
                                  RTSHORT, static_cast<int>(v.dwMinorVersion), 0));
}

int failed(resbuf*) { return RTERROR; }

int silent(resbuf*) { return giveNothing(); }  // sets no result: the dispatcher's void stands

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
