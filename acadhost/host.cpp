// Loading the module and its documents, and the guarded call into it with the checks after it.
#include "host.h"

#include <windows.h>

#include <cstdio>

#include "bridge.h"
#include "diskfile.h"
#include "memorycap.h"

Host* theHost = nullptr;

namespace {

const unsigned kApiVersion = 0x000F0000;

}  // namespace

double microseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to)
{
    static const double perSecond = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    return static_cast<double>(to.QuadPart - from.QuadPart) * 1e6 / perSecond;
}

namespace {

// Names fold case in the ANSI code page, as in the host: a library written in Cyrillic
// defines a name in lower case and calls it in upper case. Lead bytes of a double-byte
// page stay as they are.
void useCodePageCase()
{
    unsigned char upper[256], lower[256];
    for (int c = 0; c < 256; ++c) {
        upper[c] = lower[c] = static_cast<unsigned char>(c);
        if (c == 0 || IsDBCSLeadByte(static_cast<BYTE>(c)))
            continue;
        CharUpperBuffA(reinterpret_cast<char*>(&upper[c]), 1);
        CharLowerBuffA(reinterpret_cast<char*>(&lower[c]), 1);
    }
    lisp::setCaseTables(upper, lower);
}

// Ctrl-C at the host's console, noted on the thread the system calls the handler on and
// taken by the form running on the host's thread.
volatile LONG cancelTyped = 0;

BOOL WINAPI onConsoleCtrl(DWORD event)
{
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT)
        return FALSE;
    InterlockedExchange(&cancelTyped, 1);
    return TRUE;
}

}  // namespace

void Host::cancelOnCtrlC()
{
    SetConsoleCtrlHandler(onConsoleCtrl, TRUE);
}

void Host::forgetCtrlC() { InterlockedExchange(&cancelTyped, 0); }

Host::Host()
{
    useCodePageCase();
    theHost = this;
    shortVars = {{"MAXSORT", 1000}, {"CURSORSIZE", 5}, {"PICKBOX", 3}};
    lisp.external = [this](const std::string& name, lisp::Args& args, lisp::Value& result) {
        return callFunction(name, args, result);
    };
    lisp.externalDefined = [this](const std::string& name) {
        return module && docs.current() && docs.current()->function(name) != nullptr;
    };
    // Devices are refused as the module refuses them.
    lisp.isDevice = [](const std::string& path) { return reachesDevice(path.c_str()); };
    lisp.idle = [this] { takeMessages(); };
    lisp.write = [this](const std::string& text) { print(text); };
    defineHostLisp(*this);
    defineHostProbes(*this);
    defineHostBaselines(*this);
    installFaultFilter();
    installTraceRecorder();
}

Host::~Host() { theHost = nullptr; }

void Host::takeMessages()
{
    // A tick count is cheap to read; dispatching is not, and a loop may call the module a
    // million times a second.
    // A plain read first: the exchange, a locked instruction, only once Ctrl-C was typed.
    if (cancelTyped && InterlockedExchange(&cancelTyped, 0))
        throw lisp::Error("Function cancelled");
    const DWORD kEvery = 30;
    DWORD now = GetTickCount();
    if (now - messagesTaken_ < kEvery || !frame || !messagesWhileRunning)
        return;
    messagesTaken_ = now;
    dispatchWaiting(*this);
}

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

std::string hostFolder()
{
    char path[MAX_PATH];
    std::string p(path, GetModuleFileNameA(nullptr, path, sizeof path));
    return p.substr(0, p.find_last_of("\\/") + 1);
}

void Host::printError(const std::string& message) { print("; error: " + message + "\n"); }

void Host::print(const std::string& text)
{
    if (text.empty())
        return;
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
    lineOpen_ = text.back() != '\n';
}

// Runs one call into the module and checks what it left behind.
int Host::guarded(const std::string& what, CallState* c, const std::function<int()>& fn)
{
    CallState* outer = call;
    CallState local;
    if (!c)
        local.what = what;
    call = c ? c : &local;
    size_t depth = docs.resourceDepth();
    int rc = fn();
    CallState* done = call;
    call = outer;

    if (c && !c->argsHanded) {
        std::string ignored;
        pool.release(c->args, ignored);  // never taken: still the host's
    }
    int results = done->results - (done->firstWasVoid ? 1 : 0);
    if (c && results > 1)
        selfCheck(what, "set " + std::to_string(results) + " results");
    if (size_t n = pool.reclaimLive())
        selfCheck(what, std::to_string(n) + (n == 1 ? " record" : " records") + " not released");
    size_t after = docs.resourceDepth();
    if (after != depth) {
        selfCheck(what, after > depth ? "resource handle pushed and not popped" : "resource handle popped and not pushed");
        while (docs.resourceDepth() > depth)
            docs.popResourceHandle();
    }
    pool.endCall();
    return rc;
}

int Host::enter(AcRx::AppMsgCode msg, const std::string& what, CallState* c)
{
    MemoryCeiling ceiling(false);  // what the module asks of the host never fails midway
    return guarded(what, c, [&] {
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

bool Host::load(const std::string& path, std::string* why)
{
    // At start a failure is a line on standard error; arxload hands it to its caller.
    auto fail = [&](const std::string& problem) {
        if (why)
            *why = problem;
        else
            std::fprintf(stderr, "acadhost: %s\n", problem.c_str());
        return false;
    };
    char full[MAX_PATH];
    DWORD n = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    modulePath = (n > 0 && n < sizeof full) ? full : path;
    if (!module.Load(modulePath.c_str())) {
        DWORD error = GetLastError();
        return fail("cannot load " + modulePath + " (error " + std::to_string(error) +
                    (error == ERROR_BAD_EXE_FORMAT ? ": a module of another width than the host's)" : ")"));
    }
    if (size_t leaked = pool.reclaimLive())
        selfCheck("attach", std::to_string(leaked) + " records not released");
    auto version = reinterpret_cast<unsigned (*)()>(reinterpret_cast<void*>(GetProcAddress(module, "acrxGetApiVersion")));
    entry_ = reinterpret_cast<AcRx::AppRetCode (*)(AcRx::AppMsgCode, void*)>(
        reinterpret_cast<void*>(GetProcAddress(module, "acrxEntryPoint")));
    if (!version || !entry_ || version() != kApiVersion) {
        module.Free();
        return fail(modulePath + " is not a module built for API version 15.0");
    }
    if (enter(AcRx::kInitAppMsg, "initialise application") != AcRx::kRetOK) {
        module.Free();
        return fail(modulePath + " failed to initialise");
    }
    return true;
}

bool Host::arxload(const std::string& path, std::string& why)
{
    if (!load(path, &why))
        return false;
    // Loaded into a running session, the module is told of every drawing already open.
    Document* active = docs.current();
    for (auto& doc : docs.documents()) {
        docs.setCurrent(doc.get());
        if (enter(AcRx::kLoadDwgMsg, "load drawing " + doc->name()) != AcRx::kRetOK)
            printError("module failed to load " + doc->name());
    }
    docs.setCurrent(active);
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
    unloadModule();
}

void Host::unloadModule()
{
    if (!module)
        return;
    enter(AcRx::kUnloadAppMsg, "unload application");
    module.Free();
    for (auto& doc : docs.documents())
        doc->undefineAll();
    if (size_t leaked = pool.reclaimLive())
        selfCheck("detach", std::to_string(leaked) + " records not released");
    pool.endCall();
}

bool Host::callFunction(const std::string& name, lisp::Args& args, lisp::Value& result)
{
    Document* doc = docs.current();
    if (!doc || !module)
        return false;
    const Document::Function* fn = doc->function(name);
    if (!fn)
        return false;
    // Between calls of the module, as the host's own loop does, its modeless windows get
    // their messages: (while (kel_getcancel) ...) sees Cancel pressed.
    takeMessages();
    CallState c;
    c.what = fn->name;
    c.funcode = fn->code;
    c.args = argumentChain(pool, args);
    enter(AcRx::kInvkSubrMsg, c.what, &c);
    if (c.dispatch == RSERR)
        throw lisp::Error("ADS request error");
    result = c.results && !c.resultVoid ? std::move(c.result) : lisp::voidValue();
    return true;
}
