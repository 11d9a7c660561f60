// kel_about, kel_help, kel_version, kel_demandload: the module describing itself.
#include <windows.h>

#include <cstdio>

#include "acdocman.h"
#include "adslib.h"
#include "adswin.h"
#include "args.h"
#include "functable.h"
#include "handlers.h"
#include "messages.h"
#include "module.h"
#include "results.h"
#include "rxapi.h"
#include "version.h"

int kelAbout(struct resbuf* args)
{
    if (!Args(args).end())
        return stopped();
    char text[500];
    std::snprintf(text, sizeof text, "%s Version %s%s (%s)\n%s\n%s\nAll Rights Reserved\n", KELMAR_PRODUCT,
                  KELMAR_VERSION_MAJOR, KELMAR_VERSION_MINOR, KELMAR_BUILD_DATE, KELMAR_COPYRIGHT, KELMAR_WEB_ADDRESS);
    acDocManagerPtr()->pushResourceHandle(moduleInstance);
    MessageBoxA(adsw_acadMainWnd(), text, "About Kelmar", MB_OK | MB_TASKMODAL);
    acDocManagerPtr()->popResourceHandle();
    return giveNil();
}

int kelHelp(struct resbuf* args)
{
    if (!Args(args).end())
        return stopped();
    StringList names;
    for (size_t row = 0; row < functionCount; ++row)
        if (!names.add(functionTable[row].name))
            return fail(MSG_NO_RESULT_BUFFER);
    return names.give();
}

int kelVersion(struct resbuf* args)
{
    if (!Args(args).end())
        return stopped();
    static char version[32];  // joined once: the call is made thousands of times
    if (!version[0])
        std::snprintf(version, sizeof version, "%s%s", KELMAR_VERSION_MAJOR, KELMAR_VERSION_MINOR);
    return giveString(version);
}

int kelDemandload(struct resbuf* args)
{
    // Without argument: load on command; with T: at start-up too. Later records are not read.
    Args in(args);
    bool startup = in.more();
    if (startup && !in.at(RTT))
        return fail(MSG_INVALID_ARGUMENT);
    int reasons = startup ? kLoadOnStartup | kLoadOnCommand : kLoadOnCommand;
    if (acrxRegisterApp(reasons, KELMAR_PRODUCT, KELMAR_REGISTRY_SECTION, 2, false) != 0)
        return fail(MSG_CANNOT_REGISTER_APP);
    return giveBool(startup);
}
