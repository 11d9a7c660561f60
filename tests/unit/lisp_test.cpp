// The host's LISP: what the reader makes of text, how values print, what forms evaluate to.
#include <gtest/gtest.h>

#include "lisp.h"

namespace {

std::string readPrint(const std::string& text)
{
    lisp::Reader r(text);
    lisp::Value v;
    if (!r.next(v))
        return "<end>";
    return lisp::prin1(v);
}

std::string evalPrint(lisp::Interp& in, const std::string& text)
{
    lisp::Reader r(text);
    lisp::Value form, v;
    try {
        while (r.next(form))
            v = in.eval(form);
    } catch (const lisp::Error& e) {
        return std::string("error: ") + e.what();
    }
    return lisp::prin1(v);
}

struct Case {
    const char* in;
    const char* out;
};

TEST(Reader, FormsPrintBackAsTheHostPrintsThem)
{
    const Case cases[] = {
        {"12", "12"},
        {"-32768", "-32768"},
        {"2147483647", "2147483647"},
        {"2147483648", "2.14748e+009"},  // beyond 32 bits: a real
        {"+7", "7"},
        {"1.5", "1.5"},
        {"1.", "1.0"},
        {".5", "0.5"},
        {"1e3", "1000.0"},
        {"1e20", "1.0e+020"},
        {"-0.25", "-0.25"},
        {"\"a\\\\b\\\"c\\nd\\te\"", "\"a\\\\b\\\"c\\nd\\te\""},
        {"\"\\101\"", "\"A\""},
        {"abc", "ABC"},
        {"kel_Help", "KEL_HELP"},
        {"t", "T"},
        {"nil", "nil"},
        {"NIL", "nil"},
        {"()", "nil"},
        {"'x", "(QUOTE X)"},
        {"(1 \"a\" (2 3))", "(1 \"a\" (2 3))"},
        {"(\"a\" . 1)", "(\"a\" . 1)"},
        {"(1 2 . 3)", "(1 2 . 3)"},
        {"(a .b)", "(A .B)"},
        {"; only a comment\n 5", "5"},
        {"(1 ; inside\n 2)", "(1 2)"},
        {";| block |; 5", "5"},
        {";| many\n lines (f) ; |;\n(1 ;|inside|; 2)", "(1 2)"},
        {";|| 6", "<end>"},  // a block comment never ended runs to the end
        {"(a ;|x|;b)", "(A B)"},
        {"1+", "1+"},
        {"-", "-"},
        {"   ", "<end>"},
    };
    for (size_t k = 0; k < sizeof cases / sizeof cases[0]; ++k)
        EXPECT_EQ(readPrint(cases[k].in), cases[k].out) << "case " << k << ": " << cases[k].in;
}

TEST(Reader, MalformedInputIsReportedAndReadingGoesOn)
{
    const char* bad[] = {"(1 2", "\"open", ")", "(1 . )", "(1 . 2 3)"};
    for (const char* text : bad) {
        lisp::Reader r(text);
        lisp::Value v;
        EXPECT_THROW(r.next(v), lisp::Error) << text;
    }
    lisp::Reader r(") 5");
    lisp::Value v;
    EXPECT_THROW(r.next(v), lisp::Error);
    ASSERT_TRUE(r.next(v));
    EXPECT_EQ(lisp::prin1(v), "5");
}

// Each form's text as written, for the host to show before the form runs.
TEST(Reader, KeepsTheTextOfTheLastForm)
{
    lisp::Reader r("  (setq a  1) ; set\n'(x \"y\") \"s;t\"\n(list\n  a)\nb");
    const char* const texts[] = {"(setq a  1)", "'(x \"y\")", "\"s;t\"", "(list\n  a)", "b"};
    lisp::Value v;
    for (const char* text : texts) {
        ASSERT_TRUE(r.next(v)) << text;
        EXPECT_EQ(r.lastText(), text);
    }
    EXPECT_FALSE(r.next(v));
}

TEST(Printer, Reals)
{
    const std::pair<double, const char*> cases[] = {
        {0.0, "0.0"}, {1.0, "1.0"}, {-3.0, "-3.0"}, {0.1, "0.1"}, {1.0 / 3, "0.333333"},
        {3.14159265358979, "3.14159"}, {1234.5678, "1234.57"}, {123456.0, "123456.0"},
        {1234567.0, "1.23457e+006"}, {1e8, "1.0e+008"}, {1e-7, "1.0e-007"}, {1.5e-300, "1.5e-300"},
        {1e15, "1.0e+015"}, {-2.5, "-2.5"},
        {1.0 / 0.0, "inf"}, {-1.0 / 0.0, "-inf"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(lisp::prin1(lisp::makeReal(c.first)), c.second) << c.first;
    EXPECT_EQ(lisp::prin1(lisp::makeReal(0.0 / 0.0)).find("nan") != std::string::npos, true);
}

TEST(Printer, VoidPrintsAsNothingAndAsNilInsideLists)
{
    EXPECT_EQ(lisp::prin1(lisp::voidValue()), "");
    EXPECT_EQ(lisp::prin1(lisp::listFrom({lisp::voidValue(), lisp::makeInt(1)})), "(nil 1)");
    EXPECT_TRUE(lisp::isNil(lisp::voidValue()));
}

TEST(Eval, Forms)
{
    const Case cases[] = {
        {"(+ 1 2 3)", "6"},
        {"(+ 1 2.5)", "3.5"},
        {"(- 10)", "-10"},
        {"(- 10 3 2)", "5"},
        {"(* 2 3)", "6"},
        {"(/ 7 2)", "3"},
        {"(/ 7 2.0)", "3.5"},
        {"(+ 2147483647 1)", "-2147483648"},
        {"(1+ 5)", "6"},
        {"(rem 7 3)", "1"},
        {"(= 1 1.0)", "T"},
        {"(/= 1 2)", "T"},
        {"(< 1 2 3)", "T"},
        {"(< 1 3 2)", "nil"},
        {"(>= 3 3 1)", "T"},
        {"(< \"a\" \"b\")", "T"},
        {"(= \"a\" \"a\")", "T"},
        {"(setq a 1 b (+ a 1))", "2"},
        {"(progn (setq x 5) (* x x))", "25"},
        {"(if nil 1 2)", "2"},
        {"(if nil 1)", "nil"},
        {"(if 0 1 2)", "1"},
        {"(cond ((= 1 2) \"a\") ((= 1 1) \"b\"))", "\"b\""},
        {"(setq i 0) (while (< i 5) (setq i (1+ i))) i", "5"},
        {"(setq n 0) (foreach e '(1 2 3) (setq n (+ n e))) n", "6"},
        {"(setq n 0) (repeat 4 (setq n (+ n 2))) n", "8"},
        {"(list 1 \"a\" nil T)", "(1 \"a\" nil T)"},
        {"(cons 1 2)", "(1 . 2)"},
        {"(cons 1 '(2))", "(1 2)"},
        {"(car '(1 2))", "1"},
        {"(cdr '(1 2))", "(2)"},
        {"(car nil)", "nil"},
        {"(cadr '(1 2 3))", "2"},
        {"(caddr '(1 2 3))", "3"},
        {"(nth 1 '(a b c))", "B"},
        {"(nth 5 '(a b c))", "nil"},
        {"(last '(1 2 3))", "3"},
        {"(length '(1 2 3))", "3"},
        {"(length nil)", "0"},
        {"(reverse '(1 2 3))", "(3 2 1)"},
        {"(append '(1) '(2 3) nil '(4))", "(1 2 3 4)"},
        {"(assoc \"b\" '((\"a\" . 1) (\"b\" . 2)))", "(\"b\" . 2)"},
        {"(member 2 '(1 2 3))", "(2 3)"},
        {"(equal '(1 (2 \"x\")) (list 1 (list 2 \"x\")))", "T"},
        {"(equal 1.0 1.05 0.1)", "T"},
        {"(eq 'a 'a)", "T"},
        {"(setq l '(1)) (eq l l)", "T"},
        {"(eq '(1) '(1))", "nil"},
        {"(not nil)", "T"},
        {"(null 1)", "nil"},
        {"(and 1 nil)", "nil"},
        {"(and)", "T"},
        {"(or nil 2)", "T"},
        {"(strcat \"ab\" \"\" \"c\")", "\"abc\""},
        {"(strlen \"abc\")", "3"},
        {"(substr \"abcdef\" 2 3)", "\"bcd\""},
        {"(substr \"abc\" 2)", "\"bc\""},
        {"(substr \"abc\" 9)", "\"\""},
        {"(strcase \"aBc\")", "\"ABC\""},
        {"(strcase \"aBc\" T)", "\"abc\""},
        {"(itoa -12)", "\"-12\""},
        {"(atoi \"42x\")", "42"},
        {"(atof \"2.5\")", "2.5"},
        {"(rtos 2.5)", "\"2.5000\""},
        {"(rtos 2.5 2 1)", "\"2.5\""},
        {"(chr 65)", "\"A\""},
        {"(ascii \"A\")", "65"},
        {"(type 1)", "INT"},
        {"(type 1.0)", "REAL"},
        {"(type \"s\")", "STR"},
        {"(type 'a)", "SYM"},
        {"(type '(1))", "LIST"},
        {"(type nil)", "nil"},
        {"(defun sq (x) (* x x)) (sq 7)", "49"},
        {"(setq x 1) (defun f (/ x) (setq x 2)) (f) x", "1"},
        {"(defun g (x) x) (g 1) x", "nil"},
    };
    for (size_t k = 0; k < sizeof cases / sizeof cases[0]; ++k) {
        lisp::Interp in;
        in.write = [](const std::string&) {};
        EXPECT_EQ(evalPrint(in, cases[k].in), cases[k].out) << "case " << k << ": " << cases[k].in;
    }
}

TEST(Eval, ErrorsAbandonTheForm)
{
    const Case cases[] = {
        {"(nosuch 1)", "error: no function definition: NOSUCH"},
        {"(/ 1 0)", "error: divide by zero"},
        {"(+ 1 \"a\")", "error: bad argument type: numberp: \"a\""},
        {"(car 1)", "error: bad argument type: listp 1"},
        {"(strlen 1)", "error: bad argument type: stringp 1"},
        {"(cons 1)", "error: too few arguments"},
        {"((1) 2)", "error: bad function: (1)"},
        {"(defun r (n) (r n)) (r 1)", "error: stack overflow"},
    };
    for (size_t k = 0; k < sizeof cases / sizeof cases[0]; ++k) {
        lisp::Interp in;
        EXPECT_EQ(evalPrint(in, cases[k].in), cases[k].out) << "case " << k << ": " << cases[k].in;
    }
}

TEST(Eval, PrintFunctionsWriteAndReturnTheirArgument)
{
    lisp::Interp in;
    std::string out;
    in.write = [&out](const std::string& s) { out += s; };
    EXPECT_EQ(evalPrint(in, "(princ \"a\\\"b\") (prin1 \"c\") (print 1) (terpri) (princ 2.0)"), "2.0");
    EXPECT_EQ(out, "a\"b\"c\"\n1 \n2.0");
}

TEST(Eval, ExternalFunctionsAreAskedAfterBuiltins)
{
    lisp::Interp in;
    std::vector<std::string> seen;
    in.external = [&seen](const std::string& name, lisp::Args& args, lisp::Value& result) {
        if (name != "KEL_X")
            return false;
        seen.push_back(std::to_string(args.size()));
        result = lisp::voidValue();
        return true;
    };
    EXPECT_EQ(evalPrint(in, "(kel_x 1 2)"), "");
    EXPECT_EQ(evalPrint(in, "(list (kel_x))"), "(nil)");  // void counts as nil in a list
    EXPECT_EQ(evalPrint(in, "(kel_y)"), "error: no function definition: KEL_Y");
    EXPECT_EQ(seen, (std::vector<std::string>{"2", "0"}));
}

}  // namespace
