#pragma once

#include <QByteArrayView>
#include <QDateTime>

// An HTTP date (the preferred "Sun, 06 Nov 1994 08:49:37 GMT", the older
// "Sunday, 06-Nov-94 08:49:37 GMT" and "Sun Nov  6 08:49:37 1994") as a UTC
// date-time, with its time of day. Month names are English whatever the locale.
// Invalid for anything else.
QDateTime ParseHttpDate(QByteArrayView text);
