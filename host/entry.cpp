// The module's entry points: library attach and detach, and the host's application messages.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "acdocman.h"
#include "adslib.h"
#include "adswin.h"
#include "docreactor.h"
#include "functable.h"
#include "messages.h"
#include "module.h"
#include "progresswindows.h"
#include "registry.h"
#include "rxapi.h"
#include "trace.h"
#include "version.h"
#include "waitcursor.h"

namespace {

const char kCommandGroup[] = "KEL_KELMAR";

void kelmarCommand() { acutPrintf(MSG_LOADED); }

bool createKey(CKey& key, HKEY root, const char* path)
{
    if (key.Create(root, path, 0, KEY_READ | KEY_WRITE) != ERROR_SUCCESS) {
        acutPrintf(MSG_CANNOT_OPEN_KEY);
        return false;
    }
    return true;
}

void setStringValue(HKEY key, const char* name, const char* data, DWORD size)
{
    if (RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data), size) != ERROR_SUCCESS)
        acutPrintf(MSG_CANNOT_SET_VALUE);
}

void writeRegistryEntries()
{
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
        CKey key;
        createKey(key, root, "SOFTWARE\\Kelmar");
    }

    char appKey[MAX_PATH];
    std::snprintf(appKey, sizeof appKey, "%s\\%s", KELMAR_REGISTRY_SECTION, KELMAR_PRODUCT);
    CKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, appKey, 0, KEY_QUERY_VALUE) == ERROR_SUCCESS)
        key.Close();
    else if (acrxRegisterApp(kLoadOnCommand, KELMAR_PRODUCT, KELMAR_REGISTRY_SECTION, 2, false) != 0)
        acutPrintf(MSG_CANNOT_REGISTER_APP);

    char sub[MAX_PATH + 16];
    std::snprintf(sub, sizeof sub, "%s\\Loader", appKey);
    CKey loader;
    if (createKey(loader, HKEY_LOCAL_MACHINE, sub)) {
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
        CKey k;
        if (createKey(k, HKEY_LOCAL_MACHINE, sub))
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
    acutPrintf(MSG_BANNER, KELMAR_PRODUCT, KELMAR_VERSION_MAJOR, KELMAR_VERSION_MINOR,
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

static AcRx::AppRetCode onAppMessage(AcRx::AppMsgCode msg, void* appId)
{
    switch (msg) {
    case AcRx::kInitAppMsg:
        return initApplication(appId);
    case AcRx::kUnloadAppMsg:
        endWaitCursor();
        closeProgressWindows();  // their code goes with the module
        forgetSplashClass();
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

// Nothing the module throws unwinds into the host: the message fails instead. (A function
// call's own barrier is in dispatch.)
extern "C" __declspec(dllexport) AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode msg, void* appId)
{
    try {
        return onAppMessage(msg, appId);
    } catch (...) {
        char where[48];
        std::snprintf(where, sizeof where, "acrxEntryPoint, message %d", static_cast<int>(msg));
        traceException(where);
        return AcRx::kRetError;
    }
}

// Constructed at attach, destroyed at detach.
static CDocReactor docReactor;
