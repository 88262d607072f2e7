#pragma once

#include <QByteArray>
#include <QString>

// Text files are UTF-8; files written by the Windows program are in its ANSI
// code page. Each line is read as UTF-8 where it is valid UTF-8 and as Windows-1252
// where it is not, so one stray byte cannot change the accents of the rest of a file.
// A leading UTF-8 byte-order mark is dropped.
QString decodeLocalText(const QByteArray &bytes);
// One line (or part of one), decoded as decodeLocalText decodes its line: lineUtf8
// tells whether the whole line is valid UTF-8.
QString decodeLinePart(const char *p, qsizetype n, bool lineUtf8);

bool isValidUtf8(const char *p, qsizetype n);
inline bool isValidUtf8(const QByteArray &bytes) { return isValidUtf8(bytes.constData(), bytes.size()); }
QString decodeWindows1252(const char *p, qsizetype n);
inline QString decodeWindows1252(const QByteArray &bytes) { return decodeWindows1252(bytes.constData(), bytes.size()); }
