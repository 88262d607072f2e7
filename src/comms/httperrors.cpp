#include "httperrors.h"

#include <utility>

namespace {
struct CodeText
{
    int code;
    const char *text;
};

// The socket layer's texts; the network codes carry their number in the text.
constexpr CodeText Texts[] = {
    {10000, "[0] No Error"},
    {10004, "[10004] Interrupted system call"},
    {10009, "[10009] Bad file number"},
    {10013, "[10013] Permission denied"},
    {10014, "[10014] Bad address"},
    {10022, "[10022] Invalid argument"},
    {10024, "[10024] Too many open files"},
    {10035, "[10035] Operation would block"},
    {10036, "[10036] Operation now in progress"},
    {10037, "[10037] Operation already in progress"},
    {10038, "[10038] Socket operation on non-socket"},
    {10040, "[10040] Message too long"},
    {10048, "[10048] Address already in use"},
    {10049, "[10049] Can't assign requested address"},
    {10050, "[10050] Network is down"},
    {10051, "[10051] Network is unreachable"},
    {10052, "[10052] Net dropped connection or reset"},
    {10053, "[10053] Software caused connection abort"},
    {10054, "[10054] Connection reset by peer"},
    {10055, "[10055] No buffer space available"},
    {10056, "[10056] Socket is already connected"},
    {10057, "[10057] Socket is not connected"},
    {10058, "[10058] Can't send after socket shutdown"},
    {10060, "[10060] Connection timed out"},
    {10061, "[10061] Connection refused"},
    {10064, "[10064] Host is down"},
    {10065, "[10065] No route to host"},
    {11001, "[11001] Host not found"},
    {11002, "[11002] Non-authoritative host not found"},
    {11003, "[11003] Non-recoverable error"},
    {11004, "[11004] Valid name, no data record of requested type"},
    {57000, "Operation timed out"},
    {57001, "Operation has been canceled"},
    {57002, "Server property is required"},
    {57004, "Error resolving remote host"},
    {57005, "Service name is required"},
    {57006, "Proxy port is required"},
    {57007, "Invalid URL"},
    {57008, "You have to connect to the server first"},
    {57009, "Server is busy"},
};
} // namespace

QString HttpErrors::Text(int code)
{
    for (const CodeText &t : Texts)
        if (t.code == code)
            return QString::fromLatin1(t.text);
    return QStringLiteral("Error #%1").arg(code);
}
