// A registry key, closed when it goes.
#pragma once

#include <windows.h>

class CKey {
public:
    CKey() = default;
    ~CKey() { Close(); }
    CKey(const CKey&) = delete;
    CKey& operator=(const CKey&) = delete;

    operator HKEY() const { return key_; }
    // The system's error code; the key held before is closed either way.
    LONG Open(HKEY parent, const char* name, DWORD options, REGSAM rights)
    {
        HKEY key = nullptr;
        LONG rc = RegOpenKeyExA(parent, name, options, rights, &key);
        Attach(rc == ERROR_SUCCESS ? key : nullptr);
        return rc;
    }
    LONG Create(HKEY parent, const char* name, DWORD options, REGSAM rights)
    {
        HKEY key = nullptr;
        LONG rc = RegCreateKeyExA(parent, name, 0, nullptr, options, rights, nullptr, &key, nullptr);
        Attach(rc == ERROR_SUCCESS ? key : nullptr);
        return rc;
    }
    void Attach(HKEY key) { Close(); key_ = key; }
    HKEY Detach()
    {
        HKEY key = key_;
        key_ = nullptr;
        return key;
    }
    LONG Close()
    {
        LONG rc = key_ ? RegCloseKey(key_) : ERROR_SUCCESS;
        key_ = nullptr;
        return rc;
    }

private:
    HKEY key_ = nullptr;
};
