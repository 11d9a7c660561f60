// The built-ins libraries call, in the interpreter alone: errors caught as values without
// *error*, names of temporary files and folder listings with this system's paths.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "lisp.h"
#include "lisprun.h"

namespace {

std::string run(lisp::Interp& in, const std::string& text) { return runLisp(in, text); }

struct Quiet : lisp::Interp {
    std::string written;
    Quiet()
    {
        write = [this](const std::string& s) { written += s; };
        readLine = [](std::string&) { return false; };
    }
};

TEST(VlBuiltins, CaughtErrorsNeverReachTheHandler)
{
    Quiet in;
    run(in, "(defun *error* (m) (princ (strcat \"handler: \" m)))");
    EXPECT_EQ(run(in, "(vl-catch-all-error-message (vl-catch-all-apply '(lambda (x) (/ x 0)) '(1)))"),
              "\"divide by zero\"");
    EXPECT_EQ(in.written, "");
    EXPECT_EQ(run(in, "(car 1)"), "error: ");  // the handler took it
    EXPECT_EQ(in.written, "handler: bad argument type: listp 1");
}

TEST(VlBuiltins, QuitIsNotCaught)
{
    Quiet in;
    EXPECT_EQ(run(in, "(vl-catch-all-apply 'quit nil)"), "error: ");
    EXPECT_TRUE(in.quitting);
}

TEST(VlBuiltins, FoldersAndTemporaryNamesWithThisSystemsPaths)
{
    namespace fs = std::filesystem;
    fs::path dir = fs::temp_directory_path() / ("kelmar-vl-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    fs::create_directories(dir / "sub");
    std::ofstream(dir / "b.txt") << "bee";
    std::ofstream(dir / "A.lsp") << "a";
    Quiet in;
    std::string d = dir.string();
    EXPECT_EQ(run(in, "(vl-directory-files \"" + d + "\")"), "(\".\" \"..\" \"A.lsp\" \"b.txt\" \"sub\")");
    EXPECT_EQ(run(in, "(vl-directory-files \"" + d + "\" \"*.TXT\" 1)"), "(\"b.txt\")");
    EXPECT_EQ(run(in, "(vl-file-size \"" + d + "/b.txt\")"), "3");
    EXPECT_EQ(run(in, "(vl-filename-mktemp \"kel.tmp\" \"" + d + "\")"), "\"" + d + "/kel001.tmp\"");
    EXPECT_EQ(run(in, "(vl-filename-mktemp \"" + d + "/kel.tmp\")"), "\"" + d + "/kel002.tmp\"");
    EXPECT_EQ(run(in, "(vl-mkdir \"" + d + "/sub\")"), "nil");
    EXPECT_EQ(run(in, "(vl-file-rename \"" + d + "/b.txt\" \"" + d + "/A.lsp\")"), "nil");
    EXPECT_EQ(run(in, "(vl-file-copy \"" + d + "/b.txt\" \"" + d + "/c.txt\")"), "3");
    EXPECT_EQ(run(in, "(vl-file-delete \"" + d + "/c.txt\")"), "T");
    fs::remove_all(dir);
}

}  // namespace
