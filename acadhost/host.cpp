#include "host.h"

#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>

#include "bridge.h"
#include "palette.h"

Host* theHost = nullptr;

namespace {

const unsigned kApiVersion = 0x000F0000;

// How a queued string shows on the command line: quoted, control bytes as ^C.
std::string shown(const std::string& text)
{
    std::string out = "\"";
    for (char ch : text) {
        unsigned char u = static_cast<unsigned char>(ch);
        if (u < 32)
            out += std::string("^") + static_cast<char>(u + 64);
        else if (ch == '"' || ch == '\\')
            out += std::string("\\") + ch;
        else
            out += ch;
    }
    return out + "\"";
}

std::string commandName(const std::string& token)
{
    size_t k = token.find_first_not_of("_.");
    return lisp::toUpper(k == std::string::npos ? std::string() : token.substr(k));
}

// The Unix file descriptors the process has open, as Wine shows /proc; -1 without it.
int32_t openDescriptors()
{
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA("Z:\\proc\\self\\fd\\*", &entry);
    if (search == INVALID_HANDLE_VALUE)
        return -1;
    int32_t count = 0;
    do {
        if (entry.cFileName[0] != '.')
            ++count;
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    return count;
}

// Top-level windows made on the host's thread since the counting began: lets a test see
// that a call opened no window.
long topLevelWindowsMade;
HHOOK windowCounter;

LRESULT CALLBACK countWindow(int code, WPARAM wp, LPARAM lp)
{
    if (code == HCBT_CREATEWND && !(reinterpret_cast<CBT_CREATEWNDA*>(lp)->lpcs->style & WS_CHILD))
        ++topLevelWindowsMade;
    return CallNextHookEx(windowCounter, code, wp, lp);
}

// WM_PAINT messages each window has been handed since the counting began, sent or taken
// from the queue: lets a test see that a call repainted nothing.
std::map<HWND, long> paintsSeen;
HHOOK sentPaints, queuedPaints;

LRESULT CALLBACK countSentPaint(int code, WPARAM wp, LPARAM lp)
{
    if (code == HC_ACTION && reinterpret_cast<CWPSTRUCT*>(lp)->message == WM_PAINT)
        ++paintsSeen[reinterpret_cast<CWPSTRUCT*>(lp)->hwnd];
    return CallNextHookEx(sentPaints, code, wp, lp);
}

LRESULT CALLBACK countQueuedPaint(int code, WPARAM wp, LPARAM lp)
{
    if (code == HC_ACTION && wp == PM_REMOVE && reinterpret_cast<MSG*>(lp)->message == WM_PAINT)
        ++paintsSeen[reinterpret_cast<MSG*>(lp)->hwnd];
    return CallNextHookEx(queuedPaints, code, wp, lp);
}

// The name of a system cursor, or OTHER.
const char* cursorName(HCURSOR cursor)
{
    static const struct {
        LPCSTR id;
        const char* name;
    } known[] = {{IDC_ARROW, "ARROW"},   {IDC_WAIT, "WAIT"},     {IDC_APPSTARTING, "APPSTARTING"},
                 {IDC_IBEAM, "IBEAM"},   {IDC_CROSS, "CROSS"},   {IDC_SIZEWE, "SIZEWE"},
                 {IDC_SIZENS, "SIZENS"}, {IDC_SIZENWSE, "SIZENWSE"}, {IDC_NO, "NO"}};
    for (const auto& k : known)
        if (cursor == LoadCursorA(nullptr, k.id))
            return k.name;
    return "OTHER";
}

LONG WINAPI reportFault(EXCEPTION_POINTERS* info)
{
    const char* what = theHost && theHost->call ? theHost->call->what.c_str() : "module";
    std::fflush(stdout);
    std::fprintf(stderr, "acadhost: %s: fault 0x%08lX at %p\n", what, info->ExceptionRecord->ExceptionCode,
                 info->ExceptionRecord->ExceptionAddress);
    std::fflush(stderr);
    ExitProcess(3);
    return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

Host::Host()
{
    theHost = this;
    shortVars = {{"MAXSORT", 1000}, {"CURSORSIZE", 5}, {"PICKBOX", 3}};
    lisp.external = [this](const std::string& name, lisp::Args& args, lisp::Value& result) {
        return callFunction(name, args, result);
    };
    lisp.externalDefined = [this](const std::string& name) {
        return module && docs.current() && docs.current()->functions.count(name) > 0;
    };
    defineHostBuiltins();
    SetUnhandledExceptionFilter(reportFault);
}

Host::~Host() { theHost = nullptr; }

void Host::selfCheck(const std::string& what, const std::string& problem)
{
    std::fflush(stdout);
    std::fprintf(stderr, "acadhost: %s: %s\n", what.c_str(), problem.c_str());
    std::fflush(stderr);
    selfCheckFailed_ = true;
}

void Host::failAfter(const std::string& op, int n)
{
    if (op == "alloc")
        pool.failAfter(n);
    else
        faults_[op] = n;
}

bool Host::failing(const char* op)
{
    auto it = faults_.find(op);
    if (it == faults_.end() || it->second <= 0)
        return false;
    return --it->second == 0;
}

void Host::printError(const std::string& message)
{
    std::printf("; error: %s\n", message.c_str());
    std::fflush(stdout);
}

namespace {

// Runs one call into the module and checks what it left behind.
template <class Call>
int guarded(Host& host, const std::string& what, CallState* c, Call fn)
{
    CallState* outer = host.call;
    CallState local;
    if (!c)
        local.what = what;
    host.call = c ? c : &local;
    size_t depth = host.docs.resourceDepth();
    int rc = fn();
    CallState* done = host.call;
    host.call = outer;

    if (c && !c->argsHanded) {
        std::string ignored;
        host.pool.release(c->args, ignored);  // never taken: still the host's
    }
    int results = done->results - (done->firstWasVoid ? 1 : 0);
    if (c && results > 1)
        host.selfCheck(what, "set " + std::to_string(results) + " results");
    if (size_t n = host.pool.reclaimLive())
        host.selfCheck(what, std::to_string(n) + (n == 1 ? " record" : " records") + " not released");
    size_t after = host.docs.resourceDepth();
    if (after != depth) {
        host.selfCheck(what, after > depth ? "resource handle pushed and not popped" : "resource handle popped and not pushed");
        while (host.docs.resourceDepth() > depth)
            host.docs.popResourceHandle();
    }
    host.pool.endCall();
    return rc;
}

}  // namespace

namespace {

double microseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to)
{
    static const double perSecond = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    return static_cast<double>(to.QuadPart - from.QuadPart) * 1e6 / perSecond;
}

}  // namespace

int Host::enter(AcRx::AppMsgCode msg, const std::string& what, CallState* c)
{
    return guarded(*this, what, c, [&] {
        // The clock costs more than a cheap call: it runs only when a benchmark asks.
        if (!timeCalls || msg != AcRx::kInvkSubrMsg)
            return static_cast<int>(entry_(msg, &appId_));
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        int rc = static_cast<int>(entry_(msg, &appId_));
        QueryPerformanceCounter(&end);
        lastCallMicroseconds = microseconds(start, end);
        return rc;
    });
}

bool Host::load(const std::string& path)
{
    char full[MAX_PATH];
    DWORD n = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    modulePath = (n > 0 && n < sizeof full) ? full : path;
    module = LoadLibraryA(modulePath.c_str());
    if (!module) {
        std::fprintf(stderr, "acadhost: cannot load %s (error %lu)\n", modulePath.c_str(), GetLastError());
        return false;
    }
    if (size_t leaked = pool.reclaimLive())
        selfCheck("attach", std::to_string(leaked) + " records not released");
    auto version = reinterpret_cast<unsigned (*)()>(reinterpret_cast<void*>(GetProcAddress(module, "acrxGetApiVersion")));
    entry_ = reinterpret_cast<AcRx::AppRetCode (*)(AcRx::AppMsgCode, void*)>(
        reinterpret_cast<void*>(GetProcAddress(module, "acrxEntryPoint")));
    if (!version || !entry_ || version() != kApiVersion) {
        std::fprintf(stderr, "acadhost: %s is not a module built for API version 15.0\n", modulePath.c_str());
        FreeLibrary(module);
        module = nullptr;
        return false;
    }
    if (enter(AcRx::kInitAppMsg, "initialise application") != AcRx::kRetOK) {
        std::fprintf(stderr, "acadhost: %s failed to initialise\n", modulePath.c_str());
        FreeLibrary(module);
        module = nullptr;
        return false;
    }
    return true;
}

void Host::openDocument()
{
    Document* doc = docs.open("Drawing" + std::to_string(++documentsOpened_) + ".dwg");
    Document* active = docs.current();
    docs.setCurrent(doc);
    if (module && enter(AcRx::kLoadDwgMsg, "load drawing " + doc->name()) != AcRx::kRetOK)
        printError("module failed to load " + doc->name());
    docs.setCurrent(active ? active : doc);
    setFrameTitle(*this);
}

void Host::closeDocument(Document* doc)
{
    Document* active = docs.current();
    docs.setCurrent(doc);
    if (module)
        enter(AcRx::kUnloadDwgMsg, "unload drawing " + doc->name());
    docs.setCurrent(active);
    docs.close(doc);
    setFrameTitle(*this);
}

void Host::unload()
{
    while (!docs.documents().empty())
        closeDocument(docs.documents().front().get());
    if (!module)
        return;
    enter(AcRx::kUnloadAppMsg, "unload application");
    FreeLibrary(module);
    module = nullptr;
    if (size_t leaked = pool.reclaimLive())
        selfCheck("detach", std::to_string(leaked) + " records not released");
    pool.endCall();
}

bool Host::callFunction(const std::string& name, lisp::Args& args, lisp::Value& result)
{
    Document* doc = docs.current();
    if (!doc || !module)
        return false;
    auto it = doc->functions.find(name);
    if (it == doc->functions.end())
        return false;
    CallState c;
    c.what = it->second.name;
    c.funcode = it->second.code;
    c.args = argumentChain(pool, args);
    enter(AcRx::kInvkSubrMsg, c.what, &c);
    if (c.dispatch == RSERR)
        throw lisp::Error("ADS request error");
    result = c.results ? std::move(c.result) : lisp::voidValue();
    return true;
}

void Host::runCommand(const std::string& name)
{
    auto it = commands.find(commandName(name));
    if (it == commands.end()) {
        std::printf("Unknown command \"%s\".\n", lisp::toUpper(name).c_str());
        std::fflush(stdout);
        return;
    }
    AcRxFunctionPtr fn = it->second.function;
    guarded(*this, "command " + it->first, nullptr, [fn] {
        fn();
        return 0;
    });
}

// Runs one command token in a document; false when the document is gone.
bool Host::runToken(Document* doc, const std::string& token)
{
    std::string name = commandName(token);
    if (name == "CLOSE") {
        closeDocument(doc);
        return false;
    }
    if (name == "QSAVE" || name.empty())
        return true;  // saving is only echoed
    Document* active = docs.current();
    docs.setCurrent(doc);
    runCommand(token);
    if (docs.find(active))
        docs.setCurrent(active);
    return true;
}

void Host::runString(Document* doc, const std::string& text)
{
    std::printf("Command [%s]: %s\n", doc->name().c_str(), shown(text).c_str());
    std::fflush(stdout);
    // Ctrl+C cancels what was typed; a blank or a newline enters a token.
    std::string token;
    for (char ch : text) {
        if (ch == 3) {
            token.clear();
        } else if (ch == ' ' || ch == '\n' || ch == '\r') {
            if (!token.empty() && !runToken(doc, token))
                return;
            token.clear();
        } else {
            token += ch;
        }
    }
}

void Host::runQueues()
{
    for (;;) {
        Document* next = nullptr;
        for (auto& d : docs.documents())
            if (!d->queue.empty()) {
                next = d.get();
                break;
            }
        if (!next)
            return;
        std::string text = next->queue.front();
        next->queue.pop_front();
        runString(next, text);
    }
}

void Host::runForm(const lisp::Value& form, bool echo)
{
    lisp::Value v;
    std::string message;
    if (lisp.evalTop(form, v, message)) {
        if (echo) {
            std::string text = lisp::prin1(v);
            std::printf(text.empty() ? "=>\n" : "=> %s\n", text.c_str());
            std::fflush(stdout);
        }
    } else if (!message.empty()) {
        printError(message);
    }
    runQueues();
}

void Host::defineHostBuiltins()
{
    using lisp::Args;
    using lisp::Value;
    auto name = [](const Args& a) -> std::string {
        if (a.size() < 1 || !a[0] || a[0]->type != lisp::Type::Str)
            throw lisp::Error("bad argument type: stringp");
        return lisp::toUpper(a[0]->s);
    };
    lisp.defineBuiltin("GETVAR", [this, name](lisp::Interp&, Args& a) -> Value {
        std::string var = name(a);
        auto it = shortVars.find(var);
        if (it != shortVars.end())
            return lisp::makeInt(it->second);
        if (var == "DWGNAME" && docs.current())
            return lisp::makeStr(docs.current()->name());
        return nullptr;
    });
    lisp.defineBuiltin("SETVAR", [this, name](lisp::Interp&, Args& a) -> Value {
        std::string var = name(a);
        auto it = shortVars.find(var);
        if (a.size() != 2 || it == shortVars.end() || !a[1] || a[1]->type != lisp::Type::Int || a[1]->i < -32768 ||
            a[1]->i > 32767)
            throw lisp::Error("AutoCAD variable setting rejected: \"" + var + "\"");
        it->second = static_cast<short>(a[1]->i);
        return a[1];
    });
    // (alert "text"): the host's message box, owned by its main window.
    lisp.defineBuiltin("ALERT", [this](lisp::Interp&, Args& a) -> Value {
        lisp::needCount(a, 1, 1);
        MessageBoxA(frame, lisp::stringArg(a[0]).c_str(), "AutoCAD Message", MB_OK | MB_ICONEXCLAMATION);
        return nullptr;
    });
    lisp.defineBuiltin("COMMAND", [this](lisp::Interp&, Args& a) -> Value {
        for (const Value& v : a) {
            if (v && v->type == lisp::Type::Str && docs.current())
                runToken(docs.current(), v->s);
        }
        return nullptr;
    });
    // The host's own, for tests: what the status bar shows, the main window's state, a lock
    // key's state, which documents are open, and a host operation that fails.
    lisp.defineBuiltin("ACADHOST-METER", [this](lisp::Interp&, Args&) -> Value {
        if (!meter.shown)
            return nullptr;
        return lisp::listFrom({lisp::makeStr(meter.label), lisp::makeInt(meter.minPos), lisp::makeInt(meter.maxPos),
                               lisp::makeInt(meter.pos)});
    });
    lisp.defineBuiltin("ACADHOST-WINDOW", [this](lisp::Interp&, Args&) -> Value {
        const char* state = !IsWindowVisible(frame) ? "HIDDEN" : IsIconic(frame) ? "MINIMIZED"
                                                               : IsZoomed(frame) ? "MAXIMIZED" : "NORMAL";
        return lisp::makeSym(state);
    });
    lisp.defineBuiltin("ACADHOST-LOCKED", [](lisp::Interp&, Args& a) -> Value {
        if (a.size() != 1 || !a[0] || a[0]->type != lisp::Type::Int)
            throw lisp::Error("bad argument type: (acadhost-locked KEY-CODE)");
        return (GetKeyState(a[0]->i) & 1) ? lisp::symT() : nullptr;
    });
    lisp.defineBuiltin("ACADHOST-DOCUMENTS", [this](lisp::Interp&, Args&) -> Value {
        std::vector<Value> names;
        for (auto& d : docs.documents())
            names.push_back(lisp::makeStr(d->name()));
        return lisp::listFrom(names);
    });
    // (acadhost-resources): what the process holds now, for soak tests: its committed
    // memory in kB, its handles, its GDI and USER objects, and under Wine its open Unix
    // file descriptors (-1 elsewhere), which show leaked handles where Wine counts none.
    lisp.defineBuiltin("ACADHOST-RESOURCES", [](lisp::Interp&, Args&) -> Value {
        PROCESS_MEMORY_COUNTERS memory = {};
        memory.cb = sizeof memory;
        GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
        DWORD handles = 0;
        GetProcessHandleCount(GetCurrentProcess(), &handles);
        return lisp::listFrom({lisp::makeInt(static_cast<int32_t>(memory.PagefileUsage / 1024)),
                               lisp::makeInt(static_cast<int32_t>(handles)),
                               lisp::makeInt(static_cast<int32_t>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS))),
                               lisp::makeInt(static_cast<int32_t>(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS))),
                               lisp::makeInt(openDescriptors())});
    });
    // (acadhost-windows): how many top-level windows the host's thread has made so far.
    lisp.defineBuiltin("ACADHOST-WINDOWS", [](lisp::Interp&, Args&) -> Value {
        if (!windowCounter)
            windowCounter = SetWindowsHookExA(WH_CBT, countWindow, nullptr, GetCurrentThreadId());
        return lisp::makeInt(topLevelWindowsMade);
    });
    // (acadhost-cursor): the thread's current cursor by name (ARROW, WAIT, ...), nil for none.
    lisp.defineBuiltin("ACADHOST-CURSOR", [](lisp::Interp&, Args&) -> Value {
        HCURSOR cursor = GetCursor();
        return cursor ? lisp::makeSym(cursorName(cursor)) : nullptr;
    });
    // (acadhost-paints "TITLE" ID): how many paint messages control ID of the window TITLE has
    // had since the first call of this; nil when there is no such control.
    lisp.defineBuiltin("ACADHOST-PAINTS", [](lisp::Interp&, Args& a) -> Value {
        if (a.size() != 2 || !a[0] || a[0]->type != lisp::Type::Str || !a[1] || a[1]->type != lisp::Type::Int)
            throw lisp::Error("bad argument type: (acadhost-paints \"TITLE\" ID)");
        if (!sentPaints) {
            sentPaints = SetWindowsHookExA(WH_CALLWNDPROC, countSentPaint, nullptr, GetCurrentThreadId());
            queuedPaints = SetWindowsHookExA(WH_GETMESSAGE, countQueuedPaint, nullptr, GetCurrentThreadId());
        }
        HWND control = GetDlgItem(FindWindowA(nullptr, a[0]->s.c_str()), a[1]->i);
        return control ? lisp::makeInt(paintsSeen[control]) : nullptr;
    });
    // (acadhost-sleep MS): holds the thread, taking no messages; a test's script waits in
    // steps of these, the host's loop running between them.
    lisp.defineBuiltin("ACADHOST-SLEEP", [](lisp::Interp&, Args& a) -> Value {
        if (a.size() != 1 || !a[0] || a[0]->type != lisp::Type::Int || a[0]->i < 0 || a[0]->i > 10000)
            throw lisp::Error("bad argument type: (acadhost-sleep MS)");
        Sleep(static_cast<DWORD>(a[0]->i));
        return nullptr;
    });
    lisp.defineBuiltin("ACADHOST-FAILALLOC", [this](lisp::Interp&, Args& a) -> Value {
        if (a.size() != 1 || !a[0] || a[0]->type != lisp::Type::Int || a[0]->i < 0)
            throw lisp::Error("bad argument type: fixnump");
        failAfter("alloc", a[0]->i);
        return a[0];
    });
    // For benchmarks: (acadhost-timing T) times each call into the module; how long the
    // last call spent in the module, and how long a plain sort
    // of the same values (strings by bytes, or numbers) or a file copy takes, in microseconds.
    lisp.defineBuiltin("ACADHOST-TIMING", [this](lisp::Interp&, Args& a) -> Value {
        timeCalls = !a.empty() && !lisp::isNil(a[0]);
        return timeCalls ? lisp::symT() : nullptr;
    });
    lisp.defineBuiltin("ACADHOST-LASTCALL", [this](lisp::Interp&, Args&) -> Value {
        return timeCalls ? lisp::makeReal(lastCallMicroseconds) : nullptr;
    });
    lisp.defineBuiltin("ACADHOST-STDSORT", [](lisp::Interp&, Args& a) -> Value {
        std::vector<std::string> strings;
        std::vector<double> numbers;
        for (Value p = a.empty() ? nullptr : a[0]; p && p->type == lisp::Type::Cons; p = p->cdr) {
            if (p->car && p->car->type == lisp::Type::Str)
                strings.push_back(p->car->s);
            else if (lisp::isNumber(p->car))
                numbers.push_back(lisp::toDouble(p->car));
        }
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        std::sort(strings.begin(), strings.end());
        std::sort(numbers.begin(), numbers.end());
        QueryPerformanceCounter(&end);
        return lisp::makeReal(microseconds(start, end));
    });
    lisp.defineBuiltin("ACADHOST-COPYFILE", [](lisp::Interp&, Args& a) -> Value {
        if (a.size() != 2 || !a[0] || a[0]->type != lisp::Type::Str || !a[1] || a[1]->type != lisp::Type::Str)
            throw lisp::Error("bad argument type: (acadhost-copyfile \"FROM\" \"TO\")");
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        BOOL ok = CopyFileA(a[0]->s.c_str(), a[1]->s.c_str(), FALSE);
        QueryPerformanceCounter(&end);
        return ok ? lisp::makeReal(microseconds(start, end)) : nullptr;
    });
    // A bare directory walk, for the listing benchmarks: every entry of PATTERN in FOLDER,
    // and with DEEP, then every subdirectory's, as kel_find walks.
    lisp.defineBuiltin("ACADHOST-FINDLOOP", [](lisp::Interp&, Args& a) -> Value {
        if (a.size() < 2 || !a[0] || a[0]->type != lisp::Type::Str || !a[1] || a[1]->type != lisp::Type::Str)
            throw lisp::Error("bad argument type: (acadhost-findloop \"FOLDER\" \"PATTERN\" [DEEP])");
        bool deep = a.size() > 2 && !lisp::isNil(a[2]);
        long found = 0;
        std::function<void(const std::string&)> walk = [&](const std::string& dir) {
            WIN32_FIND_DATAA e;
            HANDLE h = FindFirstFileA((dir + "\\" + a[1]->s).c_str(), &e);
            if (h != INVALID_HANDLE_VALUE) {
                do
                    found += !(e.dwFileAttributes & 0x16);
                while (FindNextFileA(h, &e));
                FindClose(h);
            }
            if (!deep || (h = FindFirstFileA((dir + "\\*.*").c_str(), &e)) == INVALID_HANDLE_VALUE)
                return;
            do
                if ((e.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && std::strcmp(e.cFileName, ".") &&
                    std::strcmp(e.cFileName, ".."))
                    walk(dir + "\\" + e.cFileName);
            while (FindNextFileA(h, &e));
            FindClose(h);
        };
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        walk(a[0]->s);
        QueryPerformanceCounter(&end);
        return found ? lisp::makeReal(microseconds(start, end)) : nullptr;
    });
    // A clock for benchmarks that time whole loops, in microseconds.
    lisp.defineBuiltin("ACADHOST-CLOCK", [](lisp::Interp&, Args&) -> Value {
        static LARGE_INTEGER origin = [] {
            LARGE_INTEGER t;
            QueryPerformanceCounter(&t);
            return t;
        }();
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        return lisp::makeReal(microseconds(origin, now));
    });
    // The nearest-colour search of kel_rgbtoaci done COUNT times in plain C over the same
    // palette, for comparison; microseconds.
    lisp.defineBuiltin("ACADHOST-NEAREST", [](lisp::Interp&, Args& a) -> Value {
        if (a.size() != 4)
            throw lisp::Error("too few arguments: (acadhost-nearest R G B COUNT)");
        for (const Value& v : a)
            if (!v || v->type != lisp::Type::Int)
                throw lisp::Error("bad argument type: fixnump");
        volatile int sink = 0;
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        for (int32_t k = 0; k < a[3]->i; ++k) {
            int best = 0x7FFFFFFF, index = 0;
            for (int i = 1; i <= 254; ++i) {
                uint32_t c = paletteColor(i);
                int d = std::abs(int(c & 0xFF) - a[0]->i) + std::abs(int((c >> 8) & 0xFF) - a[1]->i) +
                        std::abs(int((c >> 16) & 0xFF) - a[2]->i);
                if (d < best)
                    best = d, index = i;
            }
            sink = sink + index;
        }
        QueryPerformanceCounter(&end);
        return lisp::makeReal(microseconds(start, end));
    });
    lisp.defineBuiltin("ACADHOST-FAIL", [this](lisp::Interp&, Args& a) -> Value {
        if (a.size() != 2 || !a[0] || a[0]->type != lisp::Type::Str || !a[1] || a[1]->type != lisp::Type::Int ||
            a[1]->i < 0)
            throw lisp::Error("bad argument type: (acadhost-fail \"OPERATION\" N)");
        failAfter(a[0]->s, a[1]->i);
        return a[1];
    });
}
