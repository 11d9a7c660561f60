// The process-wide fault filter: a fault anywhere ends the host, naming the call it was in.
#include <windows.h>

#include <cstdio>

#include "host.h"

namespace {

LONG WINAPI reportFault(EXCEPTION_POINTERS* info)
{
    const char* what = theHost && theHost->call ? theHost->call->what.c_str() : "module";
    std::fflush(stdout);
    std::fprintf(stderr, "acadhost: %s: fault 0x%08lX at %p\n", what, info->ExceptionRecord->ExceptionCode,
                 info->ExceptionRecord->ExceptionAddress);
    std::fflush(stderr);
    ExitProcess(3);
    return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

void installFaultFilter() { SetUnhandledExceptionFilter(reportFault); }
