// kel_hostname, kel_ipaddress, kel_macaddress, kel_ping: the local host's name and
// addresses, an adapter's hardware address, and one echo request to a host.
#include <winsock2.h>
#include <windows.h>

#include <rpc.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "adslib.h"
#include "args.h"
#include "handlers.h"
#include "messages.h"
#include "platform.h"
#include "results.h"

namespace {

// Windows Sockets 1.1, started for one call and cleaned up when it ends.
class Sockets {
public:
    Sockets()
    {
        WSADATA data;
        started_ = WSAStartup(MAKEWORD(1, 1), &data) == 0;
    }
    ~Sockets()
    {
        if (started_)
            WSACleanup();
    }
    Sockets(const Sockets&) = delete;
    Sockets& operator=(const Sockets&) = delete;
    bool started() const { return started_; }

private:
    bool started_;
};

// The local host's record; false, with nil, after the message of what failed (or none when
// the sockets could not start).
bool localHost(const Sockets& sockets, hostent*& host)
{
    if (!sockets.started())
        return stopWithNil();
    char name[80];
    if (gethostname(name, sizeof name) != 0)
        return report(MSG_WINSOCK_HOST_NAME);
    if (!(host = gethostbyname(name)))
        return report(MSG_WINSOCK_LOOKUP);
    return true;
}

// ICMP.DLL's entry points, loaded once per module load and kept, and its records.
typedef ULONG IPAddr;
struct IcmpEcho {
    IPAddr Address;
    ULONG Status;
    ULONG RoundTripTime;
    USHORT DataSize;
    USHORT Reserved;
    void* Data;
    struct {
        UCHAR Ttl, Tos, Flags, OptionsSize;
        UCHAR* OptionsData;
    } Options;
};
struct IcmpOptions {
    UCHAR Ttl, Tos, Flags, OptionsSize;
    UCHAR* OptionsData;
};
typedef HANDLE(WINAPI* IcmpCreateFileFn)();
typedef DWORD(WINAPI* IcmpSendEchoFn)(HANDLE, IPAddr, void*, WORD, IcmpOptions*, void*, DWORD, DWORD);
typedef BOOL(WINAPI* IcmpCloseHandleFn)(HANDLE);

IcmpCreateFileFn icmpCreateFile;
IcmpSendEchoFn icmpSendEcho;
IcmpCloseHandleFn icmpCloseHandle;
bool icmpTried;

bool icmpLoaded()
{
    if (!icmpTried) {
        icmpTried = true;  // a failed attempt is never repeated
        WSADATA data;
        if (WSAStartup(MAKEWORD(1, 1), &data) == 0) {  // kept for the module's life
            if (HMODULE icmp = LoadLibraryA("ICMP.DLL")) {
                icmpCreateFile = entryPoint<IcmpCreateFileFn>(icmp, "IcmpCreateFile");
                icmpSendEcho = entryPoint<IcmpSendEchoFn>(icmp, "IcmpSendEcho");
                icmpCloseHandle = entryPoint<IcmpCloseHandleFn>(icmp, "IcmpCloseHandle");
            }
        }
    }
    return icmpCreateFile && icmpSendEcho && icmpCloseHandle;
}

const WORD kPayload = 32;

}  // namespace

int kelHostname(struct resbuf* args)
{
    if (Args(args).more())
        return failNoResult(MSG_TOO_MANY);  // no result: the call yields nothing
    Sockets sockets;
    hostent* host = nullptr;
    if (!localHost(sockets, host))
        return stopped();
    return giveString(host->h_name);
}

int kelIpaddress(struct resbuf* args)
{
    if (Args(args).more())
        return failNoResult(MSG_TOO_MANY);
    Sockets sockets;
    hostent* host = nullptr;
    if (!localHost(sockets, host))
        return stopped();
    StringList addresses;
    for (char** a = host->h_addr_list; a && *a; ++a) {
        in_addr address;
        std::memcpy(&address, *a, sizeof address);
        if (!addresses.add(inet_ntoa(address)))
            return fail(MSG_NO_RESULT_BUFFER);
    }
    return addresses.give();
}

int kelMacaddress(struct resbuf* args)
{
    if (Args(args).more())
        return failNoResult(MSG_TOO_MANY);
    UUID uuid;
    if (UuidCreate(&uuid) != RPC_S_OK)
        return giveNil();
    const unsigned char* node = uuid.Data4 + 2;  // bytes 10 to 15: the node field
    char text[18];
    std::snprintf(text, sizeof text, "%02X:%02X:%02X:%02X:%02X:%02X", node[0], node[1], node[2], node[3], node[4],
                  node[5]);
    return giveString(text);
}

int kelPing(struct resbuf* args)
{
    Args in(args);
    char name[MAX_PATH];
    if (!in.string(name) || !in.end())
        return stopped();
    if (!icmpLoaded())
        return giveNil();
    IPAddr address = inet_addr(name);
    if (address == INADDR_NONE) {
        hostent* host = gethostbyname(name);
        if (!host || !host->h_addr_list[0] || host->h_length != 4)
            return giveNil();
        std::memcpy(&address, host->h_addr_list[0], 4);
    }
    HANDLE icmp = icmpCreateFile();
    if (icmp == INVALID_HANDLE_VALUE)
        return giveNil();
    char payload[kPayload];
    std::memset(payload, 'E', sizeof payload);
    // A reply, room for its data, and the 8 bytes of an ICMP error the system asks room for.
    unsigned char reply[sizeof(IcmpEcho) + (kPayload > 8 ? kPayload : 8) + 8];
    IcmpOptions options = {10, 0, 0, 0, nullptr};
    DWORD replies = icmpSendEcho(icmp, address, payload, kPayload, &options, reply, sizeof reply, 5000);
    icmpCloseHandle(icmp);
    IcmpEcho echo;
    std::memcpy(&echo, reply, sizeof echo);
    bool ok = replies == 1 && echo.Status == 0 && echo.DataSize == kPayload && echo.Data &&
              std::memcmp(echo.Data, payload, kPayload) == 0;
    if (!ok) {
        SetLastError(replies == 1 && echo.Status != 0 ? echo.Status : ERROR_UNEXP_NET_ERR);
        return giveNil();
    }
    in_addr from;
    from.s_addr = echo.Address;
    char dotted[16];
    std::snprintf(dotted, sizeof dotted, "%s", inet_ntoa(from));
    // Without a name for the address, the address stands in for it.
    hostent* back = gethostbyaddr(reinterpret_cast<const char*>(&echo.Address), 4, AF_INET);
    resbuf* list = acutBuildList(RTSTR, dotted, RTSTR, back && back->h_name ? back->h_name : dotted, RTSHORT,
                                 static_cast<int>(echo.RoundTripTime > 32767 ? 32767 : echo.RoundTripTime), 0);
    if (!list)
        return fail(MSG_NO_RESULT_BUFFER);
    return giveList(list);
}
