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
bool getOptionalDrive(const resbuf* rb, char& letter)
{
    if (!rb) {
        letter = currentDrive();
        return true;
    }
    return getCharArg(rb, letter) && noMoreArgs(rb->rbnext);
}

bool queryVolume(char letter, Volume& v)
{
    char root[4];
    rootOf(letter, root);
    DWORD maxComponent, flags;
    return GetVolumeInformationA(root, v.name, sizeof v.name, &v.serial, &maxComponent, &flags, v.fileSystem,
                                 sizeof v.fileSystem) != 0;
}

void returnLetter(char letter)
{
    char text[3] = {letter, ':', '\0'};
    acedRetStr(text);
}

}  // namespace

int kelDrive(struct resbuf* args)
{
    if (!args) {
        returnLetter(currentDrive());
        return RTNORM;
    }
    char letter;
    if (!getCharArg(args, letter) || !noMoreArgs(args->rbnext))
        return RTNORM;
    if (_chdrive(letter - 64) != 0)
        return giveNil();
    returnLetter(letter);
    return RTNORM;
}

int kelDrivep(struct resbuf* args)
{
    char letter;
    if (!getCharArg(args, letter) || !noMoreArgs(args->rbnext))
        return RTNORM;
    unsigned bit = static_cast<unsigned>(static_cast<unsigned char>(letter) - 65) % 32;
    return giveBool(GetLogicalDrives() & (1u << bit));
}

int kelDrives(struct resbuf* args)
{
    if (!noMoreArgs(args))
        return RTNORM;
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
    if (built)
        drives.returnList();
    else
        report(MSG_NO_RESULT_BUFFER);
    return RTNORM;
}

int kelDrivetype(struct resbuf* args)
{
    char letter;
    if (!getOptionalDrive(args, letter))
        return RTNORM;
    char root[4];
    rootOf(letter, root);
    static const char* const names[] = {nullptr, nullptr, "REMOVABLE", "FIXED", "REMOTE", "CDROM", "RAMDISK"};
    UINT type = GetDriveTypeA(root);
    const char* name = type < 7 ? names[type] : "UNKNOWN";
    if (name)
        acedRetStr(name);
    else
        acedRetNil();
    return RTNORM;
}

int kelFilesys(struct resbuf* args)
{
    char letter;
    Volume v;
    if (!getOptionalDrive(args, letter))
        return RTNORM;
    if (queryVolume(letter, v))
        acedRetStr(v.fileSystem);
    else
        acedRetNil();
    return RTNORM;
}

int kelLabel(struct resbuf* args)
{
    char letter = currentDrive();
    if (args) {
        if (!getCharArg(args, letter))
            return RTNORM;
        if (const resbuf* rb = args->rbnext) {
            char text[260], label[12] = {};
            if (!getStringArg(rb, text) || !noMoreArgs(rb->rbnext))
                return RTNORM;
            size_t n = std::strlen(text);
            std::memcpy(label, text, n < 11 ? n : 11);  // a volume label holds 11 bytes
            char root[4];
            rootOf(letter, root);
            if (SetVolumeLabelA(root, label))
                acedRetStr(label);
            else
                acedRetNil();
            return RTNORM;
        }
    }
    Volume v;
    if (queryVolume(letter, v))
        acedRetStr(v.name);
    else
        acedRetNil();
    return RTNORM;
}

int kelSerialno(struct resbuf* args)
{
    char letter;
    Volume v;
    if (!getOptionalDrive(args, letter))
        return RTNORM;
    if (!queryVolume(letter, v))
        return giveNil();
    // Given a letter, the digits are padded with blanks, not zeros.
    char text[16];
    std::snprintf(text, sizeof text, args ? "%8lx" : "%08lX", static_cast<unsigned long>(v.serial));
    _mbsupr(reinterpret_cast<unsigned char*>(text));
    acedRetStr(text);
    return RTNORM;
}

int kelChkdsk(struct resbuf* args)
{
    char letter;
    if (!getOptionalDrive(args, letter))
        return RTNORM;
    char root[4];
    rootOf(letter, root);
    double total, free;
    ULARGE_INTEGER available, totalBytes, freeBytes;
    if (GetDiskFreeSpaceExA(root, &available, &totalBytes, &freeBytes)) {
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
    returnAndRelease(list);
    return RTNORM;
}

int kelFormat(struct resbuf* args)
{
    char letter;
    if (!getCharArg(args, letter) || !noMoreArgs(args->rbnext))
        return RTNORM;
    acDocManagerPtr()->pushResourceHandle(moduleInstance);
    DWORD rc = SHFormatDrive(adsw_acadMainWnd(), static_cast<UINT>(letter - 65), SHFMT_ID_DEFAULT, 0);
    if (rc < SHFMT_NOFORMAT)
        acedRetT();
    else
        acedRetNil();
    acDocManagerPtr()->popResourceHandle();
    return RTNORM;
}
