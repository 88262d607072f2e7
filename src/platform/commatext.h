#pragma once

#include <QString>
#include <QStringList>

// Comma text: parts joined by ","; a part holding a blank, a control character, a
// comma or a double quote is written in double quotes with inner quotes doubled.
// A list of one empty part is written as "" so that it reads back as one part.
QString joinCommaText(const QStringList &parts);

// Splits at commas outside quotes, skips blanks (and control characters) around
// parts and removes the quotes. A blank text gives no parts; otherwise n commas
// outside quotes give n + 1 parts.
QStringList splitCommaText(const QString &text);
