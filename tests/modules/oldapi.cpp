// A module built for an older host: the handshake must refuse it.
#include "rxapi.h"

extern "C" __declspec(dllexport) unsigned acrxGetApiVersion() { return 0x000E0000; }

extern "C" __declspec(dllexport) AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode, void*)
{
    return AcRx::kRetOK;
}
