// kel_printers, kel_getprn, kel_setprn, kel_orient, kel_spool: the profile's printers, the
// default printer, a printer's paper orientation, and raw spooling of a file.
#include <windows.h>

#include <winspool.h>

#include <cstring>

#include "adslib.h"
#include "adswin.h"
#include "args.h"
#include "diskfile.h"
#include "handlers.h"
#include "messages.h"
#include "platform.h"
#include "results.h"

namespace {

const DWORD kPrinterListSize = 1024;

// The printer's "devices" entry (driver and port); false when it has none.
bool devicesEntry(const char* printer, char (&entry)[MAX_PATH])
{
    return GetProfileStringA("devices", printer, "", entry, sizeof entry) >= 2;
}

// A zeroed block from the process heap, freed when it goes.
class HeapBlock {
public:
    explicit HeapBlock(DWORD size) : data_(static_cast<char*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, size))) {}
    ~HeapBlock()
    {
        if (data_)
            HeapFree(GetProcessHeap(), 0, data_);
    }
    HeapBlock(const HeapBlock&) = delete;
    HeapBlock& operator=(const HeapBlock&) = delete;
    char* data() const { return data_; }

private:
    char* data_;
};

// A printer handle, closed when it goes.
class Printer {
public:
    Printer(const char* name, PRINTER_DEFAULTSA* defaults)
    {
        if (!OpenPrinterA(const_cast<char*>(name), &handle_, defaults))
            handle_ = nullptr;
    }
    ~Printer()
    {
        if (handle_)
            ClosePrinter(handle_);
    }
    Printer(const Printer&) = delete;
    Printer& operator=(const Printer&) = delete;
    HANDLE handle() const { return handle_; }

private:
    HANDLE handle_;
};

// A locked, zeroed, movable global block, unlocked and freed when it goes.
class LockedGlobal {
public:
    explicit LockedGlobal(DWORD size)
        : block_(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size)), data_(block_ ? GlobalLock(block_) : nullptr)
    {
    }
    ~LockedGlobal()
    {
        if (data_)
            GlobalUnlock(block_);
        if (block_)
            GlobalFree(block_);
    }
    LockedGlobal(const LockedGlobal&) = delete;
    LockedGlobal& operator=(const LockedGlobal&) = delete;
    void* data() const { return data_; }

private:
    HGLOBAL block_;
    void* data_;
};

// Sets the orientation in the printer's level-2 information; false on any failure.
bool setOrientation(const char* name, short orientation)
{
    PRINTER_DEFAULTSA defaults = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    Printer printer(name, &defaults);
    if (!printer.handle())
        return false;
    DWORD size = 0;
    GetPrinterA(printer.handle(), 2, nullptr, 0, &size);
    if (size == 0)
        return false;
    LockedGlobal block(size);
    auto* info = static_cast<PRINTER_INFO_2A*>(block.data());
    if (!info || !GetPrinterA(printer.handle(), 2, static_cast<BYTE*>(block.data()), size, &size))
        return false;
    DEVMODEA* mode = info->pDevMode;
    if (!mode || !(mode->dmFields & DM_ORIENTATION))
        return false;
    mode->dmOrientation = orientation;
    if (DocumentPropertiesA(adsw_acadMainWnd(), printer.handle(), const_cast<char*>(name), mode, mode,
                            DM_IN_BUFFER | DM_OUT_BUFFER) != IDOK)
        return false;
    return SetPrinterA(printer.handle(), 2, static_cast<BYTE*>(block.data()), 0) != FALSE;
}

// The open file, its mapping and its view, released in reverse order when it goes.
struct MappedFile {
    HANDLE file = INVALID_HANDLE_VALUE;
    HANDLE mapping = nullptr;
    void* view = nullptr;
    DWORD size = 0;
    ~MappedFile()
    {
        if (view)
            UnmapViewOfFile(view);
        if (mapping)
            CloseHandle(mapping);
        if (file != INVALID_HANDLE_VALUE)
            CloseHandle(file);
    }
};

// Opens and maps the file; null on success, else the message of the step that failed.
const char* mapFile(const char* path, MappedFile& mapped)
{
    mapped.file = openDiskFile(path, GENERIC_READ, 0, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL);
    if (mapped.file == INVALID_HANDLE_VALUE)
        return "Kelmar error:  invalid file handle.\n";
    DWORD high = 0;
    mapped.size = GetFileSize(mapped.file, &high);
    if (high != 0)  // 4 GiB or more: its low 32 bits are not the file
        return "Kelmar error:  invalid file handle.\n";
    mapped.mapping = CreateFileMappingA(mapped.file, nullptr, PAGE_READONLY, 0, mapped.size, nullptr);
    if (!mapped.mapping)
        return "Kelmar error:  cannot create file mapping.\n";
    mapped.view = MapViewOfFile(mapped.mapping, FILE_MAP_READ, 0, 0, 0);
    if (!mapped.view)
        return "Kelmar error:  cannot map view of file.\n";
    return nullptr;
}

// Sends the view to the printer as one raw document of one page; null on success, else the
// message of the first step that failed. The page and the document are ended on every way
// out that started them.
const char* spoolView(const char* path, HANDLE printer, const MappedFile& mapped, DWORD& written)
{
    DOC_INFO_1A document = {const_cast<char*>(path), nullptr, const_cast<char*>("RAW")};
    if (!StartDocPrinterA(printer, 1, reinterpret_cast<BYTE*>(&document)))
        return "Kelmar error:  cannot start document.\n";
    const char* failure = nullptr;
    if (!StartPagePrinter(printer)) {
        failure = "Kelmar error:  cannot start page.\n";
    } else {
        if (!WritePrinter(printer, mapped.view, mapped.size, &written))
            failure = "Kelmar error:  cannot write page.\n";
        if (!EndPagePrinter(printer) && !failure)
            failure = "Kelmar error:  cannot end page.\n";
    }
    if (!EndDocPrinter(printer) && !failure)
        failure = "Kelmar error:  cannot end document.\n";
    return failure;
}

}  // namespace

int kelPrinters(struct resbuf* args)
{
    if (!noMoreArgs(args))
        return RTNORM;
    HeapBlock names(kPrinterListSize);
    if (!names.data() || GetProfileStringA("devices", nullptr, "", names.data(), kPrinterListSize) < 2)
        return acedRetNil(), RTNORM;
    StringList printers;
    for (const char* name = names.data(); *name; name += std::strlen(name) + 1) {
        if (!printers.add(name))
            return report(MSG_NO_RESULT_BUFFER), RTNORM;
    }
    printers.returnList();
    return RTNORM;
}

int kelGetprn(struct resbuf* args)
{
    if (!noMoreArgs(args))
        return RTNORM;
    char device[MAX_PATH];
    if (GetProfileStringA("windows", "device", ",,,", device, sizeof device) == 0)
        return acedRetNil(), RTNORM;
    char* comma = std::strchr(device, ',');
    if (comma)
        *comma = '\0';
    if (device[0] == '\0')
        return acedRetNil(), RTNORM;
    acedRetStr(device);
    return RTNORM;
}

int kelSetprn(struct resbuf* args)
{
    char name[MAX_PATH];
    if (!getStringArg(args, name) || !noMoreArgs(args->rbnext))
        return RTNORM;
    char entry[MAX_PATH];
    if (!devicesEntry(name, entry))
        return acedRetNil(), RTNORM;
    char line[MAX_PATH];  // name, driver, port: refused when it does not fit
    size_t nameLength = std::strlen(name), entryLength = std::strlen(entry);
    if (nameLength + 1 + entryLength >= sizeof line)
        return acedRetNil(), RTNORM;
    std::memcpy(line, name, nameLength);
    line[nameLength] = ',';
    std::memcpy(line + nameLength + 1, entry, entryLength + 1);
    if (!WriteProfileStringA("windows", "device", line))
        return acedRetNil(), RTNORM;
    int family = platformFamily();
    if (family == 1 || family == 2) {
        const char* section = family == 1 ? "windows" : nullptr;
        SendMessageA(HWND_BROADCAST, WM_WININICHANGE, 0, reinterpret_cast<LPARAM>(section));
    }
    acedRetStr(name);
    return RTNORM;
}

int kelOrient(struct resbuf* args)
{
    char name[MAX_PATH];
    if (!getStringArg(args, name))
        return RTNORM;
    const resbuf* flag = args->rbnext;
    if (flag && flag->restype == RTNIL)
        return report(MSG_INVALID_ARGUMENT), RTNORM;
    if (setOrientation(name, flag ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT))
        acedRetT();
    else
        acedRetNil();
    return RTNORM;
}

int kelSpool(struct resbuf* args)
{
    char path[MAX_PATH], name[MAX_PATH];
    if (!getPathArg(args, path) || !getStringArg(args->rbnext, name) || !noMoreArgs(args->rbnext->rbnext))
        return RTNORM;
    char entry[MAX_PATH];
    if (!devicesEntry(name, entry))
        return report("Kelmar error:  printer not found.\n"), RTNORM;
    DWORD written = 0;
    DWORD size = 0;
    {
        MappedFile mapped;
        if (const char* failure = mapFile(path, mapped))
            return report(failure), RTNORM;
        size = mapped.size;
        Printer printer(name, nullptr);
        if (!printer.handle())
            return report("Kelmar error:  cannot open printer.\n"), RTNORM;
        if (const char* failure = spoolView(path, printer.handle(), mapped, written))
            return report(failure), RTNORM;
    }
    if (written != size)
        return report("Kelmar error:  invalid bytes written.\n"), RTNORM;
    acedRetStr(path);
    return RTNORM;
}
