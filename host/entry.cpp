// The module's entry points: library attach and detach, and the host's application messages.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "acdocman.h"
#include "adslib.h"
#include "adswin.h"
#include "docreactor.h"
#include "functable.h"
#include "messages.h"
#include "module.h"
#include "progresswindows.h"
#include "rxapi.h"
#include "version.h"
#include "waitcursor.h"

namespace {

const char kCommandGroup[] = "KEL_KELMAR";

void kelmarCommand() { acutPrintf("Kelmar Loaded.\n"); }

HKEY createKey(HKEY root, const char* path)
{
    HKEY key;
    if (RegCreateKeyExA(root, path, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        acutPrintf(MSG_CANNOT_OPEN_KEY);
        return nullptr;
    }
    return key;
}

void setStringValue(HKEY key, const char* name, const char* data, DWORD size)
{
    if (RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data), size) != ERROR_SUCCESS)
        acutPrintf(MSG_CANNOT_SET_VALUE);
    RegCloseKey(key);
}

void writeRegistryEntries()
{
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER})
        if (HKEY key = createKey(root, "SOFTWARE\\Kelmar"))
            RegCloseKey(key);

    char appKey[MAX_PATH];
    std::snprintf(appKey, sizeof appKey, "%s\\%s", KELMAR_REGISTRY_SECTION, KELMAR_PRODUCT);
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, appKey, 0, KEY_QUERY_VALUE, &key) == ERROR_SUCCESS)
        RegCloseKey(key);
    else if (acrxRegisterApp(4, KELMAR_PRODUCT, KELMAR_REGISTRY_SECTION, 2, false) != 0)
        acutPrintf(MSG_CANNOT_REGISTER_APP);

    char sub[MAX_PATH + 16];
    std::snprintf(sub, sizeof sub, "%s\\Loader", appKey);
    if (HKEY loader = createKey(HKEY_LOCAL_MACHINE, sub)) {
        // The path padded with zero bytes to 259; one more when it fills them, so that the
        // value always ends in a terminator.
        char module[MAX_PATH + 1] = {};
        std::strncpy(module, acedGetAppName(), MAX_PATH - 1);
        DWORD size = std::strlen(module) < MAX_PATH - 1 ? MAX_PATH - 1 : MAX_PATH;
        setStringValue(loader, "Module", module, size);
    }
    // The terminator is written too: a string value without one reads back unterminated.
    for (const char* name : {"Name", "Commands"}) {
        std::snprintf(sub, sizeof sub, "%s\\%s", appKey, name);
        if (HKEY k = createKey(HKEY_LOCAL_MACHINE, sub))
            setStringValue(k, KELMAR_PRODUCT, KELMAR_PRODUCT, sizeof KELMAR_PRODUCT);
    }
}

AcRx::AppRetCode initApplication(void* appId)
{
    if (AcRxDynamicLinker* linker = acrxDynamicLinker()) {
        linker->unlockApplication(appId);
        linker->registerAppMDIAware(appId);
    }
    if (AcEdCommandStack* commands = acedRegCmds())
        commands->addCommand(kCommandGroup, "KELMAR", "KELMAR", AcEdCommandStack::kModal, kelmarCommand);
    writeRegistryEntries();
    acutPrintf("\n%s Version %s%s (%s)\n%s\n", KELMAR_PRODUCT, KELMAR_VERSION_MAJOR, KELMAR_VERSION_MINOR,
               KELMAR_BUILD_DATE, KELMAR_COPYRIGHT);
    return AcRx::kRetOK;
}

}  // namespace

HINSTANCE moduleInstance = nullptr;
HINSTANCE attachResource = nullptr;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        // The module's own resources serve its dialogs; remember what was current.
        moduleInstance = instance;
        attachResource = static_cast<HINSTANCE>(acDocManagerPtr()->curResourceHandle());
        DisableThreadLibraryCalls(instance);
        InitAcUiDLL();
    }
    return TRUE;
}

extern "C" __declspec(dllexport) unsigned acrxGetApiVersion() { return 0x000F0000; }

extern "C" __declspec(dllexport) AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode msg, void* appId)
{
    switch (msg) {
    case AcRx::kInitAppMsg:
        return initApplication(appId);
    case AcRx::kUnloadAppMsg:
        endWaitCursor();
        closeProgressWindows();  // their code goes with the module
        if (AcEdCommandStack* commands = acedRegCmds())
            commands->removeGroup(kCommandGroup);
        return AcRx::kRetOK;
    case AcRx::kLoadDwgMsg:
        return defineFunctions() == RTNORM ? AcRx::kRetOK : AcRx::kRetError;
    case AcRx::kUnloadDwgMsg:
        endWaitCursor();
        undefineFunctions();
        return AcRx::kRetOK;
    case AcRx::kInvkSubrMsg:
        dispatch();
        return AcRx::kRetOK;
    default:
        return AcRx::kRetOK;
    }
}

// Constructed at attach, destroyed at detach.
static CDocReactor docReactor;
