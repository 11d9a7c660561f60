// Printing, reading and writing files, finding and loading them.
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "builtins.h"

namespace lisp {

namespace {

// princ, prin1 and print: the value as text, to the command line or a file.
Value printTo(Interp& in, Args& a, std::string (*text)(const Value&), const char* before, const char* after = "")
{
    needCount(a, 0, 2);
    if (a.empty())
        return voidValue();  // prints nothing: the idiom that ends a program quietly
    output(in, fileAt(a, 1), before + text(a[0]) + after);
    return a[0];
}

const Reg kFiles[] = {
    {"PRINC", [](Interp& in, Args& a) { return printTo(in, a, princ, ""); }},
    {"PRIN1", [](Interp& in, Args& a) { return printTo(in, a, prin1, ""); }},
    {"PRINT", [](Interp& in, Args& a) { return printTo(in, a, prin1, "\n", " "); }},
    {"PROMPT", [](Interp& in, Args& a) { needCount(a, 1, 1); in.write(str(a[0])); return Value(); }},
    {"TERPRI", [](Interp& in, Args& a) { needCount(a, 0, 0); in.write("\n"); return Value(); }},
    {"WRITE-LINE",
     [](Interp& in, Args& a) {
         needCount(a, 1, 2);
         output(in, fileAt(a, 1), str(a[0]) + "\n");
         return a[0];
     }},
    {"WRITE-CHAR",
     [](Interp& in, Args& a) {
         needCount(a, 1, 2);
         char ch = static_cast<char>(integer(a[0]));
         // One character, whatever it is: a 0 is written too, where a string would end.
         if (std::FILE* f = fileAt(a, 1))
             std::fputc(static_cast<unsigned char>(ch), f);
         else
             output(in, nullptr, std::string(1, ch));
         return a[0];
     }},
    {"READ-LINE",
     [](Interp& in, Args& a) -> Value {
         needCount(a, 0, 1);
         std::string line;
         if (a.empty() && !in.typedAhead.empty()) {
             line = in.typedAhead.substr(0, in.typedAhead.find('\n'));
             in.typedAhead.erase(0, line.size() + 1);
             return makeStr(line);
         }
         if (a.empty())
             return ask(in, a, 1, line) ? makeStr(line) : nullptr;
         std::FILE* f = fileAt(a, 0);
         int ch;
         while ((ch = std::fgetc(f)) != EOF && ch != '\n')
             line += static_cast<char>(ch);
         if (ch == EOF && line.empty())
             return nullptr;
         if (!line.empty() && line.back() == '\r')
             line.pop_back();
         return makeStr(line);
     }},
    {"READ-CHAR",
     [](Interp& in, Args& a) -> Value {
         needCount(a, 0, 1);
         if (a.empty()) {  // a line at a time from the keyboard, then its characters one by one
             if (in.typedAhead.empty()) {
                 std::string line;
                 if (!ask(in, a, 1, line))
                     return nullptr;
                 in.typedAhead = line + "\n";
             }
             int ch = static_cast<unsigned char>(in.typedAhead[0]);
             in.typedAhead.erase(0, 1);
             return makeInt(ch);
         }
         int ch = std::fgetc(fileAt(a, 0));
         return ch == EOF ? nullptr : makeInt(ch);
     }},
    {"OPEN",
     [](Interp& in, Args& a) -> Value {
         needCount(a, 2, 2);
         std::string mode = toUpper(str(a[1]));
         if (mode != "R" && mode != "W" && mode != "A")
             badValue(a[1]);
         if (in.isDevice && in.isDevice(str(a[0])))
             return nullptr;  // a port or the console is no file
         mode[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(mode[0])));
         std::FILE* f = std::fopen(str(a[0]).c_str(), mode.c_str());
         if (!f)
             return nullptr;
         Value v = makeCell(Type::File, a[0]->s);
         v->file = f;
         return v;
     }},
    {"CLOSE",
     [](Interp&, Args& a) -> Value {
         needCount(a, 1, 1);
         Cell* f = openFile(a[0]);
         std::fclose(f->file);
         f->file = nullptr;
         return nullptr;
     }},
    {"FINDFILE",
     [](Interp& in, Args& a) -> Value {
         needCount(a, 1, 1);
         std::string path = in.findFile(str(a[0]), true);
         return path.empty() ? nullptr : makeStr(path);
     }},
    {"LOAD",  // NAME, or NAME.lsp; what ONFAILURE gives when there is none
     [](Interp& in, Args& a) {
         needCount(a, 1, 2);
         const std::string& name = str(a[0]);
         std::string path = extensionStart(name) == std::string::npos ? in.findFile(name + ".lsp") : "";
         if (path.empty())
             path = in.findFile(name);
         Value result;
         if (!path.empty() && in.load(path, result))
             return result;
         Args none;
         if (a.size() == 2)
             return isFunction(a[1]) ? in.apply(a[1], none) : a[1];
         throw Error("LOAD failed: \"" + name + "\"");
     }},
};

}  // namespace

Family fileBuiltins() { return family(kFiles); }

std::string inFolder(const std::string& dir, const std::string& name)
{
#ifdef _WIN32
    const char* separator = "\\";
#else
    const char* separator = "/";
#endif
    return dir + (dir.empty() || dir.back() == '\\' || dir.back() == '/' ? "" : separator) + name;
}

std::string Interp::findFile(const std::string& name, bool folders) const
{
    auto readable = [this, folders](const std::string& path) {
        if (isDevice && isDevice(path))
            return false;
        if (isDirectory(path))
            return folders;
        std::FILE* f = std::fopen(path.c_str(), "rb");
        if (f)
            std::fclose(f);
        return f != nullptr;
    };
    if (name.find_first_of("/\\:") != std::string::npos)
        return readable(name) ? name : std::string();
    std::vector<std::string> dirs{std::filesystem::current_path().string()};
    dirs.insert(dirs.end(), searchPath.begin(), searchPath.end());
    for (const std::string& dir : dirs) {
        std::string path = inFolder(dir, name);
        if (readable(path))
            return path;
    }
    return std::string();
}

bool readFile(const std::string& path, std::string& text)
{
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return false;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
        text.append(buf, n);
    std::fclose(f);
    return true;
}

bool Interp::load(const std::string& path, Value& result)
{
    std::string text;
    if (!readFile(path, text))
        return false;
    Reader reader(text);
    Value form;
    result = nullptr;
    while (reader.next(form))
        result = eval(form);
    return true;
}


}  // namespace lisp
