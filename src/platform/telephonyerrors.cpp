#include "telephonyerrors.h"

#include <array>

namespace LineError {
namespace {

// Names of 0x80000001 upwards; empty where no code was ever assigned.
constexpr std::array<const char *, 0x5A> kLineErrorNames = {
    "ALLOCATED", "BADDEVICEID", "BEARERMODEUNAVAIL", "", "CALLUNAVAIL", "COMPLETIONOVERRUN",
    "CONFERENCEFULL", "DIALBILLING", "DIALDIALTONE", "DIALPROMPT", "DIALQUIET",
    "INCOMPATIBLEAPIVERSION", "INCOMPATIBLEEXTVERSION", "INIFILECORRUPT", "INUSE", "INVALADDRESS",
    "INVALADDRESSID", "INVALADDRESSMODE", "INVALADDRESSSTATE", "INVALAPPHANDLE", "INVALAPPNAME",
    "INVALBEARERMODE", "INVALCALLCOMPLMODE", "INVALCALLHANDLE", "INVALCALLPARAMS",
    "INVALCALLPRIVILEGE", "INVALCALLSELECT", "INVALCALLSTATE", "INVALCALLSTATELIST", "INVALCARD",
    "INVALCOMPLETIONID", "INVALCONFCALLHANDLE", "INVALCONSULTCALLHANDLE", "INVALCOUNTRYCODE",
    "INVALDEVICECLASS", "INVALDEVICEHANDLE", "INVALDIALPARAMS", "INVALDIGITLIST", "INVALDIGITMODE",
    "INVALDIGITS", "INVALEXTVERSION", "INVALGROUPID", "INVALLINEHANDLE", "INVALLINESTATE",
    "INVALLOCATION", "INVALMEDIALIST", "INVALMEDIAMODE", "INVALMESSAGEID", "", "INVALPARAM",
    "INVALPARKID", "INVALPARKMODE", "INVALPOINTER", "INVALPRIVSELECT", "INVALRATE",
    "INVALREQUESTMODE", "INVALTERMINALID", "INVALTERMINALMODE", "INVALTIMEOUT", "INVALTONE",
    "INVALTONELIST", "INVALTONEMODE", "INVALTRANSFERMODE", "LINEMAPPERFAILED", "NOCONFERENCE",
    "NODEVICE", "NODRIVER", "NOMEM", "NOREQUEST", "NOTOWNER", "NOTREGISTERED", "OPERATIONFAILED",
    "OPERATIONUNAVAIL", "RATEUNAVAIL", "RESOURCEUNAVAIL", "REQUESTOVERRUN", "STRUCTURETOOSMALL",
    "TARGETNOTFOUND", "TARGETSELF", "UNINITIALIZED", "USERUSERINFOTOOBIG", "REINIT",
    "ADDRESSBLOCKED", "BILLINGREJECTED", "INVALFEATURE", "NOMULTIPLEINSTANCE", "INVALAGENTID",
    "INVALAGENTGROUP", "INVALPASSWORD", "INVALAGENTSTATE"};

} // namespace

QString hex(qint32 code)
{
    return code == 0 ? QString() : QStringLiteral("%1").arg(quint32(code), 8, 16, QLatin1Char('0')).toUpper();
}

QString text(qint32 code)
{
    switch (code) {
    case None: return QString(QLatin1String(""));
    case Device: return QStringLiteral("LINE_ERROR_DEVICE");
    case NotCompliant: return QStringLiteral("Not 100% TAPI compliant");
    // The modem's own words for a call that did not happen.
    case Busy: return QStringLiteral("BUSY");
    case NoDialtone: return QStringLiteral("NO DIALTONE");
    case NoCarrier: return QStringLiteral("NO CARRIER");
    case ModemError: return QStringLiteral("ERROR");
    case NoAnswer: return QStringLiteral("NO ANSWER");
    case TimedOut: return QStringLiteral("NO REPLY");
    default: break;
    }
    const quint32 u = quint32(code);
    if (u >= 0x80000001u && u <= 0x8000005Au) {
        const char *name = kLineErrorNames[u - 0x80000001u];
        if (*name)
            return QStringLiteral("LINEERR_") + QLatin1String(name);
    }
    return QStringLiteral("Unknown [%1]").arg(hex(code));
}

} // namespace LineError
