// The Command: prompt: the forms of a script, or what is typed, one at a time.
#include "prompt.h"

#include <cctype>
#include <cstdio>
#include <cstring>

bool complete(const std::string& text, std::string* continuation)
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
        } else if (ch == ';' && k + 1 < text.size() && text[k + 1] == '|') {
            size_t end = text.find("|;", k + 2);
            if (end == std::string::npos) {
                if (continuation)
                    *continuation = "_> ";
                return false;  // a block comment goes on
            }
            k = end + 1;
        } else if (ch == ';') {
            while (k < text.size() && text[k] != '\n')
                ++k;
        } else if (ch == '"') {
            inString = any = true;
        } else if (ch == '(') {
            ++depth;
            any = true;
        } else if (ch == ')') {
            // A stray right parenthesis ends the line: the reader reports it at once.
            if (--depth < 0 && !inString)
                return true;
        } else if (!isspace(static_cast<unsigned char>(ch))) {
            any = true;
        }
    }
    if (continuation)
        *continuation = std::string(depth > 0 ? depth : 0, '(') + (inString ? "\"" : "") + "_> ";
    return any && depth <= 0 && !inString;
}

// The form about to run, as written: after the prompt that read it, or on a "Command: " line
// of its own.
void Runner::show()
{
    host.print(std::string(prompted_ ? "" : "Command: ") + (kind_ == Kind::Value ? "!" : "") + reader.lastText() + "\n");
    prompted_ = false;
}

// Reads what is typed at "Command: " up to whole forms; false at the end of input.
bool Runner::readTyped()
{
    if (terminal && host.lineOpen())
        host.print("\n");  // at a terminal the prompt starts a line of its own
    host.print("Command: ");
    prompted_ = true;
    std::string text, more;
    char buf[4096];
    while (std::fgets(buf, sizeof buf, stdin)) {
        text += buf;
        if (complete(text, &more))
            break;
        if (terminal && text.back() == '\n')
            host.print(more);
    }
    if (terminal) {
        host.lineEnded();
        host.forgetCtrlC();
    }
    size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos && std::feof(stdin)) {
        host.print("\n");
        return false;
    }
    kind_ = Kind::Form;
    if (first != std::string::npos && text[first] == '!') {
        kind_ = Kind::Value;  // !form: its value, printed; ! alone: nothing
        text = text.substr(first + 1);
    } else if (terminal && first != std::string::npos && !std::strchr("();", text[first])) {
        kind_ = Kind::Commands;  // words: commands, as the host takes them
        words_ = text;
        text.clear();
    }
    reader = lisp::Reader(text);
    return true;
}

bool Runner::nextForm(lisp::Value& form)
{
    for (;;) {
        if (kind_ == Kind::Commands) {
            runCommands();
            kind_ = Kind::Form;
        }
        try {
            if (reader.next(form))
                return true;
        } catch (const lisp::Error& e) {
            host.printError(e.what());
            prompted_ = false;
            continue;
        }
        if (!interactive || !readTyped())
            return false;
    }
}

// Each word typed is a command: C:NAME when LISP defines it, then the module's commands.
// A C: function's value is shown, as the host shows it; (princ) at its end shows nothing.
void Runner::runCommands()
{
    std::string word;
    for (size_t k = 0; k <= words_.size(); ++k) {
        char ch = k < words_.size() ? words_[k] : ' ';
        if (!isspace(static_cast<unsigned char>(ch))) {
            word += ch;
            continue;
        }
        if (word.empty())
            continue;
        lisp::Value fn = host.lisp.getGlobal("C:" + lisp::toUpper(word));
        if (lisp::isFunction(fn)) {
            host.runForm(lisp::cons(lisp::makeSym("C:" + word), nullptr), true);
        } else {
            host.runCommand(word);
            host.runQueues();
        }
        word.clear();
    }
    prompted_ = false;
}

bool Runner::step()
{
    lisp::Value form;
    if (!nextForm(form))
        return false;
    if (forms)
        show();
    if (kind_ == Kind::Value) {
        kind_ = Kind::Form;
        lisp::Value v;
        std::string message;
        if (host.lisp.evalTop(form, v, message))
            host.print(lisp::prin1(v) + "\n");
        else if (!message.empty())
            host.printError(message);
        host.runQueues();
    } else {
        host.runForm(form, echo);
    }
    return !host.lisp.quitting;
}
