// The operations the host exports to its modules.
#include <cstdarg>
#include <cstdio>

#include "adslib.h"
#include "adswin.h"
#include "bridge.h"
#include "host.h"
#include "palette.h"
#include "registry.h"

namespace {

CallState* currentCall() { return theHost ? theHost->call : nullptr; }

int setResult(lisp::Value v, bool isVoid = false)
{
    CallState* c = currentCall();
    if (!c)
        return RTERROR;
    if (c->results == 0 && isVoid)
        c->firstWasVoid = true;
    ++c->results;
    c->resultVoid = isVoid;
    c->result = std::move(v);
    return RTNORM;
}

}  // namespace

extern "C" {

int acedDefun(const char* name, short funcode)
{
    Document* doc = theHost->docs.current();
    if (!doc || !name || !*name || theHost->failing("acedDefun"))
        return RTERROR;
    doc->define(lisp::toUpper(name), Document::Function{funcode, name});
    return RTNORM;
}

int acedUndef(const char* name, short funcode)
{
    Document* doc = theHost->docs.current();
    if (!doc || !name)
        return RTERROR;
    return doc->undefine(lisp::toUpper(name), funcode) ? RTNORM : RTERROR;
}

int acedGetFunCode(void)
{
    CallState* c = currentCall();
    return c ? c->funcode : RTERROR;
}

struct resbuf* acedGetArgs(void)
{
    CallState* c = currentCall();
    if (!c || c->argsHanded)
        return nullptr;
    c->argsHanded = true;
    return c->args;
}

int acedRetNil(void) { return setResult(nullptr); }
int acedRetT(void) { return setResult(lisp::symT()); }
int acedRetVoid(void) { return setResult(nullptr, true); }
int acedRetStr(const char* s) { return setResult(lisp::makeStr(s ? s : "")); }
int acedRetInt(int value) { return setResult(lisp::makeInt(value)); }
int acedRetReal(ads_real value) { return setResult(lisp::makeReal(value)); }

int acedRetList(const struct resbuf* chain)
{
    lisp::Value v;
    std::string problem;
    if (!chainValue(chain, v, problem)) {
        theHost->selfCheck(currentCall() ? currentCall()->what : "acedRetList", problem);
        v = nullptr;
    }
    return setResult(v);
}

void acedSetFunResult(int rs)
{
    if (CallState* c = currentCall())
        c->dispatch = rs;
}

struct resbuf* acutBuildList(int rtype, ...)
{
    RecordPool& pool = theHost->pool;
    resbuf *head = nullptr, *tail = nullptr;
    bool failed = false;
    va_list ap;
    va_start(ap, rtype);
    for (int type = rtype; type != 0 && !failed; type = va_arg(ap, int)) {
        resbuf* rb = pool.make(type);
        if (!rb) {
            failed = true;
            break;
        }
        switch (type) {
        case RTSHORT: rb->resval.rint = static_cast<short>(va_arg(ap, int)); break;
        case RTLONG: rb->resval.rlong = va_arg(ap, int32_t); break;
        case RTREAL: rb->resval.rreal = va_arg(ap, double); break;
        case RTSTR: {
            const char* s = va_arg(ap, const char*);
            rb->resval.rstring = recordString(s ? s : "");
            break;
        }
        case RTPOINT:
        case RT3DPOINT: {
            const ads_real* p = va_arg(ap, const ads_real*);
            rb->resval.rpoint[0] = p[0];
            rb->resval.rpoint[1] = p[1];
            rb->resval.rpoint[2] = type == RT3DPOINT ? p[2] : 0.0;
            break;
        }
        default: break;  // list marks, nil, T and void carry no value
        }
        (tail ? tail->rbnext : head) = rb;
        tail = rb;
    }
    va_end(ap);
    if (failed) {
        std::string ignored;
        pool.release(head, ignored);
        return nullptr;
    }
    return head;
}

struct resbuf* acutNewRb(int rtype) { return theHost->pool.make(rtype); }

int acutRelRb(struct resbuf* chain)
{
    std::string problem;
    if (!theHost->pool.release(chain, problem)) {
        theHost->selfCheck(currentCall() ? currentCall()->what : "acutRelRb", problem);
        return RTERROR;
    }
    return RTNORM;
}

int acutPrintf(const char* format, ...)
{
    va_list ap;
    va_start(ap, format);
    va_list again;
    va_copy(again, ap);
    int n = std::vsnprintf(nullptr, 0, format, ap);
    std::string text(n > 0 ? n : 0, '\0');
    if (n > 0)
        std::vsnprintf(&text[0], text.size() + 1, format, again);
    va_end(again);
    va_end(ap);
    if (theHost)
        theHost->print(text);
    return n;
}

int acedGetVar(const char* name, struct resbuf* result)
{
    if (!name || !result)
        return RTERROR;
    auto it = theHost->shortVars.find(lisp::toUpper(name));
    if (it == theHost->shortVars.end())
        return RTERROR;
    result->restype = RTSHORT;
    result->resval.rint = it->second;
    return RTNORM;
}

int acedSetVar(const char* name, const struct resbuf* value)
{
    if (!name || !value)
        return RTERROR;
    auto it = theHost->shortVars.find(lisp::toUpper(name));
    if (it == theHost->shortVars.end() || value->restype != RTSHORT)
        return RTERROR;
    it->second = value->resval.rint;
    return RTNORM;
}

unsigned long acedGetRGB(int colorIndex) { return paletteColor(colorIndex); }

int acedSetStatusBarProgressMeter(const char* label, int minPos, int maxPos)
{
    Meter& m = theHost->meter;
    m.shown = true;
    m.label = label ? label : "";
    m.minPos = minPos;
    m.maxPos = maxPos;
    m.pos = minPos;
    showMeter(*theHost);
    return 0;
}

int acedSetStatusBarProgressMeterPos(int pos)
{
    Meter& m = theHost->meter;
    if (!m.shown)
        return -1;
    m.pos = pos;
    showMeter(*theHost);
    return 0;
}

void acedRestoreStatusBar(void)
{
    theHost->meter = Meter();
    showMeter(*theHost);
}

const char* acedGetAppName(void) { return theHost->modulePath.c_str(); }

HWND adsw_acadMainWnd(void) { return theHost->frame; }
HWND acedGetAcadFrame(void) { return theHost->frame; }

void InitAcUiDLL(void) {}

AcApDocManager* acDocManagerPtr(void) { return &theHost->docs; }

int acrxRegisterApp(int loadReasons, const char* appName, const char* section, int, bool)
{
    if (!appName || !section || theHost->failing("acrxRegisterApp"))
        return 1;
    std::string key = std::string(section) + "\\" + appName;
    CKey h;
    if (h.Create(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_WRITE) != ERROR_SUCCESS)
        return 1;
    DWORD reasons = static_cast<DWORD>(loadReasons);
    LONG rc = RegSetValueExA(h, "LOADCTRLS", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&reasons), sizeof reasons);
    return rc == ERROR_SUCCESS ? 0 : 1;
}

}  // extern "C"
