#pragma once

#include <QString>
#include <QStringList>

// The text of a value in a vCard line: "\" ";" "," and line breaks escaped with a
// backslash ("\n" for a line break), so that no value can end a component or a line.
QString EscapeVCardText(const QString &value);

// name + ":" + the components, each escaped, joined by ";".
QString VCardLine(const QString &name, const QStringList &components);
