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

#include "host.h"

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

std::string besideExe(const char* name)
{
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string p(path, n);
    size_t slash = p.find_last_of("\\/");
    return (slash == std::string::npos ? std::string() : p.substr(0, slash + 1)) + name;
}

bool readFile(const std::string& path, std::string& text)
{
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return false;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
        text.append(buf, n);
    std::fclose(f);
    return true;
}

// True when the text holds whole forms: no list or string left open. The prompt for a
// continued line shows how many lists are open, as the host's does: "(_> ", "((_> ".
bool complete(const std::string& text, std::string* continuation = nullptr)
{
    int depth = 0;
    bool inString = false, any = false;
    for (size_t k = 0; k < text.size(); ++k) {
        char ch = text[k];
        if (inString) {
            if (ch == '\\')
                ++k;
            else if (ch == '"')
                inString = false;
        } else if (ch == ';') {
            while (k < text.size() && text[k] != '\n')
                ++k;
        } else if (ch == '"') {
            inString = any = true;
        } else if (ch == '(') {
            ++depth;
            any = true;
        } else if (ch == ')') {
            --depth;
        } else if (!isspace(static_cast<unsigned char>(ch))) {
            any = true;
        }
    }
    if (continuation)
        *continuation = std::string(depth > 0 ? depth : 0, '(') + (inString ? "\"" : "") + "_> ";
    return any && depth <= 0 && !inString;
}

struct Runner {
    Host& host;
    bool echo;
    bool interactive;
    bool terminal;  // a person types: continued lines get their prompt
    bool forms;     // each form is shown before it runs
    lisp::Reader reader{""};
    bool bang = false;  // !form at the prompt: its value is printed
    bool prompted = false;  // "Command: " stands at the end of the output

    // The form about to run, as written: after the prompt that read it, or on a
    // "Command: " line of its own.
    void show()
    {
        std::printf("%s%s%s\n", prompted ? "" : "Command: ", bang ? "!" : "", reader.lastText().c_str());
        std::fflush(stdout);
        prompted = false;
    }

    // Next form to run; false at the end of input.
    bool nextForm(lisp::Value& form)
    {
        for (;;) {
            try {
                if (reader.next(form))
                    return true;
            } catch (const lisp::Error& e) {
                host.printError(e.what());
                prompted = false;
                continue;
            }
            if (!interactive)
                return false;
            std::string text, line;
            std::printf("Command: ");
            std::fflush(stdout);
            prompted = true;
            char buf[4096];
            std::string more;
            while (std::fgets(buf, sizeof buf, stdin)) {
                text += buf;
                if (complete(text, &more))
                    break;
                if (terminal && text.back() == '\n') {
                    std::fputs(more.c_str(), stdout);
                    std::fflush(stdout);
                }
            }
            if (text.find_first_not_of(" \t\r\n") == std::string::npos && std::feof(stdin)) {
                std::printf("\n");
                return false;
            }
            size_t first = text.find_first_not_of(" \t\r\n");
            bang = first != std::string::npos && text[first] == '!';
            reader = lisp::Reader(bang ? text.substr(first + 1) : text);
        }
    }

    void step()
    {
        lisp::Value form;
        if (!nextForm(form)) {
            PostQuitMessage(0);
            return;
        }
        if (forms)
            show();
        if (bang) {
            bang = false;
            lisp::Value v;
            std::string message;
            if (host.lisp.evalTop(form, v, message))
                std::printf("%s\n", lisp::prin1(v).c_str());
            else if (!message.empty())
                host.printError(message);
            std::fflush(stdout);
            host.runQueues();
        } else {
            host.runForm(form, echo);
        }
        if (host.lisp.quitting) {
            PostQuitMessage(0);
            return;
        }
        PostMessageA(host.frame, kStepMessage, 0, 0);
    }
};

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
    if (!opt.script.empty() && !readFile(opt.script, text)) {
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
    if (!opt.noModule && !host.load(opt.arx.empty() ? besideExe("kelmar2k.arx") : opt.arx))
        return 1;
    for (int k = 0; k < opt.documents; ++k)
        host.openDocument();

    // load and findfile look in the script's folder after the current one.
    size_t slash = opt.script.find_last_of("\\/");
    if (slash != std::string::npos)
        host.lisp.searchPath.push_back(opt.script.substr(0, slash));
    // A person at a terminal sees the forms as typed: they are not shown again.
    bool terminal = opt.script.empty() && opt.terminal;
    Runner run{host, opt.echo, opt.script.empty(), terminal, opt.forms && !terminal};
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
            if (!quit)
                runner->step();
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
