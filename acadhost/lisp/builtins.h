// What the built-in families share: the argument checks, which own the messages, and the
// row type of their tables. Private to the interpreter.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "../lisp.h"

namespace lisp {

// The value of the symbol PI, which the angle functions share.
constexpr double kPi = 3.141592653589793;

[[noreturn]] void badType(const char* want, const Value& v);
[[noreturn]] void badValue(const Value& v);
const std::string& str(const Value& v);
int32_t integer(const Value& v);
double number(const Value& v);
Value list(const Value& v);  // nil or a list
const std::string& symbol(const Value& v);
Value function(const Value& v);
Cell* openFile(const Value& v);
// The file argument at index k, or null for the command line.
std::FILE* fileAt(const Args& a, size_t k);

Value boolean(bool b);
// A void result taken as nil, where it becomes part of a value.
Value noVoidValue(Value v);
Value car(const Value& v);
Value cdr(const Value& v);
bool truthy(Interp& in, const Value& fn, Args args);
// Every element of a list, checked to be one.
std::vector<Value> elements(const Value& l);
// Text to a file, or to the command line when f is null.
void output(Interp& in, std::FILE* f, const std::string& text);
// A line typed at the prompt (the message at a[msgAt], if any); false at the end of input.
bool ask(Interp& in, const Args& a, size_t msgAt, std::string& line);
// The function NAME's value as a program has it now (the host's or one the program defined)
// called with ARGS; nil where NAME is no function.
Value callIfDefined(Interp& in, const char* name, Args args);
// An integer or a real system variable through the host's getvar, or FALLBACK where there
// is none.
int32_t systemInt(Interp& in, const char* name, int32_t fallback);
double systemReal(Interp& in, const char* name, double fallback);
// A decimal number at P, after blanks: a sign, digits with a point, an exponent; *END is P
// where there is none. As strtod, but no "nan", "inf" or hexadecimal, which the host's
// readers never took.
double decimal(const char* p, const char** end);
// V with PREC decimals, as the host writes numbers: a half rounds away from zero ("%.*f"
// rounds it to even: 2.5 to "2", 0.125 to "0.12").
std::string fixedText(double v, int prec);
// A decimal's TEXT as DIMZIN asks for it: bit 8 drops its trailing zeros (and a point left
// last), bit 4 its leading zero. Both rtos and angtos follow it.
std::string withoutZeros(std::string text, int dimzin);
// A distance as distof reads it (any of rtos's forms), an angle as angtof reads it (a bare
// number in UNIT); false for text that is neither.
bool distanceValue(const std::string& text, double& out);
bool angleValue(const std::string& text, int unit, double& out);
double normalAngle(double a);
// A 2D or 3D point: a list of two or three numbers, else "bad argument type: 2D/3D point:".
std::vector<double> point(const Value& v);
Value makePoint(const std::vector<double>& p);
// ASCII case folding, and an order of strings that ignores it.
char foldCase(char ch);
bool lessFolded(const std::string& x, const std::string& y);
// Whether PATH names a folder (false where it cannot be read).
bool isDirectory(const std::string& path);
// NAME in the folder DIR, with one separator between them.
std::string inFolder(const std::string& dir, const std::string& name);
// (set SYMBOL VALUE), also vl-doc-set: the document's namespace is the global one.
Value setSymbol(Interp& in, Args& a);

// Where a path's extension's dot is (npos if none).
size_t extensionStart(const std::string& path);

using Fn = Value (*)(Interp&, Args&);
struct Reg {
    const char* name;
    Fn fn;
};

// Each family's table, for the interpreter to install.
struct Family {
    const Reg* rows;
    size_t count;
};
Family listBuiltins();
Family numberBuiltins();
Family stringBuiltins();
Family fileBuiltins();
Family inputBuiltins();
Family systemBuiltins();
Family characterBuiltins();
Family geometryBuiltins();
Family folderBuiltins();
Family symbolBuiltins();
Family dieselBuiltins();

template <size_t N>
Family family(const Reg (&rows)[N]) { return {rows, N}; }

}  // namespace lisp
