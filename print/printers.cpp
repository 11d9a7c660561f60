// kel_printers, kel_getprn, kel_setprn, kel_orient, kel_spool: the profile's printers, the
// default printer, a printer's paper orientation, and raw spooling of a file.
#include <windows.h>

#include <winspool.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "adslib.h"
#include "adswin.h"
#include "args.h"
#include "diskfile.h"
#include "filemap.h"
#include "handlers.h"
#include "memory.h"
#include "messages.h"
#include "platform.h"
#include "printer.h"
#include "results.h"

namespace {

const DWORD kPrinterListSize = 1024;

// The printer's "devices" entry (driver and port); false when it has none.
bool devicesEntry(const char* printer, char (&entry)[MAX_PATH])
{
    return GetProfileStringA("devices", printer, "", entry, sizeof entry) >= 2;
}

// Sets the orientation in the printer's level-2 information; false on any failure.
bool setOrientation(const char* name, short orientation)
{
    PRINTER_DEFAULTSA defaults = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    CPrinter printer;
    if (!printer.Open(name, &defaults))
        return false;
    DWORD size = 0;
    GetPrinterA(printer, 2, nullptr, 0, &size);
    if (size == 0)
        return false;
    CGlobalBlock block(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size));
    CGlobalLock locked(block);
    auto* info = static_cast<PRINTER_INFO_2A*>(locked.data());
    if (!info || !GetPrinterA(printer, 2, static_cast<BYTE*>(locked.data()), size, &size))
        return false;
    DEVMODEA* mode = info->pDevMode;
    if (!mode || !(mode->dmFields & DM_ORIENTATION))
        return false;
    mode->dmOrientation = orientation;
    // The driver writes its whole record, which may be larger than the one stored with the
    // printer (a driver updated since): it gets room of the size it asks for.
    LONG need = DocumentPropertiesA(adsw_acadMainWnd(), printer, const_cast<char*>(name), nullptr, nullptr, 0);
    if (need < static_cast<LONG>(sizeof(DEVMODEA)))
        need = sizeof(DEVMODEA);
    std::vector<uint64_t> room((static_cast<size_t>(need) + 7) / 8);
    auto* out = reinterpret_cast<DEVMODEA*>(room.data());
    if (DocumentPropertiesA(adsw_acadMainWnd(), printer, const_cast<char*>(name), out, mode,
                            DM_IN_BUFFER | DM_OUT_BUFFER) != IDOK)
        return false;
    info->pDevMode = out;
    return SetPrinterA(printer, 2, static_cast<BYTE*>(locked.data()), 0) != FALSE;
}

// The open file, its mapping and its view, released in reverse order when it goes.
struct MappedFile {
    CFile file;
    CHandle mapping;
    CMappedView view;
    DWORD size = 0;
};

// Opens and maps the file; null on success, else the message of the step that failed.
const char* mapFile(const char* path, MappedFile& mapped)
{
    if (!openDiskFile(mapped.file, path, GENERIC_READ, 0, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL))
        return MSG_INVALID_FILE_HANDLE;
    DWORD high = 0;
    mapped.size = GetFileSize(mapped.file, &high);
    if (high != 0)  // 4 GiB or more: its low 32 bits are not the file
        return MSG_INVALID_FILE_HANDLE;
    mapped.mapping.Attach(CreateFileMappingA(mapped.file, nullptr, PAGE_READONLY, 0, mapped.size, nullptr));
    if (!mapped.mapping.IsOpen())
        return MSG_CANNOT_CREATE_MAPPING;
    if (!mapped.view.Map(mapped.mapping, FILE_MAP_READ))
        return MSG_CANNOT_MAP_VIEW;
    return nullptr;
}

// Sends the view to the printer as one raw document of one page; null on success, else the
// message of the first step that failed. The page and the document are ended on every way
// out that started them.
const char* spoolView(const char* path, HANDLE printer, const MappedFile& mapped, DWORD& written)
{
    DOC_INFO_1A document = {const_cast<char*>(path), nullptr, const_cast<char*>("RAW")};
    if (!StartDocPrinterA(printer, 1, reinterpret_cast<BYTE*>(&document)))
        return MSG_CANNOT_START_DOCUMENT;
    const char* failure = nullptr;
    if (!StartPagePrinter(printer)) {
        failure = MSG_CANNOT_START_PAGE;
    } else {
        if (!WritePrinter(printer, mapped.view.data(), mapped.size, &written))
            failure = MSG_CANNOT_WRITE_PAGE;
        if (!EndPagePrinter(printer) && !failure)
            failure = MSG_CANNOT_END_PAGE;
    }
    if (!EndDocPrinter(printer) && !failure)
        failure = MSG_CANNOT_END_DOCUMENT;
    return failure;
}

}  // namespace

int kelPrinters(struct resbuf* args)
{
    if (!Args(args).end())
        return stopped();
    CHeapBlock names(kPrinterListSize);
    DWORD n = names.data() ? GetProfileStringA("devices", nullptr, "", names.data(), kPrinterListSize) : 0;
    if (n < 2)
        return giveNil();
    StringList printers;
    if (!printers.addProfileNames(names.data(), n, kPrinterListSize))
        return fail(MSG_NO_RESULT_BUFFER);
    return printers.give();
}

int kelGetprn(struct resbuf* args)
{
    if (!Args(args).end())
        return stopped();
    char device[MAX_PATH];
    if (GetProfileStringA("windows", "device", ",,,", device, sizeof device) == 0)
        return giveNil();
    char* comma = std::strchr(device, ',');
    if (comma)
        *comma = '\0';
    if (device[0] == '\0')
        return giveNil();
    return giveString(device);
}

int kelSetprn(struct resbuf* args)
{
    Args in(args);
    char name[MAX_PATH];
    if (!in.string(name) || !in.end())
        return stopped();
    char entry[MAX_PATH];
    if (!devicesEntry(name, entry))
        return giveNil();
    char line[MAX_PATH];  // name, driver, port: refused when it does not fit
    size_t nameLength = std::strlen(name), entryLength = std::strlen(entry);
    if (nameLength + 1 + entryLength >= sizeof line)
        return giveNil();
    std::memcpy(line, name, nameLength);
    line[nameLength] = ',';
    std::memcpy(line + nameLength + 1, entry, entryLength + 1);
    if (!WriteProfileStringA("windows", "device", line))
        return giveNil();
    int family = platformFamily();
    if (family == VER_PLATFORM_WIN32_WINDOWS || family == VER_PLATFORM_WIN32_NT) {
        const char* section = family == VER_PLATFORM_WIN32_WINDOWS ? "windows" : nullptr;
        SendMessageA(HWND_BROADCAST, WM_WININICHANGE, 0, reinterpret_cast<LPARAM>(section));
    }
    return giveString(name);
}

int kelOrient(struct resbuf* args)
{
    Args in(args);
    char name[MAX_PATH];
    if (!in.string(name))
        return stopped();
    if (in.at(RTNIL))
        return fail(MSG_INVALID_ARGUMENT);
    return giveBool(setOrientation(name, in.more() ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT));
}

int kelSpool(struct resbuf* args)
{
    Args in(args);
    char path[MAX_PATH], name[MAX_PATH];
    if (!in.path(path) || !in.string(name) || !in.end())
        return stopped();
    char entry[MAX_PATH];
    if (!devicesEntry(name, entry))
        return fail(MSG_PRINTER_NOT_FOUND);
    DWORD written = 0;
    DWORD size = 0;
    {
        MappedFile mapped;
        if (const char* failure = mapFile(path, mapped))
            return fail(failure);
        size = mapped.size;
        CPrinter printer;
        if (!printer.Open(name, nullptr))
            return fail(MSG_CANNOT_OPEN_PRINTER);
        if (const char* failure = spoolView(path, printer, mapped, written))
            return fail(failure);
    }
    if (written != size)
        return fail(MSG_INVALID_BYTES_WRITTEN);
    return giveString(path);
}
