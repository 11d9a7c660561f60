// A kernel object's handle (a process, a thread, a token, a snapshot, a mapping), closed when
// it goes. Null and INVALID_HANDLE_VALUE both stand for none: the system's calls give one or
// the other when they fail.
#pragma once

#include <windows.h>

#include "owned.h"

struct KernelHandleTraits : NullIsNone<HANDLE> {
    static bool Holds(HANDLE handle) { return handle && handle != INVALID_HANDLE_VALUE; }
    static bool Release(HANDLE handle) { return CloseHandle(handle) != FALSE; }
};

class CHandle : public COwned<KernelHandleTraits> {
public:
    using COwned::COwned;
    bool Close() { return ReleaseHeld(); }
};
