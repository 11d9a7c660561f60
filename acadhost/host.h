// The stand-in host: one module, its documents, the LISP that calls it, and the checks run
// after every call into the module.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "acdocman.h"
#include "dll.h"
#include "lisp.h"
#include "records.h"
#include "rxapi.h"

class Document : public AcApDocument {
public:
    explicit Document(std::string name) : name_(std::move(name)) {}
    const char* fileName() const override { return name_.c_str(); }
    const std::string& name() const { return name_; }
    struct Function {
        short code;
        std::string name;  // as defined, for messages
    };
    // The module's function of that upper-case name, or null.
    const Function* function(const std::string& name) const
    {
        if (!lastFound_ || lastFound_->first != name) {
            auto it = functions_.find(name);
            if (it == functions_.end())
                return nullptr;
            lastFound_ = &*it;
        }
        return &lastFound_->second;
    }
    void define(const std::string& name, Function f) { functions_[name] = std::move(f); }
    bool undefine(const std::string& name, short code);
    void undefineAll()
    {
        lastFound_ = nullptr;
        functions_.clear();
    }
    std::deque<std::string> queue;  // strings to run after the current expression

private:
    std::string name_;
    std::unordered_map<std::string, Function> functions_;  // by upper-case name
    // A loop calls one function over and over: the last one found is found again by its
    // name alone, without hashing it (an entry of the map stays where it is until erased).
    mutable const std::pair<const std::string, Function>* lastFound_ = nullptr;
};

class DocManager : public AcApDocManager {
public:
    void addReactor(AcApDocManagerReactor* reactor) override;
    void removeReactor(AcApDocManagerReactor* reactor) override;
    AcApDocument* curDocument() const override { return current_; }
    int documentCount() const override { return static_cast<int>(docs_.size()); }
    AcApDocumentIterator* newAcApDocumentIterator() override;
    int sendStringToExecute(AcApDocument* doc, const char* text, bool activate, bool wrapUpInactiveDoc,
                            bool echoString) override;
    bool pushResourceHandle(void* instance) override;
    bool popResourceHandle() override;
    void* curResourceHandle() const override;

    Document* open(const std::string& name);
    void close(Document* doc);  // reactors told first
    Document* current() const { return current_; }
    void setCurrent(Document* doc) { current_ = doc; }
    Document* find(AcApDocument* doc) const;
    const std::vector<std::unique_ptr<Document>>& documents() const { return docs_; }
    size_t resourceDepth() const { return resources_.size(); }

private:
    std::vector<std::unique_ptr<Document>> docs_;
    std::vector<AcApDocManagerReactor*> reactors_;
    std::vector<void*> resources_;
    Document* current_ = nullptr;
};

struct Command {
    std::string group;
    AcRxFunctionPtr function;
};

// The progress meter in the frame's status bar.
struct Meter {
    bool shown = false;
    std::string label;
    int minPos = 0, maxPos = 0, pos = 0;
};

// What one call into the module may do, checked when it returns.
struct CallState {
    std::string what;  // for messages: the function's name, or the message
    int funcode = 0;
    resbuf* args = nullptr;
    bool argsHanded = false;
    int results = 0;
    bool firstWasVoid = false;
    lisp::Value result;  // the last one set, unless void; none set is void
    bool resultVoid = false;  // the last one set was void: a flag, as every call sets it first
    int dispatch = RSRSLT;
};

class Host {
public:
    Host();
    ~Host();

    // Loads and initialises the module; false when it can't, with the reason in why, or
    // without why in a line on standard error.
    bool load(const std::string& path, std::string* why = nullptr);
    // Loads the module into the running session, as arxload does: then it defines its
    // functions in every open drawing.
    bool arxload(const std::string& path, std::string& why);
    // Closes the documents, then unloads the module.
    void unload();
    // Unloads the module, as arxunload does: the documents stay, without its functions.
    void unloadModule();
    // Opens a document and has the module define its functions in it.
    void openDocument();
    // Runs one top-level form, then the queued strings; with echo, its value follows it.
    void runForm(const lisp::Value& form, bool echo);
    void runQueues();
    void printError(const std::string& message);
    // What the host, LISP and the module print on the command line goes through here, so
    // that the prompt knows whether a line stands open.
    void print(const std::string& text);
    bool lineOpen() const { return lineOpen_; }
    // A person's Enter ended the line the terminal shows.
    void lineEnded() { lineOpen_ = false; }
    // While a form runs: the window messages that wait are dispatched, at most once every
    // few milliseconds, so that a loop sees what the user does in the module's windows.
    // Also ends the running form with "Function cancelled" once Ctrl-C was typed.
    void takeMessages();
    // A person at the console: Ctrl-C cancels the running form, and the host goes on.
    void cancelOnCtrlC();
    // Ctrl-C typed while no form ran cancels nothing that comes after.
    void forgetCtrlC();

    // The checks' verdict, for the exit status.
    bool selfCheckFailed() const { return selfCheckFailed_; }
    void selfCheck(const std::string& what, const std::string& problem);

    // Injected faults: the n-th following call of a host operation fails ("alloc" stands
    // for the record allocations). True when this call is the one.
    void failAfter(const std::string& op, int n);
    bool failing(const char* op);

    // Calls into the module with the checks around it.
    int enter(AcRx::AppMsgCode msg, const std::string& what, CallState* call = nullptr);
    int guarded(const std::string& what, CallState* c, const std::function<int()>& fn);
    void runCommand(const std::string& name);
    // Runs one command token in a document; false when the document is gone.
    bool runToken(Document* doc, const std::string& token);
    void closeDocument(Document* doc);

    RecordPool pool;
    DocManager docs;
    lisp::Interp lisp;
    std::map<std::string, short> shortVars;
    std::map<std::string, Command> commands;  // upper-case global name
    Meter meter;
    CallState* call = nullptr;
    std::string modulePath;
    CLibrary module;  // freed by unload, after the module is told
    HWND frame = nullptr, statusBar = nullptr, progress = nullptr;
    bool unlocked = false, mdiAware = false;
    bool timeCalls = false;
    double lastCallMicroseconds = 0;
    bool messagesWhileRunning = true;  // off only for a benchmark's baseline

private:
    bool callFunction(const std::string& name, lisp::Args& args, lisp::Value& result);
    void runString(Document* doc, const std::string& text);
    AcRx::AppRetCode (*entry_)(AcRx::AppMsgCode, void*) = nullptr;
    int appId_ = 0;  // its address identifies the module to the module
    bool selfCheckFailed_ = false;
    bool lineOpen_ = false;
    DWORD messagesTaken_ = 0;  // when, by the tick count
    std::map<std::string, int> faults_;
    int documentsOpened_ = 0;
};

extern Host* theHost;

// A row of a table of the host's own functions: each is handed the host.
using HostFn = lisp::Value (*)(Host&, lisp::Args&);
struct HostFunction {
    const char* name;
    HostFn fn;
};
void defineHostFunctions(Host& host, const HostFunction* rows, size_t count);
// The acadhost- functions tests call to see the host's state, and those benchmarks time the
// module against.
void defineHostProbes(Host& host);
void defineHostBaselines(Host& host);
// The host's own LISP functions that need the system: getvar, setvar, alert, command,
// arxunload, the registry, startapp, getfiled.
void defineHostLisp(Host& host);
// The system variables: their first values, getvar's reading (nil for none) and setvar's
// setting (the value set; an error for a value or variable refused).
void addSystemVariables(Host& host);
lisp::Value systemVariable(Host& host, const lisp::Value& name);
lisp::Value setSystemVariable(Host& host, const lisp::Value& name, const lisp::Value& value);
// A fault anywhere in the process ends it with a line naming the call it happened in.
void installFaultFilter();
// The folder of the host's program, ending in a backslash: where the module is looked for,
// and ACADPREFIX.
std::string hostFolder();
// What the process writes with OutputDebugStringA (the module's barriers' traces) is kept;
// takeTraces gives the texts kept since it was last called, oldest first.
void installTraceRecorder();
std::vector<std::string> takeTraces();
// The time between two performance-counter readings.
double microseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to);

// The frame window and its status bar.
bool createFrame(Host& host);
// Posted to the frame: run the script's next form.
const UINT kStepMessage = WM_APP + 1;
// A key for a modeless dialog the module left open (Tab, Esc, Enter) goes to the dialog
// manager, as the real host's framework hands its dialogs their keys: true when it took it.
bool dialogMessage(const Host& host, MSG& msg);
// Dispatches the window messages that wait, but not the step to the next form, nor the end
// of the message loop (which is posted again for the loop to find).
void dispatchWaiting(const Host& host);
void showMeter(Host& host);
void setFrameTitle(Host& host);
