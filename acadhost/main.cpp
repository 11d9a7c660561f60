// acad.exe [--arx FILE | --no-arx] [--documents N] [--echo] [--forms] [--fail OPERATION[:N]]... [--terminal] [SCRIPT.lsp]
// Loads the module, opens the documents and runs the script's forms, or forms typed on
// standard input, from the frame's message loop.
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "prompt.h"

namespace {

const char kUsage[] =
    "usage: acad [--arx FILE | --no-arx] [--documents N] [--echo] [--forms] [--fail OPERATION[:N]]... [--terminal] [SCRIPT.lsp]\n"
    "  --no-arx: no module at start; (arxload \"FILE\") loads one\n"
    "  --forms: each top-level form is printed, as written, before what it prints\n"
    "  --fail: the N-th call (1 when not given) of acedDefun, acrxRegisterApp or alloc fails\n"
    "  --terminal: a person types the forms: continued lines get the prompt (_>\n";

struct Options {
    std::string arx, script;
    int documents = 1;
    bool echo = false;
    bool forms = false;
    bool terminal = false;
    bool noModule = false;
    std::vector<std::pair<std::string, int>> faults;
};

bool parse(int argc, char** argv, Options& o)
{
    for (int k = 1; k < argc; ++k) {
        std::string a = argv[k];
        if (a == "--arx" && k + 1 < argc) {
            o.arx = argv[++k];
        } else if (a == "--no-arx") {
            o.noModule = true;
        } else if (a == "--documents" && k + 1 < argc) {
            char* end = nullptr;
            long n = std::strtol(argv[++k], &end, 10);
            if (*end || n < 1 || n > 99)
                return false;
            o.documents = static_cast<int>(n);
        } else if (a == "--echo") {
            o.echo = true;
        } else if (a == "--forms") {
            o.forms = true;
        } else if (a == "--terminal") {
            o.terminal = true;
        } else if (a == "--fail" && k + 1 < argc) {
            std::string f = argv[++k];
            size_t colon = f.find(':');
            long n = 1;
            if (colon != std::string::npos) {
                char* end = nullptr;
                n = std::strtol(f.c_str() + colon + 1, &end, 10);
                if (*end || n < 1)
                    return false;
            }
            f = f.substr(0, colon);
            if (f != "acedDefun" && f != "acrxRegisterApp" && f != "alloc")
                return false;
            o.faults.emplace_back(f, static_cast<int>(n));
        } else if (a.size() > 1 && a[0] == '-') {
            return false;
        } else if (o.script.empty()) {
            o.script = a;
        } else {
            return false;
        }
    }
    return true;
}

Runner* runner = nullptr;

}  // namespace

int main(int argc, char** argv)
{
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    Options opt;
    if (!parse(argc, argv, opt)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    std::string text;
    if (!opt.script.empty() && !lisp::readFile(opt.script, text)) {
        std::fprintf(stderr, "acadhost: cannot read %s\n", opt.script.c_str());
        return 2;
    }

    Host host;
    for (const auto& f : opt.faults)
        host.failAfter(f.first, f.second);
    if (!createFrame(host)) {
        std::fputs("acadhost: cannot create the main window\n", stderr);
        return 1;
    }
    if (!opt.noModule && !host.load(opt.arx.empty() ? hostFolder() + "kelmar2k.arx" : opt.arx))
        return 1;
    for (int k = 0; k < opt.documents; ++k)
        host.openDocument();

    // load and findfile look in the script's folder after the current one.
    size_t slash = opt.script.find_last_of("\\/");
    if (slash != std::string::npos)
        host.lisp.searchPath.push_back(opt.script.substr(0, slash));
    // A person at a terminal sees the forms as typed: they are not shown again.
    // Values are shown at a terminal without being asked for.
    bool terminal = opt.script.empty() && opt.terminal;
    if (terminal)
        host.cancelOnCtrlC();
    Runner run{host, opt.echo || terminal, opt.script.empty(), terminal, opt.forms && !terminal};
    run.reader = lisp::Reader(text);
    runner = &run;
    // Each form is one message to the frame, so that windows the module leaves open between
    // calls get their messages in between.
    PostMessageA(host.frame, kStepMessage, 0, 0);
    MSG msg;
    bool quit = false;
    while (!quit && GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (msg.hwnd == host.frame && msg.message == kStepMessage) {
            // Posted messages come before input: take the input (key presses, the mouse)
            // and whatever else waits before the next form, or it would wait for ever.
            MSG other;
            while (PeekMessageA(&other, nullptr, 0, 0, PM_REMOVE)) {
                if (other.message == WM_QUIT) {
                    quit = true;
                    break;
                }
                if (dialogMessage(host, other))
                    continue;
                TranslateMessage(&other);
                DispatchMessageA(&other);
            }
            if (quit)
                continue;
            if (runner->step())
                PostMessageA(host.frame, kStepMessage, 0, 0);
            else
                PostQuitMessage(0);
            continue;
        }
        if (dialogMessage(host, msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    runner = nullptr;
    host.unload();
    DestroyWindow(host.frame);
    return host.selfCheckFailed() ? 3 : 0;
}
