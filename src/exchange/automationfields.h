#pragma once

#include <QString>

class TZEBObject;

// One CSV column of an item, read and written for the automation object.

// The item's cell as the CSV writer makes it ("value",), or empty for a column its
// kind does not know.
QString FieldCell(const TZEBObject &item, const QString &name);

// Writes one column through the kind's own column import, with the item's other
// columns as they are, so nothing else is lost or renamed. A person's or organization's
// contact column goes to its primary child of that kind, made through the import when
// there is none. Raises EAutomation (InvalidArgs) when the kind has no such column or
// refuses the value; the item is then as it was.
void SetField(TZEBObject &item, const QString &name, const QString &value);
