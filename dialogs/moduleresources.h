// Makes the module's resources current for the dialogs of one call, and restores the
// previous ones when it goes: after the handler has set its result, on every way out.
#pragma once

#include "acdocman.h"
#include "module.h"

class ModuleResources {
public:
    ModuleResources() { acDocManagerPtr()->pushResourceHandle(moduleInstance); }
    ~ModuleResources() { acDocManagerPtr()->popResourceHandle(); }
    ModuleResources(const ModuleResources&) = delete;
    ModuleResources& operator=(const ModuleResources&) = delete;
};
