// The host's own LISP functions that need the system: its variables (their table is in
// hostvars.cpp), messages, commands and modules, the registry, other programs and the file
// dialog.
#include <windows.h>

#include <commdlg.h>

#include <cstdio>
#include <cstring>

#include "host.h"
#include "registry.h"

namespace {

using lisp::Args;
using lisp::Value;

// ---- the registry ----

// "HKEY_CURRENT_USER\\Software\\..." as the root and the rest; false for no root.
bool registryKey(const std::string& path, HKEY& root, std::string& sub)
{
    static const struct {
        const char* name;
        HKEY key;
    } roots[] = {{"HKEY_CURRENT_USER", HKEY_CURRENT_USER},   {"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
                 {"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},   {"HKEY_USERS", HKEY_USERS},
                 {"HKEY_CURRENT_CONFIG", HKEY_CURRENT_CONFIG}};
    size_t slash = path.find('\\');
    std::string head = lisp::toUpper(path.substr(0, slash));
    for (const auto& r : roots)
        if (head == r.name) {
            root = r.key;
            sub = slash == std::string::npos ? "" : path.substr(slash + 1);
            return true;
        }
    return false;
}

// False when the path names no key that opens.
bool openKey(const Value& path, REGSAM access, CKey& key)
{
    HKEY root;
    std::string sub;
    return registryKey(lisp::stringArg(path), root, sub) && key.Open(root, sub.c_str(), 0, access) == ERROR_SUCCESS;
}

// The value name argument at k: nil or absent is the key's default value.
const char* valueName(const Args& a, size_t k)
{
    return a.size() > k && !lisp::isNil(a[k]) ? lisp::stringArg(a[k]).c_str() : nullptr;
}

Value registryRead(Host&, Args& a)
{
    lisp::needCount(a, 1, 2);
    CKey key;
    if (!openKey(a[0], KEY_READ, key))
        return nullptr;
    DWORD type = 0, size = 0;
    const char* name = valueName(a, 1);
    Value result;
    if (RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
        std::vector<BYTE> data(size + 1);
        if (RegQueryValueExA(key, name, nullptr, &type, data.data(), &size) == ERROR_SUCCESS) {
            if (type == REG_DWORD && size == 4)
                result = lisp::makeInt(*reinterpret_cast<int32_t*>(data.data()));
            else if (type == REG_SZ || type == REG_EXPAND_SZ)
                result = lisp::makeStr(std::string(reinterpret_cast<char*>(data.data()), strnlen(reinterpret_cast<char*>(data.data()), size)));
        }
    }
    return result;
}

// (vl-registry-write KEY [NAME DATA]): DATA, an integer as a DWORD or a string; the key is
// made as needed, and alone gives "".
Value registryWrite(Host&, Args& a)
{
    lisp::needCount(a, 1, 3);
    HKEY root;
    CKey key;
    std::string sub;
    if (!registryKey(lisp::stringArg(a[0]), root, sub) || key.Create(root, sub.c_str(), 0, KEY_WRITE) != ERROR_SUCCESS)
        return nullptr;
    if (a.size() < 3)  // the key alone
        return lisp::makeStr("");
    Value data = a[2];
    LONG rc = ERROR_INVALID_DATA;
    if (data && data->type == lisp::Type::Int) {
        DWORD v = static_cast<DWORD>(data->i);
        rc = RegSetValueExA(key, valueName(a, 1), 0, REG_DWORD, reinterpret_cast<BYTE*>(&v), sizeof v);
    } else if (data && data->type == lisp::Type::Str) {
        rc = RegSetValueExA(key, valueName(a, 1), 0, REG_SZ, reinterpret_cast<const BYTE*>(data->s.c_str()),
                            static_cast<DWORD>(data->s.size() + 1));
    } else {
        throw lisp::Error("bad argument type: stringp " + lisp::prin1(data));
    }
    return rc == ERROR_SUCCESS ? data : nullptr;
}

// (vl-registry-delete KEY [NAME]): a value, or a key without subkeys; T when it is gone.
Value registryDelete(Host&, Args& a)
{
    lisp::needCount(a, 1, 2);
    if (a.size() == 2 && !lisp::isNil(a[1])) {
        CKey key;
        if (!openKey(a[0], KEY_SET_VALUE, key))
            return nullptr;
        LONG rc = RegDeleteValueA(key, lisp::stringArg(a[1]).c_str());
        return rc == ERROR_SUCCESS ? lisp::symT() : nullptr;
    }
    HKEY root;
    std::string sub;
    if (!registryKey(lisp::stringArg(a[0]), root, sub) || sub.empty())
        return nullptr;
    return RegDeleteKeyA(root, sub.c_str()) == ERROR_SUCCESS ? lisp::symT() : nullptr;
}

// (vl-registry-descendents KEY [VALUE-NAMES]): the subkeys' names, or with VALUE-NAMES the
// values'; nil for no key.
Value registryDescendents(Host&, Args& a)
{
    lisp::needCount(a, 1, 2);
    bool values = a.size() == 2 && !lisp::isNil(a[1]);
    CKey key;
    if (!openKey(a[0], KEY_READ, key))
        return nullptr;
    std::vector<Value> names;
    char name[16384];
    for (DWORD k = 0;; ++k) {
        DWORD size = sizeof name;
        LONG rc = values ? RegEnumValueA(key, k, name, &size, nullptr, nullptr, nullptr, nullptr)
                         : RegEnumKeyExA(key, k, name, &size, nullptr, nullptr, nullptr, nullptr);
        if (rc != ERROR_SUCCESS)
            break;
        names.push_back(lisp::makeStr(name));
    }
    return lisp::listFrom(names);
}

// ---- programs and files ----

// (startapp PROGRAM [FILE]): the program started with FILE as its argument; a number above
// zero, or nil when it could not start.
Value startapp(Host&, Args& a)
{
    lisp::needCount(a, 1, 2);
    std::string line = lisp::stringArg(a[0]);
    if (a.size() == 2 && !lisp::isNil(a[1]))
        line += " " + lisp::stringArg(a[1]);
    UINT rc = WinExec(line.c_str(), SW_SHOWNORMAL);
    return rc > 31 ? lisp::makeInt(static_cast<int32_t>(rc)) : nullptr;
}

// (getfiled TITLE DEFAULT EXTENSIONS FLAGS): the system's open dialog, or with flag 1 its
// save dialog; 4 any extension, 16 DEFAULT a folder, 32 no question before replacing.
Value getfiled(Host& host, Args& a)
{
    lisp::needCount(a, 4, 4);
    const std::string& title = lisp::stringArg(a[0]);
    const std::string& initial = lisp::stringArg(a[1]);
    const std::string& extensions = lisp::stringArg(a[2]);
    int32_t flags = lisp::intArg(a[3]);
    std::string patterns, first;
    for (size_t from = 0; from <= extensions.size();) {
        size_t end = extensions.find(';', from);
        std::string ext = extensions.substr(from, end == std::string::npos ? std::string::npos : end - from);
        if (!ext.empty() && ext[0] == '.')
            ext.erase(0, 1);
        if (!ext.empty()) {
            patterns += (patterns.empty() ? "*." : ";*.") + ext;
            if (first.empty())
                first = ext;
        }
        if (end == std::string::npos)
            break;
        from = end + 1;
    }
    if (patterns.empty())
        patterns = "*.*";
    std::string filter = patterns + std::string(1, '\0') + patterns + std::string(1, '\0') + "All files (*.*)" +
                         std::string(1, '\0') + "*.*" + std::string(1, '\0');
    char file[MAX_PATH] = "";
    std::string dir;
    if (flags & 16)
        dir = initial;
    else
        std::snprintf(file, sizeof file, "%s", initial.c_str());
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = host.frame;
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrInitialDir = dir.empty() ? nullptr : dir.c_str();
    ofn.lpstrTitle = title.c_str();
    ofn.lpstrDefExt = (flags & 4) || first.empty() || first == "*" ? nullptr : first.c_str();
    ofn.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST;
    bool ok;
    if (flags & 1) {
        ofn.Flags |= (flags & 32) ? 0 : OFN_OVERWRITEPROMPT;
        ok = GetSaveFileNameA(&ofn) != 0;
    } else {
        ofn.Flags |= OFN_FILEMUSTEXIST;
        ok = GetOpenFileNameA(&ofn) != 0;
    }
    return ok ? lisp::makeStr(file) : nullptr;
}

// A module's name as arxunload takes it: without folder or extension, in any case.
std::string moduleName(const std::string& path)
{
    std::string name = path.substr(lisp::nameStart(path));
    size_t dot = name.rfind('.');
    if (dot != std::string::npos && lisp::toUpper(name.substr(dot)) == ".ARX")
        name.erase(dot);
    return lisp::toUpper(name);
}

// (arxload "FILE" [ONFAILURE]): the name when the module is loaded; one module at a time.
Value arxload(Host& host, Args& a)
{
    lisp::needCount(a, 1, 2);
    const std::string& name = lisp::stringArg(a[0]);
    std::string path = host.lisp.findFile(name), why;
    bool arx = name.size() >= 4 && lisp::toUpper(name.substr(name.size() - 4)) == ".ARX";
    if (path.empty() && !arx)
        path = host.lisp.findFile(name + ".arx");
    if (host.module)
        why = "a module is loaded already: " + host.modulePath;
    else if (path.empty())
        why = "no such file: " + name;
    else if (host.arxload(path, why))
        return a[0];
    // Why, on the command line, as the host's linker says it.
    host.print("arxload: " + why + "\n");
    if (a.size() == 2)
        return a[1];
    throw lisp::Error("ARXLOAD failed: \"" + name + "\"");
}

// command, command-s and vl-cmdf: each string a token typed at the command line of the drawing.
void runCommand(Host& host, Args& a)
{
    for (const Value& v : a)
        if (v && v->type == lisp::Type::Str && host.docs.current())
            host.runToken(host.docs.current(), v->s);
}

// command and command-s: nil once the tokens have run (vl-cmdf gives T).
Value command(Host& host, Args& a)
{
    runCommand(host, a);
    return nullptr;
}

const HostFunction kHostLisp[] = {
    {"GETVAR",  // nil for a variable the host does not have
     [](Host& host, Args& a) -> Value {
         lisp::needCount(a, 1, 1);
         return systemVariable(host, a[0]);
     }},
    {"SETVAR",  // the value set
     [](Host& host, Args& a) -> Value {
         lisp::needCount(a, 2, 2);
         return setSystemVariable(host, a[0], a[1]);
     }},
    {"ALERT",  // the host's message box, owned by its main window
     [](Host& host, Args& a) -> Value {
         lisp::needCount(a, 1, 1);
         MessageBoxA(host.frame, lisp::stringArg(a[0]).c_str(), "AutoCAD Message", MB_OK | MB_ICONEXCLAMATION);
         return nullptr;
     }},
    {"ARX",  // the loaded modules' file names, without their folders, as the host lists its own
     [](Host& host, Args& a) -> Value {
         lisp::needCount(a, 0, 0);
         if (!host.module)
             return nullptr;
         const std::string& path = host.modulePath;
         return lisp::listFrom({lisp::makeStr(lisp::toLower(path.substr(lisp::nameStart(path))))});
     }},
    {"ARXLOAD", arxload},
    {"ARXUNLOAD",  // (arxunload "NAME" [ONFAILURE]): the name when the module is unloaded
     [](Host& host, Args& a) -> Value {
         lisp::needCount(a, 1, 2);
         const std::string& name = lisp::stringArg(a[0]);
         if (host.module && moduleName(name) == moduleName(host.modulePath)) {
             host.unloadModule();
             return a[0];
         }
         if (a.size() == 2)
             return a[1];
         throw lisp::Error("ARXUNLOAD failed: \"" + name + "\"");
     }},
    {"COMMAND", command},
    {"COMMAND-S", command},
    {"VL-CMDF", [](Host& host, Args& a) { return runCommand(host, a), lisp::symT(); }},
    {"VL-REGISTRY-READ", registryRead},
    {"VL-REGISTRY-WRITE", registryWrite},
    {"VL-REGISTRY-DELETE", registryDelete},
    {"VL-REGISTRY-DESCENDENTS", registryDescendents},
    {"STARTAPP", startapp},
    {"GETFILED", getfiled},
};

}  // namespace

void defineHostLisp(Host& host)
{
    addSystemVariables(host);
    defineHostFunctions(host, kHostLisp, sizeof kHostLisp / sizeof kHostLisp[0]);
}

void defineHostFunctions(Host& host, const HostFunction* rows, size_t count)
{
    for (size_t k = 0; k < count; ++k) {
        HostFn fn = rows[k].fn;
        host.lisp.defineBuiltin(rows[k].name, [&host, fn](lisp::Interp&, lisp::Args& a) { return fn(host, a); });
    }
}
