// A library loaded at run time, freed when it goes.
#pragma once

#include <windows.h>

class CLibrary {
public:
    CLibrary() = default;
    ~CLibrary() { Free(); }
    CLibrary(const CLibrary&) = delete;
    CLibrary& operator=(const CLibrary&) = delete;

    operator HMODULE() const { return module_; }
    bool Load(const char* name)
    {
        Attach(LoadLibraryA(name));
        return module_ != nullptr;
    }
    void Attach(HMODULE module) { Free(); module_ = module; }
    HMODULE Detach()
    {
        HMODULE module = module_;
        module_ = nullptr;
        return module;
    }
    bool Free()
    {
        bool freed = !module_ || FreeLibrary(module_);
        module_ = nullptr;
        return freed;
    }

private:
    HMODULE module_ = nullptr;
};
