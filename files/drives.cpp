// kel_drive, kel_drivep, kel_drives, kel_drivetype, kel_filesys, kel_label, kel_serialno,
// kel_chkdsk, kel_format: drives and volumes, each named by its letter.
#include <windows.h>

#include <direct.h>
#include <mbstring.h>
#include <shlobj.h>

#include <cstdio>
#include <cstring>

#include "acdocman.h"
#include "adslib.h"
#include "adswin.h"
#include "args.h"
#include "handlers.h"
#include "memory.h"
#include "messages.h"
#include "module.h"
#include "paths.h"
#include "results.h"

namespace {

struct Volume {
    char name[200];
    char fileSystem[50];
    DWORD serial;
};

void rootOf(char letter, char (&root)[4])
{
    root[0] = letter;
    root[1] = ':';
    root[2] = '\\';
    root[3] = '\0';
}

char currentDrive() { return static_cast<char>(_getdrive() + 64); }

// An optional drive letter, the current drive when there is none; false after a message.
bool getOptionalDrive(struct resbuf* args, char& letter)
{
    Args in(args);
    if (!in.more()) {
        letter = currentDrive();
        return true;
    }
    return in.drive(letter) && in.end();
}

bool queryVolume(char letter, Volume& v)
{
    char root[4];
    rootOf(letter, root);
    DWORD maxComponent, flags;
    return GetVolumeInformationA(root, v.name, sizeof v.name, &v.serial, &maxComponent, &flags, v.fileSystem,
                                 sizeof v.fileSystem) != 0;
}

int giveLetter(char letter)
{
    char text[3] = {letter, ':', '\0'};
    return giveString(text);
}

}  // namespace

int kelDrive(struct resbuf* args)
{
    Args in(args);
    if (!in.more())
        return giveLetter(currentDrive());
    char letter;
    if (!in.drive(letter) || !in.end())
        return stopped();
    if (!isDriveLetter(letter) || _chdrive(letter - 64) != 0)
        return giveNil();
    return giveLetter(letter);
}

int kelDrivep(struct resbuf* args)
{
    Args in(args);
    char letter;
    if (!in.drive(letter) || !in.end())
        return stopped();
    return giveBool(isDriveLetter(letter) && (GetLogicalDrives() & (1u << (letter - 'A'))));
}

int kelDrives(struct resbuf* args)
{
    if (!Args(args).end())
        return stopped();
    DWORD size = GetLogicalDriveStringsA(0, nullptr);
    CHeapBlock block;
    char* roots = size ? block.Alloc(size + 1) : nullptr;
    if (!roots)
        return giveNil();
    StringList drives;
    bool built = true;
    if (GetLogicalDriveStringsA(size, roots) <= size)
        for (const char* p = roots; *p && built; p += std::strlen(p) + 1) {
            char text[3] = {static_cast<char>(toupper(static_cast<unsigned char>(p[0]))), p[1], '\0'};
            built = drives.add(text);
        }
    if (!built)
        return fail(MSG_NO_RESULT_BUFFER);
    return drives.give();
}

int kelDrivetype(struct resbuf* args)
{
    char letter;
    if (!getOptionalDrive(args, letter))
        return stopped();
    char root[4];
    rootOf(letter, root);
    static const char* const names[] = {nullptr, nullptr, "REMOVABLE", "FIXED", "REMOTE", "CDROM", "RAMDISK"};
    UINT type = GetDriveTypeA(root);
    const char* name = type < 7 ? names[type] : "UNKNOWN";
    if (!name)
        return giveNil();
    return giveString(name);
}

int kelFilesys(struct resbuf* args)
{
    char letter;
    Volume v;
    if (!getOptionalDrive(args, letter))
        return stopped();
    if (!queryVolume(letter, v))
        return giveNil();
    return giveString(v.fileSystem);
}

int kelLabel(struct resbuf* args)
{
    Args in(args);
    char letter = currentDrive();
    if (in.more()) {
        if (!in.drive(letter))
            return stopped();
        if (in.more()) {
            char text[260], label[12] = {};
            if (!in.string(text) || !in.end())
                return stopped();
            size_t n = std::strlen(text);
            std::memcpy(label, text, n < 11 ? n : 11);  // a volume label holds 11 bytes
            char root[4];
            rootOf(letter, root);
            if (!SetVolumeLabelA(root, label))
                return giveNil();
            return giveString(label);
        }
    }
    Volume v;
    if (!queryVolume(letter, v))
        return giveNil();
    return giveString(v.name);
}

int kelSerialno(struct resbuf* args)
{
    char letter;
    Volume v;
    if (!getOptionalDrive(args, letter))
        return stopped();
    if (!queryVolume(letter, v))
        return giveNil();
    // Given a letter, the digits are padded with blanks, not zeros.
    char text[16];
    std::snprintf(text, sizeof text, Args(args).more() ? "%8lx" : "%08lX", static_cast<unsigned long>(v.serial));
    _mbsupr(reinterpret_cast<unsigned char*>(text));
    return giveString(text);
}

int kelChkdsk(struct resbuf* args)
{
    char letter;
    if (!getOptionalDrive(args, letter))
        return stopped();
    char root[4];
    rootOf(letter, root);
    double total, free;
    ULARGE_INTEGER available, totalBytes, freeBytes;
    // The 64-bit figures where the system has them (not the first Windows 95): looked up,
    // since a module that imports the call does not load where it is missing.
    using FreeSpaceEx = BOOL(WINAPI*)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);
    static const auto freeSpaceEx = reinterpret_cast<FreeSpaceEx>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetDiskFreeSpaceExA")));
    if (freeSpaceEx && freeSpaceEx(root, &available, &totalBytes, &freeBytes)) {
        total = static_cast<double>(totalBytes.QuadPart);
        free = static_cast<double>(freeBytes.QuadPart);
    } else {
        DWORD sectorsPerCluster, bytesPerSector, freeClusters, totalClusters;
        if (!GetDiskFreeSpaceA(root, &sectorsPerCluster, &bytesPerSector, &freeClusters, &totalClusters))
            return giveNil();
        DWORD cluster = sectorsPerCluster * bytesPerSector;
        total = static_cast<double>(cluster * totalClusters);
        free = static_cast<double>(cluster * freeClusters);
    }
    resbuf* list = acutBuildList(RTREAL, total, RTREAL, total - free, RTREAL, free, 0);
    if (!list)
        return fail(MSG_NO_RESULT_BUFFER_CAPITAL);
    return giveList(list);
}

int kelFormat(struct resbuf* args)
{
    Args in(args);
    char letter;
    if (!in.drive(letter) || !in.end())
        return stopped();
    if (!isDriveLetter(letter))
        return giveNil();
    acDocManagerPtr()->pushResourceHandle(moduleInstance);
    DWORD rc = SHFormatDrive(adsw_acadMainWnd(), static_cast<UINT>(letter - 65), SHFMT_ID_DEFAULT, 0);
    acDocManagerPtr()->popResourceHandle();
    return giveBool(rc < SHFMT_NOFORMAT);
}
