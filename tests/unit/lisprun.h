// Runs LISP text in an interpreter, as the tests of its built-ins do.
#pragma once

#include <string>

#include "lisp.h"

// Runs the forms in order; the value of the last, or "error: MESSAGE".
inline std::string runLisp(lisp::Interp& in, const std::string& text)
{
    lisp::Reader r(text);
    lisp::Value form, v;
    std::string message;
    while (r.next(form))
        if (!in.evalTop(form, v, message))
            return "error: " + message;
    return lisp::prin1(v);
}
