// The stand-in host's LISP: reader, printer and evaluator, small on purpose. It exists to
// carry calls to modules faithfully, and to run the ordinary programs that use them.
// Dynamic scope, as in the host's own LISP; functions are values of their symbols.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <vector>

namespace lisp {

// Subr: a built-in; Usubr: a defun or lambda; Exrx: a function a module defines;
// CatchError: what vl-catch-all-apply gives for an error, its message in s.
enum class Type { Int, Real, Str, Sym, Cons, Void, Subr, Usubr, Exrx, File, CatchError };

struct Cell;
using Value = std::shared_ptr<Cell>;  // null is nil

struct Cell {
    Type type;
    int32_t i = 0;
    double r = 0;
    std::string s;  // string text, symbol or function name (upper case), file name
    Value car, cdr;  // a Usubr keeps its parameter list in car and its body in cdr
    std::FILE* file = nullptr;  // an open File; closed when the last reference goes
    explicit Cell(Type t) : type(t) {}
    Cell(const Cell&) = delete;
    Cell& operator=(const Cell&) = delete;
    // Lists a million long or deep are released without recursion.
    ~Cell();
};

Value makeInt(int32_t v);
Value makeReal(double v);
Value makeStr(std::string s);
Value makeSym(const std::string& name);  // upper-cased
Value cons(Value car, Value cdr);
Value makeCell(Type t, std::string name);  // Subr, Exrx, File
Value symT();
// The value of a call whose handler set no result: counts as nil, echoes as nothing.
Value voidValue();

bool isNil(const Value& v);  // nil or void
bool isNumber(const Value& v);
double toDouble(const Value& v);
bool isSym(const Value& v, const char* upperName);
// Case in the host's code page: names fold to upper case, strcase both ways. ASCII until
// the host sets the tables of its code page.
std::string toUpper(std::string s);
std::string toLower(std::string s);
// Where a path's file name starts: past its last separator or drive colon.
size_t nameStart(const std::string& path);
void setCaseTables(const unsigned char upper[256], const unsigned char lower[256]);
Value listFrom(const std::vector<Value>& items, Value tail = nullptr);
// The whole of a file, as bytes; false when it cannot be read.
bool readFile(const std::string& path, std::string& text);
// equal: numbers by value (within fuzz), strings and symbols by text, lists element by element.
bool equalValues(const Value& a, const Value& b, double fuzz = 0);

// Abandons the current top-level form; the host prints "; error: " and the message.
struct Error : std::runtime_error {
    using std::runtime_error::runtime_error;
    bool handled = false;  // *error* has seen it
};

// Reads forms one at a time from a text.
class Reader {
public:
    explicit Reader(std::string text) : text_(std::move(text)) {}
    // False at the end of the text. Throws Error("malformed list on input"), or "extra
    // right paren on input" for a ")" that closes nothing, after which reading goes on past
    // the bad part.
    bool next(Value& form);
    // True when the rest of the text holds only blanks and comments.
    bool atEnd();
    // The text of the form next read last, as written.
    std::string lastText() const { return text_.substr(formStart_, formEnd_ - formStart_); }

private:
    void skipBlank();
    Value readForm();
    Value readAtom();
    Value readString();
    std::string text_;
    size_t pos_ = 0;
    size_t formStart_ = 0, formEnd_ = 0;
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
    // A top-level form: false when it failed, with the message to print unless *error*
    // took it (then the message is empty).
    bool evalTop(const Value& form, Value& result, std::string& message);
    // Calls a function value (or a symbol naming one) with evaluated arguments.
    Value apply(const Value& fn, Args& args);
    // Runs the forms of a file found by findFile; false when it cannot be read.
    bool load(const std::string& path, Value& result);
    // The path of a file to load or find (or of a folder, with FOLDERS: findfile finds
    // both), searched where the host looks; empty if none.
    std::string findFile(const std::string& name, bool folders = false) const;

    // Built-ins receive evaluated arguments.
    void defineBuiltin(const std::string& upperName, Builtin fn);
    // Functions defined outside (a module's); consulted after built-ins and defuns.
    // Returns false when the name is not defined there.
    std::function<bool(const std::string& upperName, Args& args, Value& result)> external;
    std::function<bool(const std::string& upperName)> externalDefined;
    // Where princ, prin1, print, terpri and prompts write; where keyboard input comes from
    // (false at the end of input).
    std::function<void(const std::string&)> write;
    std::function<bool(std::string& line)> readLine;
    // Folders searched after the current one by load and findfile.
    std::vector<std::string> searchPath;
    // True for a path that leads to a device (a port, the console, a pipe): load, open and
    // findfile take it for no file, since reading one can wait for ever. Unset: none does.
    std::function<bool(const std::string& path)> isDevice;
    // Called every few thousand evaluations, so that the host can take the messages that
    // wait while a long form runs.
    std::function<void()> idle;
    // Set by quit and exit: the host ends after this form.
    bool quitting = false;
    // The rest of a line typed for read-char, its line end included: the next read-char
    // or read-line from the keyboard takes from it first.
    std::string typedAhead;
    // What initget set for the next input function.
    int inputBits = 0;
    std::string keywords;
    // The last point typed, which "@" answers start from (the host's LASTPOINT).
    std::vector<double> lastPoint{0, 0, 0};
    // While above zero, an error goes to the vl-catch-all-apply that waits for it, not
    // to *error*.
    int catching = 0;
    // *push-error-using-command* pushes true, *push-error-using-stack* false, and
    // *pop-error-mode* pops. While the top is true, *error* runs as the form ends, after
    // every function has given back its variables, so that it sees the globals only;
    // otherwise (and by default) where the error happened, among the failing function's.
    std::vector<bool> errorModes;
    bool errorAfterUnwind() const { return !errorModes.empty() && errorModes.back(); }
    // setenv's values, for the session; getenv reads them before the process's environment.
    std::unordered_map<std::string, std::string> environment;
    // setcfg's values by their names in capitals, for the session.
    std::unordered_map<std::string, std::string> configuration;
    // alloc's segment size, which nothing here allocates by.
    int32_t segment = 1000;
    // vl-bb-set's values: the blackboard every document shares.
    std::unordered_map<std::string, Value> blackboard;
    // The names of every built-in, special form and global, for atoms-family.
    std::vector<std::string> atomNames() const;

    Value getGlobal(const std::string& upperName) const;
    void setGlobal(const std::string& upperName, Value v);
    void unsetGlobal(const std::string& upperName);
    bool hasGlobal(const std::string& upperName) const;
    // Calls *error*, once, with the message of an error on its way out, where the error
    // happened: before the forms it passes through give back their variables.
    void raiseToHandler(Error& e);

private:
    Value callNamed(const std::string& name, Args& args);
    Value callUser(const Value& params, const Value& body, Args& args);
    std::unordered_map<std::string, Builtin> builtins_;
    std::unordered_map<std::string, Value> globals_;
    int depth_ = 0;
    unsigned evaluations_ = 0;
    bool inHandler_ = false;
};

// The argument checks built-ins share; they throw the messages.
void needCount(const Args& a, size_t least, size_t most);
const std::string& stringArg(const Value& v);
int32_t intArg(const Value& v);
int32_t intArg(const Value& v, int32_t least, int32_t most);  // "bad argument value" outside

// True for the values apply can call.
bool isFunction(const Value& v);

}  // namespace lisp
