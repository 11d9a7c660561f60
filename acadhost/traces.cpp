// The traces of the process: what it writes with OutputDebugStringA (a barrier of the module
// stopping an exception, "kelmar: exception in kel_dir"), kept for (acadhost-traces). A
// vectored handler sees the system's DBG_PRINTEXCEPTION_C, which OutputDebugStringA raises
// before it looks for a debugger, takes the text and lets the exception go on its way.
#include <windows.h>

#include <cstring>

#include "host.h"

namespace {

// The oldest texts, up to a number; a longer text is cut.
const int kKept = 64;
const size_t kLength = 256;
char kept[kKept][kLength];
int count = 0;  // kept, and more beyond: those are lost
SRWLOCK guard = SRWLOCK_INIT;

const DWORD kPrintException = 0x40010006;  // DBG_PRINTEXCEPTION_C

LONG CALLBACK takeTrace(EXCEPTION_POINTERS* info)
{
    const EXCEPTION_RECORD* e = info->ExceptionRecord;
    if (e->ExceptionCode != kPrintException || e->NumberParameters < 2 || !e->ExceptionInformation[1])
        return EXCEPTION_CONTINUE_SEARCH;
    const char* text = reinterpret_cast<const char*>(e->ExceptionInformation[1]);
    AcquireSRWLockExclusive(&guard);
    if (count < kKept) {
        std::strncpy(kept[count], text, kLength - 1);
        kept[count][kLength - 1] = '\0';
    }
    ++count;
    ReleaseSRWLockExclusive(&guard);
    return EXCEPTION_CONTINUE_SEARCH;
}

}  // namespace

void installTraceRecorder() { AddVectoredExceptionHandler(1, takeTrace); }

std::vector<std::string> takeTraces()
{
    // Copied out under the lock, made into strings after it.
    static char taken[kKept][kLength];
    AcquireSRWLockExclusive(&guard);
    int n = count;
    std::memcpy(taken, kept, sizeof taken);
    count = 0;
    ReleaseSRWLockExclusive(&guard);
    std::vector<std::string> texts;
    for (int k = 0; k < n && k < kKept; ++k)
        texts.push_back(taken[k]);
    if (n > kKept)
        texts.push_back("acadhost: more traces lost\n");
    return texts;
}
