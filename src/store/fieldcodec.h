#pragma once

#include <QString>
#include <QStringList>

// The record grammar separates fields with "~~" and has no escaping. A value that
// would break it (a "~~", a line break, a "~" at either end) is written as "~"
// followed by the value with "%", "~", CR and LF percent-encoded; no plain value can
// start with "~", so every other value is written unchanged.
QString EncodeField(const QString &value);
QString DecodeField(const QString &field);

// Appends the "~~"-separated fields of s to list: n separators give n + 1 fields.
void SplitFields(const QString &s, QStringList &list);
// Splits a record line and decodes each field.
QStringList SplitDecoded(const QString &s);
