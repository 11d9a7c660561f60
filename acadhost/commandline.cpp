// The command line: top-level forms with their echo, and strings queued in documents run as commands.
#include <cstdio>

#include "host.h"

namespace {

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

}  // namespace

void Host::runCommand(const std::string& name)
{
    auto it = commands.find(commandName(name));
    if (it == commands.end()) {
        print("Unknown command \"" + lisp::toUpper(name) + "\".\n");
        return;
    }
    AcRxFunctionPtr fn = it->second.function;
    guarded("command " + it->first, nullptr, [fn] {
        fn();
        return 0;
    });
}

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
    print("Command [" + doc->name() + "]: " + shown(text) + "\n");
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
            print(text.empty() ? "=>\n" : "=> " + text + "\n");
        }
    } else if (!message.empty()) {
        printError(message);
    }
    runQueues();
}
