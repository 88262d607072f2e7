#pragma once

#include <QString>
#include <QtGlobal>

// Result codes of the telephony line. The line error codes keep the numbers and
// names of the classic telephony interface, so saved messages and help texts match;
// the small negative codes are the line's own.
namespace LineError {

constexpr qint32 None = 0;
constexpr qint32 BadDeviceId = qint32(0x80000002);
constexpr qint32 InUse = qint32(0x8000000F);
constexpr qint32 InvalAddress = qint32(0x80000010);
constexpr qint32 InvalCallHandle = qint32(0x80000018);
constexpr qint32 InvalCallState = qint32(0x8000001C);
constexpr qint32 InvalLineHandle = qint32(0x8000002B);
constexpr qint32 InvalMediaMode = qint32(0x8000002F);
constexpr qint32 NoDevice = qint32(0x80000042);
constexpr qint32 NoMem = qint32(0x80000044);
constexpr qint32 OperationFailed = qint32(0x80000048);
constexpr qint32 StructureTooSmall = qint32(0x8000004D);

constexpr qint32 Device = -2;          // the port could not be opened or failed
constexpr qint32 NotCompliant = -987;  // opened for data only; the dialer does not show it
// A modem's final reply that means the call did not happen.
constexpr qint32 Busy = -3;
constexpr qint32 NoDialtone = -4;
constexpr qint32 NoCarrier = -5;
constexpr qint32 ModemError = -6;
constexpr qint32 NoAnswer = -7;
constexpr qint32 TimedOut = -8;

// The symbolic text of a code: "" for 0, "LINEERR_..." for a line error,
// "Unknown [XXXXXXXX]" for anything not known.
QString text(qint32 code);
// The code as 8 upper-case hexadecimal digits; empty for 0.
QString hex(qint32 code);

} // namespace LineError
