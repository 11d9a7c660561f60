// The host's LISP built-ins, each with the value it prints, as the host's documentation
// gives them; then *error*, quit, the command line, files, and very long and deep lists.
#include <gtest/gtest.h>

#include <cstdio>
#include <deque>
#include <filesystem>
#include <fstream>

#include "bridge.h"
#include "lisp.h"
#include "lisprun.h"

namespace {

struct Case {
    const char* in;
    const char* out;
};

std::string run(lisp::Interp& in, const std::string& text) { return runLisp(in, text); }

void runTable(const Case* cases, size_t n)
{
    for (size_t k = 0; k < n; ++k) {
        lisp::Interp in;
        in.write = [](const std::string&) {};
        in.readLine = [](std::string&) { return false; };
        EXPECT_EQ(run(in, cases[k].in), cases[k].out) << "case " << k << ": " << cases[k].in;
    }
}

TEST(Builtins, Lists)
{
    const Case cases[] = {
        {"(caar '((1 2) 3))", "1"},
        {"(cdar '((1 2) 3))", "(2)"},
        {"(cddr '(1 2 3))", "(3)"},
        {"(cadar '((1 2) 3))", "2"},
        {"(cdddr '(1 2 3 4))", "(4)"},
        {"(cadddr '(1 2 3 4))", "4"},
        {"(caaaar '((((x)))))", "X"},
        {"(cddddr '(1 2 3 4 5))", "(5)"},
        {"(nth 0 '(a b))", "A"},
        {"(nth -1 '(a b))", "nil"},
        {"(last '(1 (2 3)))", "(2 3)"},
        {"(last nil)", "nil"},
        {"(append '(1 2) nil '((3)))", "(1 2 (3))"},
        {"(reverse '((a) b c))", "(C B (A))"},
        {"(member 'c '(a b c d))", "(C D)"},
        {"(member 'q '(a b))", "nil"},
        {"(assoc 'b '((a . 1) (b 2)))", "(B 2)"},
        {"(assoc \"x\" '((\"a\" . 1)))", "nil"},
        {"(subst 'qq 'b '(a b (c d) b))", "(A QQ (C D) QQ)"},
        {"(subst '(qq rr) '(c d) '(a b (c d) b))", "(A B (QQ RR) B)"},
        {"(subst 'qq 'z '(a b))", "(A B)"},
        {"(length '(1 (2 3) 4))", "3"},
        {"(vl-position 'c '(a b c))", "2"},
        {"(vl-position 9 '(1 2))", "nil"},
        {"(vl-remove 2 '(1 2 3 2))", "(1 3)"},
        {"(vl-consp '(1))", "T"},
        {"(vl-consp nil)", "nil"},
        {"(listp nil)", "T"},
        {"(listp 'a)", "nil"},
        {"(atom '(1))", "nil"},
        {"(atom nil)", "T"},
        {"(null nil)", "T"},
        {"(not 0)", "nil"},
    };
    runTable(cases, sizeof cases / sizeof cases[0]);
}

TEST(Builtins, Functions)
{
    const Case cases[] = {
        {"(mapcar '1+ '(1 2 3))", "(2 3 4)"},
        {"(mapcar '+ '(1 2 3) '(10 20))", "(11 22)"},
        {"(mapcar '(lambda (x) (* x x)) '(1 2 3))", "(1 4 9)"},
        {"(mapcar (function (lambda (a b) (strcat a b))) '(\"a\" \"b\") '(\"1\" \"2\"))", "(\"a1\" \"b2\")"},
        {"(mapcar (lambda (x) (list x)) '(1 2))", "((1) (2))"},
        {"(mapcar 'car nil)", "nil"},
        {"(apply '+ '(1 2 3))", "6"},
        {"(apply 'max '(4 9 2))", "9"},
        {"(apply (function (lambda (a b) (- a b))) '(10 3))", "7"},
        {"(apply 'and '(1 nil))", "nil"},
        {"(apply 'strcat (mapcar 'itoa '(1 2)))", "\"12\""},
        {"(defun add (a b) (+ a b)) (apply 'add '(2 3))", "5"},
        {"((lambda (x) (* 2 x)) 21)", "42"},
        {"(function car)", "CAR"},
        {"(eval '(+ 1 2))", "3"},
        {"(setq v 5) (eval 'v)", "5"},
        {"(read \"(a \\\"b\\\" 1.5)\")", "(A \"b\" 1.5)"},
        {"(read \"abc def\")", "ABC"},
        {"(read \"\")", "nil"},
        {"(vl-sort '(3 2 1 3) '<)", "(1 2 3)"},
        {"(vl-sort '(\"b\" \"c\" \"a\") '<)", "(\"a\" \"b\" \"c\")"},
        {"(vl-sort '((1 3) (2 2) (3 1)) (function (lambda (e1 e2) (< (cadr e1) (cadr e2)))))",
         "((3 1) (2 2) (1 3))"},
        {"(vl-sort '(a d c b a) '(lambda (s1 s2) (< (vl-symbol-name s1) (vl-symbol-name s2))))", "(A B C D)"},
        {"(vl-sort '(2.0 1.0 2.0) '<)", "(1.0 2.0 2.0)"},
        {"(vl-remove-if 'minusp '(-1 2 -3 4))", "(2 4)"},
        {"(vl-remove-if-not 'numberp '(1 \"a\" 2))", "(1 2)"},
        {"(vl-member-if '(lambda (x) (> x 2)) '(1 3 5))", "(3 5)"},
        {"(vl-member-if-not 'numberp '(1 a 2))", "(A 2)"},
        {"(vl-member-if-not 'numberp '(1 2))", "nil"},
        {"(vl-every '= '(1 2) '(1 2 3))", "T"},
        {"(vl-every 'numberp '(1 \"a\"))", "nil"},
        {"(vl-some '(lambda (x) (if (> x 2) (* x 10))) '(1 3 5))", "30"},
        {"(vl-some 'minusp '(1 2))", "nil"},
        {"(defun f (x / y) (setq y (* x 2)) y) (f 4)", "8"},
        {"(setq y 1) (defun f (x / y) (setq y x)) (f 4) y", "1"},
        {"(defun-q dq (x) (* x 3)) (dq 4)", "12"},
        {"(defun-q dq (x / z) (* x 3)) dq", "((X / Z) (* X 3))"},
        {"(defun f () 1)", "F"},
        {"(setq a 1 b 2 c (+ a b))", "3"},
        {"(set 'q 7) q", "7"},
        {"(set (read \"r\") 8) r", "8"},
        {"(progn 1 2 3)", "3"},
        {"(if T \"yes\" \"no\")", "\"yes\""},
        {"(and 1 2)", "T"},
        {"(or nil nil)", "nil"},
        {"(quote (a b))", "(A B)"},
        {"(setq s 0) (foreach n '(1 2 3) (setq s (+ s n)))", "6"},
        {"(setq n 0) (foreach n '(1 2) n) n", "0"},
        {"(cond ((= 1 2) 'a) (T 'b))", "B"},
        {"(cond (5))", "5"},
        {"(setq i 0) (while (< i 3) (setq i (1+ i)))", "3"},
        {"(repeat 3 'x)", "X"},
        {"(boundp 'zz)", "nil"},
        {"(setq zz 1) (boundp 'zz)", "T"},
        {"(boundp 'car)", "T"},
        {"(type car)", "SUBR"},
        {"(type if)", "SUBR"},
        {"(defun f () 1) (type f)", "USUBR"},
        {"(defun-q g () 1) (type g)", "LIST"},
        {"(type (lambda (x) x))", "USUBR"},
        {"(setq plus +) (plus 1 2)", "3"},
        {"car", "#<SUBR CAR>"},
        {"(defun sq (x) (* x x)) sq", "#<USUBR SQ>"},
        {"(defun list (x) x) (list 1)", "1"},  // a defun replaces a built-in, as in the host
        {"(vl-load-com)", "nil"},
    };
    runTable(cases, sizeof cases / sizeof cases[0]);
}

TEST(Builtins, Numbers)
{
    const Case cases[] = {
        {"(abs -5)", "5"},
        {"(abs -5.5)", "5.5"},
        {"(abs 3)", "3"},
        {"(min 3 1 2)", "1"},
        {"(min 3 1.0 2)", "1.0"},
        {"(max -88 19 5 2)", "19"},
        {"(max 4.07 -144)", "4.07"},
        {"(max 2.0 4 6)", "6.0"},
        {"(max)", "0"},
        {"(fix 3.7)", "3"},
        {"(fix -3.7)", "-3"},
        {"(fix 5)", "5"},
        {"(fix 1e10)", "1.0e+010"},
        {"(float 3)", "3.0"},
        {"(numberp 1.5)", "T"},
        {"(numberp \"1\")", "nil"},
        {"(zerop 0)", "T"},
        {"(zerop 0.0)", "T"},
        {"(zerop 1)", "nil"},
        {"(minusp -0.1)", "T"},
        {"(minusp 0)", "nil"},
        {"(gcd 81 57)", "3"},
        {"(gcd 12 -18)", "6"},
        {"(expt 2 4)", "16"},
        {"(expt 3.0 2.0)", "9.0"},
        {"(expt 2 -1)", "0"},
        {"(expt 2.0 -1)", "0.5"},
        {"(expt -1 -3)", "-1"},
        {"(sqrt 30.25)", "5.5"},
        {"(sqrt 4)", "2.0"},
        {"(exp 0)", "1.0"},
        {"(log 1)", "0.0"},
        {"(log 2.718281828459045)", "1.0"},
        {"(sin 0)", "0.0"},
        {"(cos 0.0)", "1.0"},
        {"(atan 1)", "0.785398"},
        {"(atan 1 -1)", "2.35619"},
        {"(atan -1 0)", "-1.5708"},
        {"(logand 7 15 3)", "3"},
        {"(logand)", "0"},
        {"(logior 9 3)", "11"},
        {"(lsh 2 1)", "4"},
        {"(lsh 40 -2)", "10"},
        {"(lsh 1 31)", "-2147483648"},
        {"(boole 1 12 5)", "4"},
        {"(boole 6 6 5)", "3"},
        {"(boole 7 4 1)", "5"},
        {"(boole 8 0 0)", "-1"},
        {"(~ 3)", "-4"},
        {"(~ -1)", "0"},
        {"(1+ 2.5)", "3.5"},
        {"(1- 0)", "-1"},
        {"(rem 42 12)", "6"},
        {"(rem 10.5 4)", "2.5"},
        {"(rem -7 2)", "-1"},
        {"(rem 26 7 2)", "1"},
        {"(rem 26 7.0 2)", "1.0"},
        {"(rem 5)", "5"},
        {"(rem)", "0"},
        {"(equal 1.0 1 0)", "T"},
        {"(equal '(1.0 2.0) '(1.01 1.99) 0.02)", "T"},
        {"(equal '(1.0 2.0) '(1.1 2.0) 0.02)", "nil"},
        {"(equal \"a\" \"a\")", "T"},
        {"(eq \"a\" 'a)", "nil"},
        {"(setq l1 '(a b) l2 l1) (eq l1 l2)", "T"},
    };
    runTable(cases, sizeof cases / sizeof cases[0]);
}

TEST(Builtins, Text)
{
    const Case cases[] = {
        {"(strcase \"Sample\")", "\"SAMPLE\""},
        {"(strcase \"Sample\" T)", "\"sample\""},
        {"(strlen \"ab\" \"cde\")", "5"},
        {"(strlen)", "0"},
        {"(substr \"Welcome\" 1 3)", "\"Wel\""},
        {"(strcat)", "\"\""},
        {"(strcat \"a\" \"b\")", "\"ab\""},
        {"(itoa 33)", "\"33\""},
        {"(atoi \"-17\")", "-17"},
        {"(atoi \"x\")", "0"},
        {"(atof \"3.9\")", "3.9"},
        {"(atof \"x\")", "0.0"},
        {"(ascii \"B\")", "66"},
        {"(ascii \"\")", "0"},
        {"(chr 97)", "\"a\""},
        {"(rtos 17.5 1 4)", "\"1.7500E+01\""},
        {"(rtos 17.5 2 2)", "\"17.50\""},
        {"(rtos 17.5 3 2)", "\"1'-5.50\\\"\""},
        {"(rtos 17.5 4 2)", "\"1'-5 1/2\\\"\""},
        {"(rtos 17.5 5 2)", "\"17 1/2\""},
        {"(rtos -2.25 5 3)", "\"-2 1/4\""},
        {"(rtos 2 2 0)", "\"2\""},
        // Inches that round up to 12 are the next foot (DIMZIN 1 shows the zero inches).
        {"(defun getvar (n) (if (= n \"DIMZIN\") 1)) (rtos 23.999 3 2)", "\"2'-0.00\\\"\""},
        {"(defun getvar (n) (if (= n \"DIMZIN\") 1)) (rtos 23.99 4 2)", "\"2'-0\\\"\""},
        {"(defun getvar (n) (if (= n \"DIMZIN\") 1)) (rtos 35.9999 4 8)", "\"3'-0\\\"\""},
        {"(list (rtos 23.999 3 2) (rtos 35.9999 4 8))", "(\"2'\" \"3'\")"},
        // DIMZIN 1 keeps both zero parts, 2 zero feet, 3 zero inches; UNITMODE 1 writes them as typed.
        {"(defun getvar (n) (if (= n \"DIMZIN\") 1)) (list (rtos 5.5 4 2) (rtos 24.0 4 2))", "(\"0'-5 1/2\\\"\" \"2'-0\\\"\")"},
        {"(defun getvar (n) (if (= n \"DIMZIN\") 2)) (list (rtos 5.5 4 2) (rtos 24.0 4 2))", "(\"0'-5 1/2\\\"\" \"2'\")"},
        {"(defun getvar (n) (if (= n \"DIMZIN\") 3)) (list (rtos 5.5 4 2) (rtos 24.0 4 2))", "(\"5 1/2\\\"\" \"2'-0\\\"\")"},
        {"(defun getvar (n) (if (= n \"UNITMODE\") 1)) (list (rtos 17.5 3 2) (rtos 17.5 4 2) (rtos 17.5 5 2))",
         "(\"1'5.50\\\"\" \"1'5-1/2\\\"\" \"17-1/2\")"},
        {"(rtos 23.9 3 2)", "\"1'-11.90\\\"\""},
        {"(rtos 1e15 4 2)", "\"83333333333333'-4\\\"\""},
        {"(distof \"17.5\")", "17.5"},
        {"(distof \"1.75E+01\" 1)", "17.5"},
        {"(distof \"1'-5 1/2\\\"\" 4)", "17.5"},
        {"(distof \"17 1/2\" 5)", "17.5"},
        {"(distof \"3/4\")", "0.75"},
        {"(distof \"abc\")", "nil"},
        // Decimal numbers only, as the host's readers take them: no NaN, infinity or hexadecimal.
        {"(list (distof \"nan\") (distof \"0x10\") (angtof \"inf\") (atof \"nan\") (atof \" 12.5e1x\"))",
         "(nil nil nil 0.0 125.0)"},
        // As typed at the keyboard: no inch mark, a dash between a whole number and a fraction.
        {"(distof \"1'6\" 4)", "18.0"},
        {"(distof \"1'6-1/2\\\"\" 4)", "18.5"},
        {"(distof \"17-1/2\" 5)", "17.5"},
        {"(distof \"-17-1/2\" 5)", "-17.5"},
        {"(distof \"1'6x\" 4)", "nil"},
        {"(distof \"17--1/2\" 5)", "nil"},
        {"(wcmatch \"Name\" \"N*\")", "T"},
        {"(wcmatch \"Name\" \"n*\")", "nil"},
        {"(wcmatch \"Name\" \"???,~*m*,N*\")", "T"},
        {"(wcmatch \"Name\" \"*`,*\")", "nil"},
        {"(wcmatch \"a,b\" \"*`,*\")", "T"},
        {"(wcmatch \"test5\" \"*test[4-69]*\")", "T"},
        {"(wcmatch \"test7\" \"test[~4-6]\")", "T"},
        {"(wcmatch \"A1\" \"@#\")", "T"},
        {"(wcmatch \"A-\" \"@.\")", "T"},
        {"(wcmatch \"abc\" \"~*b*\")", "nil"},
        // In brackets a comma is one of the characters; a backquote last matches itself.
        {"(list (wcmatch \"a;b\" \"*[,;]*\") (wcmatch \"a,b\" \"x,*[;,]*\") (wcmatch \"x\" \"a,x`\") (wcmatch \"`\" \"`\"))",
         "(T T nil T)"},
        // Halves round away from zero; feet and inches leave out the zero parts DIMZIN 0 says.
        {"(list (rtos 2.5 2 0) (rtos 0.125 2 2) (rtos -17.125 2 2) (rtos 0.145 2 2) (rtos 99.95 2 1))",
         "(\"3\" \"0.13\" \"-17.13\" \"0.14\" \"100.0\")"},
        {"(list (rtos 5.5 4 2) (rtos 24.0 4 2) (rtos 12.5 4 2) (rtos 17.5 4 2) (rtos 5.5 3 2) (rtos 0.0 4 2))",
         "(\"5 1/2\\\"\" \"2'\" \"1'-0 1/2\\\"\" \"1'-5 1/2\\\"\" \"5.50\\\"\" \"0\\\"\")"},
        {"(list (angtof \"45.0000\" 3) (angtof \"-90\") (angtos 0.125 3 2))", "(1.0177 4.71239 \"0.13r\")"},
        // trans: the user and display systems are the world's; an object's from its extrusion.
        {"(list (trans '(1 2 3) 0 1) (trans '(1 2) 1 0) (trans '(1 2) 0 2 T) (trans '(1 2 3) 2 3))",
         "((1.0 2.0 3.0) (1.0 2.0 0.0) (1.0 2.0 0.0) (1.0 2.0 3.0))"},
        {"(defun getvar (n) (if (= n \"ELEVATION\") 4.5)) (list (trans '(1 2) 1 0) (trans '(1 2) 0 1) (trans '(1 2) 1 0 T))",
         "((1.0 2.0 4.5) (1.0 2.0 0.0) (1.0 2.0 0.0))"},
        {"(list (trans '(1 2 3) 0 '(0 0 1)) (trans '(1 2 3) 0 '(0 0 -1)) (trans '(1 2 3) 0 '(1 0 0)) "
         "(trans '(1 2 3) '(1 0 0) 0) (trans '(1 2 3) 0 '(0 1 0)))",
         "((1.0 2.0 3.0) (-1.0 2.0 -3.0) (2.0 3.0 1.0) (3.0 1.0 2.0) (-1.0 3.0 2.0))"},
        {"(mapcar '(lambda (v) (equal (trans (trans '(3 -4 5) 0 v) v 0) '(3.0 -4.0 5.0) 1e-9)) '((1 1 1) (0.001 0.002 1) (-2 5 0.3)))",
         "(T T T)"},
        {"(list (alloc 100) (alloc 200) (expand 2) (gc))", "(1000 100 2 nil)"},
        // DIMZIN's zeros hold for decimal angles too; degrees, minutes and seconds keep theirs.
        {"(defun getvar (n) (if (= n \"DIMZIN\") 12)) (list (angtos 0.5 0 4) (angtos 0.5 2 4) (angtos 1.5 3 3) "
         "(angtos pi 0 2) (angtos 0.5 1 4))",
         "(\"28.6479\" \"31.831g\" \"1.5r\" \"180\" \"28d38'52\\\"\")"},
        {"(defun getvar (n) (if (= n \"DIMZIN\") 4)) (list (angtos 0.005 3 3) (angtos -0.5 2 1))", "(\".005r\" \"368.2g\")"},
        {"(list -2147483648 2147483647 (type '0x1A) (expt 3 2000000001) (expt 2 31) (expt -2 3))",
         "(-2.14748e+009 2147483647 SYM 1897082883 -2147483648 -8)"},
        {"(vl-string-search \"foo\" \"pfooyey on you\")", "1"},
        {"(vl-string-search \"who\" \"pfooyey!\")", "nil"},
        {"(vl-string-search \"foo\" \"fooey-more-fooey\" 1)", "11"},
        {"(vl-string-subst \"Obi-wan\" \"Ben\" \"Ben Kenobi Ben\")", "\"Obi-wan Kenobi Ben\""},
        {"(vl-string-subst \"Obi-wan\" \"Ben\" \"ben Kenobi\")", "\"ben Kenobi\""},
        {"(vl-string-subst \"x\" \"a\" \"aaa\" 1)", "\"axa\""},
        {"(vl-string->list \"12\")", "(49 50)"},
        {"(vl-list->string '(49 50))", "\"12\""},
        {"(vl-string-trim \" \\t\" \"  hi \\t\")", "\"hi\""},
        {"(vl-string-left-trim \" \" \"  hi \")", "\"hi \""},
        {"(vl-string-right-trim \" \" \"  hi \")", "\"  hi\""},
        {"(vl-string-trim \" \" \"   \")", "\"\""},
        {"(vl-filename-base \"c:\\\\acadwin\\\\acad.exe\")", "\"acad\""},
        {"(vl-filename-base \"c:/acadwin\")", "\"acadwin\""},
        {"(vl-filename-directory \"c:\\\\acadwin\\\\acad.exe\")", "\"c:\\\\acadwin\""},
        {"(vl-filename-directory \"acad.exe\")", "\"\""},
        {"(vl-filename-extension \"c:\\\\acadwin\\\\acad.exe\")", "\".exe\""},
        {"(vl-filename-extension \"c:\\\\a.b\\\\acad\")", "nil"},
        {"(vl-prin1-to-string \"a\\\\b\")", "\"\\\"a\\\\\\\\b\\\"\""},
        // Control characters print as the reader reads them back.
        {"(vl-prin1-to-string (strcat (chr 2) \"\\r\" (chr 27) (chr 31)))", "\"\\\"\\\\002\\\\r\\\\e\\\\037\\\"\""},
        {"(read (vl-prin1-to-string (strcat (chr 2) \"\\r\" (chr 27))))", "\"\\002\\r\\e\""},
        {"(vl-princ-to-string '(1 \"a\"))", "\"(1 a)\""},
        {"(vl-symbol-name 'abc)", "\"ABC\""},
        {"(type (read \"x\"))", "SYM"},
        // Names of layers and blocks: EXTNAMES 1 (the host's own), then 0.
        {"(mapcar 'snvalid '(\"hocus-pocus\" \"hocus pocus\" \"hocus%pocus\" \"hocus|pocus\" \"a<b\" \"a;b\" \"\" \"x\\tz\"))",
         "(T T T nil nil nil nil nil)"},
        {"(list (snvalid \"hocus|pocus\" 1) (snvalid \"|hocus\" 1) (snvalid \"hocus|\" 1))", "(T nil nil)"},
        {"(defun getvar (n) (if (= n \"EXTNAMES\") 0)) (mapcar 'snvalid '(\"Hocus-$_9\" \"hocus pocus\" \"hocus%pocus\" "
         "\"abcdefghijklmnopqrstuvwxyz01234\" \"abcdefghijklmnopqrstuvwxyz012345\"))",
         "(T nil nil T nil)"},
        // menucmd's macro language: calls expanded inside out, quoted parts kept whole, the
        // host's strings for what cannot be called. 2451427.25 is 1999-09-05 (a Sunday) 06:00.
        {"(menucmd \"M=$(edtime, 2451427.25, DDDD\\\",\\\" D MONTH YYYY)\")", "\"Sunday, 5 September 1999\""},
        {"(menucmd \"M=$(edtime,2451427.7604167,YYYYMODD-HHMMSS DDD MON YY H:MM am/pm A/P)\")",
         "\"19990905-061500 Sun Sep 99 6:15 pm P\""},
        {"(menucmd \"M=$(edtime,2451427.7604167,HH:MM)\")", "\"18:15\""},
        {"(menucmd \"M=$(edtime,2451545.0000116,DD/MO/YYYY HH:MM:SS.MSEC AM/PM)\")", "\"01/01/2000 12:00:01.002 AM\""},
        {"(menucmd \"M=x$(+,1,2.5)y$(*,2,3)$(/,7,2)$(-,1)$(fix,-2.7)$(=,2,2.0)$(<,3,2)$(and,6,3)$(xor,6,3)\")",
         "\"x3.5y63.51-21025\""},
        {"(menucmd \"M=$(if,$(eq,ab,$(upper,ab)),yes,no)/$(strlen,\\\"a,b\\\")/$(substr,abcdef,2,3)/$(substr,abc,9)/"
         "$(index,1,\\\"a,bb,c\\\")/$(nth,2,x,y,z)/$(eval,\\\"$(+,1,1)\\\")\")",
         "\"no/3/bcd//bb/z/2\""},
        {"(menucmd \"M=$(nosuch,1)|$(+,a)|$(/,1,0)|$(substr,abc)|$(+,1\")", "\"$(nosuch)?\?|$(+,?\?)|$(/,?\?)|$(substr,?\?)|$?+,1\""},
        {"(defun getvar (n) (cdr (assoc (strcase n) '((\"CLAYER\" . \"Walls\") (\"LUPREC\" . 4) (\"DATE\" . 2451427.25))))) "
         "(menucmd \"M=$(getvar,clayer)/$(getvar,LUPREC)/$(edtime,$(getvar,date),YYYY)/$(getvar,nosuch)\")",
         "\"Walls/4/1999/$(getvar,?\?)\""},
        {"(list (menucmd \"P1=*\") (menucmd \"m=plain\"))", "(nil \"plain\")"},
        // What no call can take: a time or a number out of range, a mode rtos refuses, calls
        // nested past a hundred (an eval of its own text, here) and a hundred and one deep.
        {"(menucmd \"M=$(edtime,-40000,DDD MON)|$(edtime,1e999,YYYY)|$(fix,3e9)|$(substr,abc,1,1e10)|$(rtos,1,9)|$(angtos,1,9)\")",
         "\"$(edtime,?\?)|$(edtime,?\?)|$(fix,?\?)|$(substr,?\?)|$(rtos,?\?)|$(angtos,?\?)\""},
        {"(setenv \"LOOP\" \"$(eval,$(getenv,LOOP))\") (wcmatch (menucmd \"M=$(eval,$(getenv,LOOP))\") \"*$?*\")", "T"},
        {"(defun nest (n / s) (setq s \"x\") (repeat n (setq s (strcat \"$(upper,\" s \")\"))) (strcat \"M=\" s)) "
         "(list (menucmd (nest 100)) (wcmatch (menucmd (nest 101)) \"*$?*\"))",
         "(\"X\" T)"},
        // The configuration's application data, for the session.
        {"(list (setcfg \"AppData/ArchStuff/WallThk\" \"8\") (getcfg \"appdata/archstuff/WALLTHK\") "
         "(getcfg \"AppData/ArchStuff/Other\"))",
         "(\"8\" \"8\" \"\")"},
        {"(list (setcfg \"AppData/WallThk\" \"8\") (setcfg \"General/A/B\" \"8\") (getcfg \"AppData/A//B\") "
         "(getcfg \"AppData/A/B/\"))",
         "(nil nil nil nil)"},
    };
    runTable(cases, sizeof cases / sizeof cases[0]);
}

// Every c[ad]{2,4}r is its car and cdr calls composed, as CADR is (car (cdr x)).
TEST(Builtins, EveryCarCdrCombination)
{
    const std::string tree = "'(((((1 . 2) 3) (4 . 5) 6) ((7 . 8) 9) 10) (((11 . 12) 13) 14) 15 16)";
    lisp::Interp in;
    int checked = 0;
    for (int depth = 2; depth <= 4; ++depth)
        for (int bits = 0; bits < (1 << depth); ++bits) {
            std::string path, composed = tree;
            for (int k = 0; k < depth; ++k)
                path += (bits >> k) & 1 ? 'D' : 'A';
            for (auto it = path.rbegin(); it != path.rend(); ++it)
                composed = std::string("(c") + static_cast<char>(std::tolower(*it)) + "r " + composed + ")";
            EXPECT_EQ(run(in, "(c" + path + "r " + tree + ")"), run(in, composed)) << path;
            ++checked;
        }
    EXPECT_EQ(checked, 28);
}

// A module's function is the value of its symbol, of type EXRXSUBR, and can be passed on.
TEST(Builtins, ModuleFunctionsAreValues)
{
    lisp::Interp in;
    in.externalDefined = [](const std::string& name) { return name == "KEL_DIR"; };
    in.external = [](const std::string& name, lisp::Args& args, lisp::Value& result) {
        if (name != "KEL_DIR")
            return false;
        result = lisp::makeInt(static_cast<int32_t>(args.size()));
        return true;
    };
    EXPECT_EQ(run(in, "(type kel_dir)"), "EXRXSUBR");
    EXPECT_EQ(run(in, "kel_dir"), "#<EXRXSUBR KEL_DIR>");
    EXPECT_EQ(run(in, "(mapcar 'kel_dir '(1 2) '(3 4))"), "(2 2)");
    EXPECT_EQ(run(in, "(setq f kel_dir) (f 1 2 3)"), "3");
    EXPECT_EQ(run(in, "(type kel_none)"), "nil");
}

TEST(Builtins, ErrorsAreTheHostsMessages)
{
    const Case cases[] = {
        {"(mapcar 1 '(1))", "error: bad argument type: functionp 1"},
        {"(vl-symbol-name \"a\")", "error: bad argument type: symbolp \"a\""},
        {"(sqrt -1)", "error: function undefined for argument: -1"},
        {"(log 0)", "error: function undefined for argument: 0"},
        {"(close 1)", "error: bad argument type: streamp 1"},
        {"(open \"x\" \"q\")", "error: bad argument value: \"q\""},
        {"(rtos 1 9)", "error: bad argument value: 9"},
        {"(gcd 1.5 2)", "error: bad argument type: fixnump: 1.5"},
        {"(zerop \"0\")", "error: bad argument type: numberp: \"0\""},
        {"(setq 1 2)", "error: bad argument type: symbolp 1"},
        {"(defun f (a) a) (f)", "error: too few arguments"},
        {"(defun f (a) a) (f 1 2)", "error: too many arguments"},
        {"(setq x 5) (x)", "error: bad function: 5"},
        {"(load \"no-such-file\")", "error: LOAD failed: \"no-such-file\""},
        {"(load \"no-such-file\" 'gone)", "GONE"},
        {"(read \"(a\")", "error: malformed list on input"},
        {"(read \")\")", "error: extra right paren on input"},
        {"(foreach x 5 x)", "error: bad argument type: listp 5"},
        {"(repeat 2.0 1)", "error: bad argument type: fixnump: 2.0"},
        {"(< 5 nil)", "error: bad argument type: numberp: nil"},
        {"(>= nil 0)", "error: bad argument type: numberp: nil"},
        {"(< \"a\" 1)", "error: bad argument type: stringp 1"},
        {"(> 1 \"a\")", "error: bad argument type: stringp 1"},
        {"(max nil 1)", "error: bad argument type: numberp: nil"},
        {"(min 1 2.5 nil)", "error: bad argument type: numberp: nil"},
        {"(trans '(1 2 3) 4 0)", "error: bad argument value: 4"},
        {"(trans '(1 2 3) 0 '(0 0 0))", "error: bad argument value: (0 0 0)"},
        {"(trans '(1 2 3) 0 \"x\")", "error: bad argument value: \"x\""},
        {"(alloc 0)", "error: bad argument value: 0"},
        // defun-q functions as the lists they are, and the startup idiom that joins two.
        {"(defun-q my-startup (x) (print (list x))) (defun-q-list-ref 'my-startup)", "((X) (PRINT (LIST X)))"},
        {"(defun-q-list-set 'foo '((x) x))", "FOO"},
        {"(defun-q-list-set 'foo '((x) x)) (foo 3)", "3"},
        {"(defun-q foo (x) (setq r (list 'foo x))) (defun-q bar (x) (setq r (cons 'bar r)))"
         "(defun-q-list-set 'foo (append (defun-q-list-ref 'foo) (cdr (defun-q-list-ref 'bar)))) (foo 3) r",
         "(BAR FOO 3)"},
        {"(defun-q s::startup () (setq a 1)) (defun-q mine () (setq b 2))"
         "(setq s::startup (append s::startup (cdr mine))) (s::startup) (list a b)",
         "(1 2)"},
        {"(defun f (x) x) (defun-q-list-ref 'f)", "nil"},
        {"(defun-q-list-ref 'never-set)", "nil"},
        {"(defun-q-list-ref \"f\")", "error: bad argument type: symbolp \"f\""},
        {"(defun-q-list-set 'foo 5)", "error: bad argument type: listp 5"},
        {"(command-s)", "error: no function definition: COMMAND-S"},  // the host's, not the LISP's
    };
    runTable(cases, sizeof cases / sizeof cases[0]);
}

TEST(Builtins, ErrorHandlerGetsTheMessageWhereTheErrorHappened)
{
    lisp::Interp in;
    std::string out;
    in.write = [&out](const std::string& s) { out += s; };
    EXPECT_EQ(run(in, "(defun *error* (msg) (princ (strcat \"caught: \" msg \"\\n\")))"
                      "(+ 1 \"a\")"),
              "error: ");
    EXPECT_EQ(out, "caught: bad argument type: numberp: \"a\"\n");
    // The idiom: a command's own *error* as a local, seeing the command's variables.
    out.clear();
    EXPECT_EQ(run(in, "(defun c:go (/ *error* step)"
                      "  (defun *error* (msg) (princ (strcat \"at \" step \": \" msg)))"
                      "  (setq step \"two\") (car 1))"
                      "(c:go)"),
              "error: ");
    EXPECT_EQ(out, "at two: bad argument type: listp 1");
    out.clear();
    EXPECT_EQ(run(in, "(setq *error* nil) (car 1)"), "error: bad argument type: listp 1");
    // A handler that fails: its own error is the one printed.
    EXPECT_EQ(run(in, "(defun *error* (msg) (car msg)) (car 1)"), "error: bad argument type: listp \"bad argument type: listp 1\"");
}

// The error mode a program pushed last says where *error* runs: among the failing
// function's variables (the stack, as by default), or after they are given back (command).
TEST(Builtins, ErrorModeSaysWhichVariablesTheHandlerSees)
{
    struct Row {
        const char* modes;
        const char* seen;
    };
    const Row rows[] = {
        {"", "\"local\""},
        {"(*push-error-using-stack*)", "\"local\""},
        {"(*push-error-using-command*)", "\"global\""},
        {"(*push-error-using-command*) (*pop-error-mode*)", "\"local\""},
        {"(*push-error-using-command*) (*push-error-using-stack*)", "\"local\""},
        {"(*push-error-using-command*) (*push-error-using-stack*) (*pop-error-mode*)", "\"global\""},
        {"(*pop-error-mode*) (*pop-error-mode*)", "\"local\""},
    };
    for (const Row& row : rows) {
        lisp::Interp in;
        in.write = [](const std::string&) {};
        EXPECT_EQ(run(in, std::string(row.modes) + " (setq v \"global\") (defun *error* (m) (setq seen v))"
                                                   "(defun f (/ v) (setq v \"local\") (car 1)) (f)"),
                  "error: ")
            << row.modes;
        EXPECT_EQ(run(in, "seen"), row.seen) << row.modes;
    }
    lisp::Interp in;
    EXPECT_EQ(run(in, "(*push-error-using-command*)"), "T");
    EXPECT_EQ(run(in, "(*push-error-using-stack*)"), "T");
    EXPECT_EQ(run(in, "(list (*pop-error-mode*) (*pop-error-mode*) (*pop-error-mode*))"), "(T T T)");
    EXPECT_EQ(run(in, "(*pop-error-mode* 1)"), "error: too many arguments");
}

// foreach binds its variable as a function binds a parameter: an error passing through
// gives the old value back, after *error* has seen the one the error happened with.
TEST(Builtins, ForeachGivesItsVariableBackWhenAnErrorPassesThrough)
{
    struct Row {
        const char* forms;
        const char* error;
        const char* after;  // evaluated once the error has passed
        const char* value;
    };
    const Row rows[] = {
        {"(setq n 0) (foreach n '(1 2) (car n))", "bad argument type: listp 1", "n", "0"},
        {"(foreach n '(1 2) (car n))", "bad argument type: listp 1", "(boundp 'n)", "nil"},
        {"(setq x 'outer) (foreach x '(1 2) (foreach x '(3 4) (car x)))", "bad argument type: listp 3", "x", "OUTER"},
        {"(setq x 'outer) (defun f (x) (foreach x '(5) (car x))) (f 'param)", "bad argument type: listp 5", "x", "OUTER"},
        {"(setq n 0) (defun *error* (m) (setq seen n)) (foreach n '(1 2 3) (if (= n 2) (car n)))", "", "(list seen n)",
         "(2 0)"},
        {"(setq n 0) (foreach n '(1 2) (quit))", "", "n", "0"},
    };
    for (size_t k = 0; k < sizeof rows / sizeof rows[0]; ++k) {
        lisp::Interp in;
        in.write = [](const std::string&) {};
        EXPECT_EQ(run(in, rows[k].forms), std::string("error: ") + rows[k].error) << "row " << k << ": " << rows[k].forms;
        EXPECT_EQ(run(in, rows[k].after), rows[k].value) << "row " << k << ": " << rows[k].forms;
    }
}

TEST(Builtins, QuitEndsTheScriptThroughTheHandler)
{
    lisp::Interp in;
    std::string out;
    in.write = [&out](const std::string& s) { out += s; };
    EXPECT_EQ(run(in, "(princ \"a\") (quit) (princ \"b\")"), "error: ");
    EXPECT_TRUE(in.quitting);
    EXPECT_EQ(out, "a");
    lisp::Interp in2;
    out.clear();
    in2.write = [&out](const std::string& s) { out += s; };
    EXPECT_EQ(run(in2, "(defun *error* (m) (princ m)) (exit)"), "error: ");
    EXPECT_EQ(out, "quit / exit abort");
}

TEST(Builtins, PrincAloneLeavesNothing)
{
    lisp::Interp in;
    std::string out;
    in.write = [&out](const std::string& s) { out += s; };
    EXPECT_EQ(run(in, "(princ)"), "");
    EXPECT_EQ(run(in, "(defun c:x () (princ \"done\") (princ)) (c:x)"), "");
    EXPECT_EQ(run(in, "(setq r (prin1)) r"), "nil");
    EXPECT_EQ(out, "done");
}

TEST(Builtins, TheCommandLine)
{
    struct Row {
        const char* forms;
        std::vector<std::string> typed;
        const char* value;
        const char* shown;
    };
    const Row rows[] = {
        {"(getstring \"Name: \")", {"Ann Lee\n"}, "\"Ann\"", "Name: "},
        {"(getstring T \"Name: \")", {"Ann Lee\n"}, "\"Ann Lee\"", "Name: "},
        {"(getstring)", {}, "nil", ""},
        {"(getint \"N: \")", {"x\n", "2.5\n", "40000\n", "12\n"}, "12",
         "N: Requires an integer value.\nN: Requires an integer value.\nN: Requires an integer value.\nN: "},
        {"(getint)", {"\n"}, "nil", ""},
        {"(initget 1) (getint)", {"\n", "3\n"}, "3", "Requires an integer value.\n"},
        {"(initget 6) (getint)", {"0\n", "-2\n", "4\n"}, "4", "Value must be nonzero.\nValue must be positive.\n"},
        {"(getint)", {"15.0\n", "1e2\n", "7\n"}, "7", "Requires an integer value.\nRequires an integer value.\n"},
        {"(getreal \"R: \")", {"abc\n", "2.5\n"}, "2.5", "R: Requires numeric value.\nR: "},
        {"(getreal)", {"nan\n", "0x10\n", "-1.5e2\n"}, "-150.0", "Requires numeric value.\nRequires numeric value.\n"},
        // Bit 128: any answer, as typed; with bit 1, Enter is "".
        {"(initget 128 \"Yes No\") (getkword)", {"maybe\n"}, "\"maybe\"", ""},
        {"(initget 128) (getint)", {"12a\n"}, "\"12a\"", ""},
        {"(initget 129) (getreal)", {"\n"}, "\"\"", ""},
        {"(initget 128) (getreal)", {"\n"}, "nil", ""},
        {"(strlen (getstring T))", {std::string(200, 'w') + "\n"}, "132", ""},
        {"(getreal)", {"7\n"}, "7.0", ""},
        {"(initget \"Yes No\") (getreal)", {"n\n"}, "\"No\"", ""},
        {"(initget 1 \"Yes No\") (getkword \"Sure? \")", {"Maybe\n", "yes\n"}, "\"Yes\"",
         "Sure? Invalid option keyword.\nSure? "},
        {"(initget \"Left lAst\") (getkword)", {"la\n"}, "\"lAst\"", ""},
        // The capitals may stand anywhere; a comma gives the abbreviation; past "_" come
        // the keywords returned, which an answer starting with "_" names.
        {"(initget \"LType eXit\") (getkword)", {"e\n", "x\n"}, "\"eXit\"", "Invalid option keyword.\n"},
        {"(initget \"LType eXit\") (getkword)", {"ex\n"}, "\"eXit\"", ""},
        {"(initget \"LType eXit\") (getkword)", {"l\n", "lty\n"}, "\"LType\"", "Invalid option keyword.\n"},
        {"(initget \"LTYPE,LT Width\") (getkword)", {"l\n", "lt\n"}, "\"LTYPE\"", "Invalid option keyword.\n"},
        {"(initget \"LTYPE,LT Width\") (getkword)", {"ltyp\n"}, "\"LTYPE\"", ""},
        {"(initget \"Ja Nein _Yes No\") (getkword)", {"n\n"}, "\"No\"", ""},
        {"(initget \"Ja Nein _Yes No\") (getkword)", {"_yes\n"}, "\"Yes\"", ""},
        {"(getkword \"no keywords \")", {"x\n"}, "nil", ""},
        // Points, distances and angles typed: "@" from the last point, "d<a" a distance and a
        // direction; a distance or an angle in the current units or shown by two points.
        {"(getpoint \"Where? \")", {"abc\n", "1'6,2\n"}, "(18.0 2.0 0.0)", "Where? Invalid point.\nWhere? "},
        {"(getpoint) (getpoint '(9 9))", {"1,2\n", "@3,4,5\n"}, "(4.0 6.0 5.0)", ""},
        {"(getpoint) (getpoint)", {"1,1\n", "@2<0\n"}, "(3.0 1.0 0.0)", ""},
        // A point typed in 2D is at the elevation, and a relative one keeps the last one's Z.
        {"(defun getvar (n) (if (= n \"ELEVATION\") 4.5)) (list (getpoint) (getpoint) (getpoint) (getcorner '(0 0 9)))",
         {"1,2,7\n", "@1,1\n", "2<0\n", "5,5,7\n"}, "((1.0 2.0 7.0) (2.0 3.0 7.0) (2.0 0.0 4.5) (5.0 5.0 4.5))", ""},
        {"(initget \"Exit\") (getpoint)", {"x y\n", "e\n"}, "\"Exit\"", "Point or option keyword required.\n"},
        {"(getpoint)", {"\n"}, "nil", ""},
        {"(getcorner '(1 1 5) \"Corner: \")", {"4,5,6\n"}, "(4.0 5.0 0.0)", "Corner: "},
        {"(getdist)", {"1'3\"\n"}, "15.0", ""},
        {"(getdist '(0 0 0))", {"3,4,12\n"}, "13.0", ""},
        {"(initget 64) (getdist '(0 0 0))", {"3,4,12\n"}, "5.0", ""},
        {"(getdist \"How far? \")", {"0,0\n", "3,4\n"}, "5.0", "How far? Specify second point: "},
        {"(initget 6) (getdist)", {"0\n", "-2\n", "far\n", "2.5\n"}, "2.5",
         "Value must be nonzero.\nValue must be positive.\nRequires numeric distance or two points.\n"},
        {"(getangle)", {"90\n"}, "1.5708", ""},
        {"(getangle '(0 0))", {"left\n", "-1,0\n"}, "3.14159", "Requires valid numeric angle or second point.\n"},
        // Typed from ANGBASE in ANGDIR's sense (here north, clockwise): getangle gives the
        // angle from ANGBASE anticlockwise, getorient from the X axis.
        {"(defun getvar (n) (cdr (assoc n '((\"ANGBASE\" . 1.5707963267948966) (\"ANGDIR\" . 1)))))"
         "(list (getangle) (getorient) (getangle) (getorient) (getangle) (getorient))",
         {"0\n", "0\n", "-90\n", "-90\n", "90\n", "90\n"}, "(0.0 1.5708 1.5708 3.14159 4.71239 0.0)", ""},
        {"(read-line)", {"a line\n"}, "\"a line\"", ""},
        {"(read-char)", {"Q\n"}, "81", ""},
        // read-char takes a line, then its characters and line end one by one.
        {"(list (read-char) (read-char) (read-char) (read-char) (read-char))", {"AB\n", "C\n"}, "(65 66 10 67 10)", ""},
        {"(list (read-char) (read-line) (read-line))", {"xyz\n", "next\n"}, "(120 \"yz\" \"next\")", ""},
        {"(write-line \"out\")", {}, "\"out\"", "out\n"},
        {"(write-char 65)", {}, "65", "A"},
        {"(print \"p\")", {}, "\"p\"", "\n\"p\" "},
        {"(terpri)", {}, "nil", "\n"},
    };
    for (const Row& r : rows) {
        lisp::Interp in;
        std::string out;
        std::deque<std::string> typed(r.typed.begin(), r.typed.end());
        in.write = [&out](const std::string& s) { out += s; };
        in.readLine = [&typed](std::string& line) {
            if (typed.empty())
                return false;
            line = typed.front();
            typed.pop_front();
            return true;
        };
        EXPECT_EQ(run(in, r.forms), r.value) << r.forms;
        EXPECT_EQ(out, r.shown) << r.forms;
    }
}

// A local variable named as a function is nil until set, and the function is back after.
TEST(Builtins, LocalNamedAsFunction)
{
    lisp::Interp in;
    EXPECT_EQ(run(in, "(defun f (/ last) (list last (setq last 2) last)) (f)"), "(nil 2 2)");
    EXPECT_EQ(run(in, "(list (type last) (last '(1 2)))"), "(SUBR 2)");
    EXPECT_EQ(run(in, "(defun g (last) (list last)) (g nil)"), "(nil)");
    EXPECT_EQ(run(in, "(type last)"), "SUBR");
    EXPECT_EQ(run(in, "(setq unbound-name nil) (boundp 'unbound-name)"), "nil");
}

TEST(Builtins, FilesAndLoading)
{
    std::string dir = ::testing::TempDir();
    std::string text = dir + "kelmar-lisp-file.txt", lsp = dir + "kelmar-lisp-load.lsp";
    lisp::Interp in;
    std::string out;
    in.write = [&out](const std::string& s) { out += s; };
    in.setGlobal("TEXT", lisp::makeStr(text));
    EXPECT_EQ(run(in, "(setq f (open text \"w\")) (type f)"), "FILE");
    EXPECT_EQ(run(in, "(write-line \"one\" f) (princ 2 f) (prin1 \"q\" f) (print 'x f) (write-char 10 f) (close f)"), "nil");
    EXPECT_EQ(run(in, "(close f)"), "error: bad argument type: streamp #<file \"" + text + "\">");
    EXPECT_EQ(run(in, "(setq f (open text \"a\")) (write-line \"three\" f) (close f)"), "nil");
    // A file is never appended to itself; appended to another it gives its size.
    EXPECT_EQ(run(in, "(list (vl-file-copy text text T) (vl-file-size text))"), "(nil 18)");
    EXPECT_EQ(run(in, "(setq f (open text \"r\") lines nil)"
                      "(while (setq l (read-line f)) (setq lines (cons l lines)))"
                      "(close f) (reverse lines)"),
              "(\"one\" \"2\\\"q\\\"\" \"X \" \"three\")");
    EXPECT_EQ(run(in, "(setq f (open text \"r\")) (list (read-char f) (read-char f) (progn (close f) 0))"), "(111 110 0)");
    // write-char writes any byte, a 0 among them.
    EXPECT_EQ(run(in, "(setq f (open text \"w\")) (foreach c '(0 65 0 255) (write-char c f)) (close f)"), "nil");
    std::ifstream bytes(text, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(bytes), {}), std::string("\0A\0\xff", 4));
    EXPECT_EQ(run(in, "(open \"/no/such/folder/x\" \"r\")"), "nil");
    std::ofstream(lsp) << "(defun loaded (x) (* x 10))\n(setq marker 'here)\n";
    in.setGlobal("LSP", lisp::makeStr(lsp));
    EXPECT_EQ(run(in, "(load lsp)"), "HERE");
    EXPECT_EQ(run(in, "(loaded 4)"), "40");
    EXPECT_EQ(run(in, "(load (substr lsp 1 (- (strlen lsp) 4)))"), "HERE");  // .lsp is added
    EXPECT_EQ(run(in, "(= (findfile lsp) lsp)"), "T");
    EXPECT_EQ(run(in, "(findfile \"no-such-file.lsp\")"), "nil");
    in.searchPath.push_back(dir);
    EXPECT_EQ(run(in, "(findfile \"kelmar-lisp-load.lsp\")"), lisp::prin1(lisp::makeStr(lsp)));
    // findfile finds a folder too; load and the search for modules take files only.
    std::string folder = dir + "kelmar-lisp-folder";
    std::filesystem::create_directories(folder);
    EXPECT_EQ(run(in, "(findfile \"kelmar-lisp-folder\")"), lisp::prin1(lisp::makeStr(folder)));
    EXPECT_EQ(in.findFile(folder), "");
    EXPECT_EQ(run(in, "(load \"kelmar-lisp-folder\" 'none)"), "NONE");
    std::filesystem::remove(folder);
    EXPECT_EQ(run(in, "(type (getenv \"PATH\"))"), "STR");
    EXPECT_EQ(run(in, "(getenv \"KELMAR_NO_SUCH_VARIABLE\")"), "nil");
    // setenv's value for the session, by its name as written, before the process's own.
    EXPECT_EQ(run(in, "(setenv \"KelmarPlot\" \"A3\")"), "\"A3\"");
    EXPECT_EQ(run(in, "(list (getenv \"KelmarPlot\") (getenv \"KELMARPLOT\"))"), "(\"A3\" nil)");
    EXPECT_EQ(run(in, "(setenv \"PATH\" \"mine\") (getenv \"PATH\")"), "\"mine\"");
    EXPECT_EQ(run(in, "(setenv \"a\" 1)"), "error: bad argument type: stringp 1");
    EXPECT_EQ(run(in, "(list (textscr) (graphscr))"), "(nil nil)");
    std::remove(text.c_str());
    std::remove(lsp.c_str());
}

// Lists a million long and nested a hundred thousand deep: made, compared, printed, read,
// turned into records and back, and released, all without running out of stack.
TEST(Builtins, LongAndDeepLists)
{
    lisp::Interp in;
    EXPECT_EQ(run(in, "(setq l '(1)) (repeat 20 (setq l (append l l))) (length l)"), "1048576");
    EXPECT_EQ(run(in, "(equal l (append l nil))"), "T");
    EXPECT_EQ(run(in, "(setq d nil) (repeat 100000 (setq d (list d))) (setq e nil) (repeat 100000 (setq e (list e)))"
                      "(equal d e)"),
              "T");
    EXPECT_EQ(run(in, "(equal d (list e))"), "nil");
    std::string printed = run(in, "d");
    EXPECT_EQ(printed.size(), 200003u);  // (((...(nil)...)))
    lisp::Reader r(printed);
    lisp::Value back;
    ASSERT_TRUE(r.next(back));
    EXPECT_TRUE(lisp::equalValues(back, in.getGlobal("D")));

    for (const char* name : {"L", "D"}) {
        RecordPool pool;
        lisp::Args args{in.getGlobal(name)};
        resbuf* chain = argumentChain(pool, args);
        lisp::Value value;
        std::string problem;
        ASSERT_TRUE(chainValue(chain, value, problem)) << problem;
        EXPECT_TRUE(lisp::equalValues(value, args[0])) << name;
        EXPECT_TRUE(pool.release(chain, problem));
        pool.endCall();
    }
    in.setGlobal("L", nullptr);
    in.setGlobal("D", nullptr);
    in.setGlobal("E", nullptr);
}

}  // namespace
