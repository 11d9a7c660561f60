// The host's run-time registry: application messages, the system registry with its dynamic
// linker, command stack and class dictionary, and demand-load registration.
#pragma once

#include "arxport.h"

namespace AcRx {
enum AppMsgCode {
    kInitAppMsg = 1,
    kUnloadAppMsg = 2,
    kLoadDwgMsg = 3,
    kUnloadDwgMsg = 4,
    kInvkSubrMsg = 5
};
enum AppRetCode {
    kRetOK = 0,
    kRetError = 3
};
}  // namespace AcRx

class AcRxClass;

class AcRxObject {
public:
    virtual ~AcRxObject() {}
    virtual AcRxClass* isA() const = 0;
    bool isKindOf(const AcRxClass* cls) const { return cls != nullptr && isA() == cls; }
};

// A class descriptor, as kept in the class dictionary.
class AcRxClass : public AcRxObject {
public:
    virtual const char* name() const = 0;
};

class AcRxDictionary : public AcRxObject {
public:
    virtual AcRxObject* at(const char* key) const = 0;  // null when absent
};

class AcRxDynamicLinker : public AcRxObject {
public:
    virtual bool unlockApplication(void* appId) = 0;
    virtual bool registerAppMDIAware(void* appId) = 0;
};

typedef void (*AcRxFunctionPtr)(void);
class AcEdUIContext;
class AcEdCommand;

class AcEdCommandStack : public AcRxObject {
public:
    enum { kModal = 0, kTransparent = 1 };
    // Returns 0 (eOk) when added, non-zero when the name is taken in the group.
    virtual int addCommand(const char* groupName, const char* globalName, const char* localName,
                           int commandFlags, AcRxFunctionPtr function, AcEdUIContext* uiContext = nullptr,
                           int fcode = -1, void* resourceHandle = nullptr, AcEdCommand** cmdPtr = nullptr) = 0;
    virtual int removeGroup(const char* groupName) = 0;
};

// When the host loads a registered application; acrxRegisterApp takes them or-ed together.
enum LoadReason { kLoadOnStartup = 0x02, kLoadOnCommand = 0x04 };

extern "C" {
ACAD_PORT AcRxDictionary* acrxSysRegistry(void);
// Writes the load reasons for application appName under HKEY_LOCAL_MACHINE\section; 0 on success.
ACAD_PORT int acrxRegisterApp(int loadReasons, const char* appName, const char* section, int level,
                              bool registerAppsCommands);
}

// Names in the system registry.
#define ACRX_DYNAMIC_LINKER "DynamicLinker"
#define ACRX_COMMAND_DOCK "ACAD_REGISTERED_COMMANDS"
#define ACRX_CLASS_DICTIONARY "ClassDictionary"

inline AcRxClass* acrxClassDesc(const char* className)
{
    AcRxObject* dict = acrxSysRegistry()->at(ACRX_CLASS_DICTIONARY);
    return dict ? static_cast<AcRxClass*>(static_cast<AcRxDictionary*>(dict)->at(className)) : nullptr;
}

inline AcRxDynamicLinker* acrxDynamicLinker()
{
    return static_cast<AcRxDynamicLinker*>(acrxSysRegistry()->at(ACRX_DYNAMIC_LINKER));
}

// The command stack, checked against its class descriptor.
inline AcEdCommandStack* acedRegCmds()
{
    AcRxObject* obj = acrxSysRegistry()->at(ACRX_COMMAND_DOCK);
    return obj && obj->isKindOf(acrxClassDesc("AcEdCommandStack")) ? static_cast<AcEdCommandStack*>(obj) : nullptr;
}
