// The Command: prompt: the forms of a script, or what is typed, one at a time.
#pragma once

#include <string>

#include "host.h"

// True when the text holds whole forms: no list, string or block comment left open. The
// prompt for a continued line shows how many lists are open, as the host's does: "(_> ".
bool complete(const std::string& text, std::string* continuation = nullptr);

struct Runner {
    Runner(Host& h, bool echoValues, bool fromInput, bool person, bool showForms)
        : host(h), echo(echoValues), interactive(fromInput), terminal(person), forms(showForms) {}
    Host& host;
    bool echo;         // each value follows its form: "=> VALUE"
    bool interactive;  // forms come from standard input after the script's, with a prompt
    bool terminal;     // a person types: values are shown as the host shows them, continued
                       // lines get their prompt, and a word runs a command
    bool forms;        // each form is shown before it runs
    lisp::Reader reader{""};

    // Runs the next form; false at the end of input or after quit.
    bool step();

private:
    enum class Kind { Form, Value, Commands };
    Kind kind_ = Kind::Form;  // how what was typed last is taken: !form, or words
    std::string words_;
    bool prompted_ = false;  // "Command: " stands at the end of the output

    bool nextForm(lisp::Value& form);
    bool readTyped();
    void show();
    void runCommands();
};
