#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

struct VCardHead;

// The bytes of a card file as UTF-8 where the file is UTF-16 (it starts with a
// byte-order mark, as some programs write it); other files as they are, without a
// UTF-8 byte-order mark.
QByteArray VCardBytesAsUtf8(const QByteArray &bytes);

// The text of a value as its line's parameters say: quoted-printable bytes decoded
// first, then the CHARSET; without one, UTF-8 where the value is valid UTF-8 and
// Windows-1252 where it is not.
QString DecodeVCardValue(QByteArrayView value, const VCardHead &head);

// Whether a CHARSET names UTF-8, in any case.
bool VCardIsUtf8Charset(QByteArrayView charset);

// Quoted-printable: "=XX" is the byte XX; an "=" before anything else stays as it is.
QByteArray DecodeQuotedPrintable(QByteArrayView value);
