// The stand-in host's LISP: reader, printer and evaluator, small on purpose. It exists to
// carry calls to modules faithfully. Dynamic scope, as in the host's own LISP.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <vector>

namespace lisp {

enum class Type { Int, Real, Str, Sym, Cons, Void };

struct Cell;
using Value = std::shared_ptr<Cell>;  // null is nil

struct Cell {
    Type type;
    int32_t i = 0;
    double r = 0;
    std::string s;  // string text or symbol name (upper case)
    Value car, cdr;
    explicit Cell(Type t) : type(t) {}
};

Value makeInt(int32_t v);
Value makeReal(double v);
Value makeStr(std::string s);
Value makeSym(const std::string& name);  // upper-cased
Value cons(Value car, Value cdr);
Value symT();
// The value of a call whose handler set no result: counts as nil, echoes as nothing.
Value voidValue();

bool isNil(const Value& v);  // nil or void
bool isNumber(const Value& v);
double toDouble(const Value& v);
bool isSym(const Value& v, const char* upperName);
std::string toUpper(std::string s);
Value listFrom(const std::vector<Value>& items, Value tail = nullptr);

// Abandons the current top-level form; the host prints "; error: " and the message.
struct Error : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Reads forms one at a time from a text.
class Reader {
public:
    explicit Reader(std::string text) : text_(std::move(text)) {}
    // False at the end of the text. Throws Error("malformed list on input"), after which
    // reading goes on past the bad part.
    bool next(Value& form);
    // True when the rest of the text holds only blanks and comments.
    bool atEnd();

private:
    void skipBlank();
    Value readForm();
    Value readAtom();
    Value readString();
    std::string text_;
    size_t pos_ = 0;
};

std::string prin1(const Value& v);  // the printer of prin1 and of the echo
std::string princ(const Value& v);  // strings without quotes or escapes

class Interp;
using Args = std::vector<Value>;
using Builtin = std::function<Value(Interp&, Args&)>;

class Interp {
public:
    Interp();
    Value eval(const Value& form);

    // Built-ins receive evaluated arguments.
    void defineBuiltin(const std::string& upperName, Builtin fn);
    // Functions defined outside (a module's); consulted after built-ins and defuns.
    // Returns false when the name is not defined there.
    std::function<bool(const std::string& upperName, Args& args, Value& result)> external;
    // Where princ, prin1, print and terpri write.
    std::function<void(const std::string&)> write;

    Value getGlobal(const std::string& upperName) const;
    void setGlobal(const std::string& upperName, Value v);

private:
    struct UserFunction {
        std::vector<std::string> params, locals;
        Value body;
    };
    Value evalSpecial(const std::string& name, const Value& rest, bool& handled);
    Value evalBody(Value body);
    Value callUser(const UserFunction& f, Args& args);
    std::unordered_map<std::string, Builtin> builtins_;
    std::unordered_map<std::string, UserFunction> functions_;
    std::map<std::string, Value> globals_;
    int depth_ = 0;
};

}  // namespace lisp
