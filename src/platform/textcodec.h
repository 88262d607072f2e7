#pragma once

#include <QByteArray>
#include <QString>

// Text files are UTF-8; files written by the Windows program are in its ANSI
// code page. Bytes that are not valid UTF-8 are therefore read as Windows-1252.
// A leading UTF-8 byte-order mark is dropped.
QString decodeLocalText(const QByteArray &bytes);

bool isValidUtf8(const QByteArray &bytes);
QString decodeWindows1252(const QByteArray &bytes);
