#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// Caller identification as a modem reports it between the first rings:
//   DATE=1207  TIME=1432  NMBR=2125551234  NAME=JOHN Q PUBLIC
// with or without blanks around "="; "P" for a private and "O" for an
// out-of-area number or name.
namespace CallerIdFlag {
constexpr quint32 Blocked = 0x1;
constexpr quint32 OutOfArea = 0x2;
constexpr quint32 Partial = 0x10;
constexpr quint32 Unknown = 0x20;
constexpr quint32 Unavail = 0x40;
} // namespace CallerIdFlag

// Network text is cut to this many characters after control characters are dropped.
constexpr int MaxCallerIdText = 64;

struct CallerIdBlock
{
    QString date, time, number, name;
    quint32 flags = 0;
    bool numberSeen = false;
    bool nameSeen = false;

    bool empty() const { return !numberSeen && !nameSeen && date.isEmpty() && time.isEmpty(); }
    // Takes one line from the modem; false when it is no caller-ID field.
    bool addLine(const QByteArray &line);
};

struct CallerIdText
{
    QString name, number;
    bool blocked = false, outOfArea = false;
};

// The name and number shown for a block: numbers of exactly 10 characters get
// dashes (212-555-1234) with formatNumber, names become "John Q Public" with
// formatName; flags append "*Private", "*Out of Area", "*Partial", "*Unknown",
// "*Unavailable" to the number.
CallerIdText decodeCallerId(const CallerIdBlock &block, bool formatName, bool formatNumber);
