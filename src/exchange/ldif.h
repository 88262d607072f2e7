#pragma once

#include "importtext.h"

#include <QList>
#include <QPair>
#include <QString>
#include <vector>

class TTreeNode;
class TZEBObject;

// One LDIF entry: its attributes in file order, names as written ("dn" first).
struct LdifEntry
{
    QList<QPair<QString, QString>> attributes;
    int line = 0;

    // The first value of an attribute (name without regard to case, options such as
    // ";lang-en" ignored); empty when it has none.
    QString Value(QAnyStringView name) const;
    QStringList Values(QAnyStringView name) const;
};

struct LdifFile
{
    std::vector<LdifEntry> entries;
    // Lines that are no "name: value" line, and base64 values that do not decode.
    int badLines = 0;
    int firstBadLine = 0;
};

// Entries separated by blank lines; lines folded by a leading blank are joined; "#"
// comments passed over; "name:: " values are base64 of UTF-8 text.
LdifFile ParseLdif(const QString &text);
// One "name: value" line (folded at 76 characters), base64 when the value is not safe
// as it is (leading blank, colon or "<", line breaks, non-ASCII, trailing blank).
QString LdifLine(const QString &name, const QString &value);
// A distinguished-name value with its special characters escaped.
QString LdifDnValue(const QString &value);

// Address-book entries as mail clients export them become persons (an entry of class
// organization alone, an organization) in target; a person with "o" goes into the
// organization of that title in target, made once. Mailing lists are passed over and
// counted. A missing file does nothing; one that cannot be read raises EInOutError.
ImportNotes ImportLdif(TTreeNode *target, const QString &fileName);

// The persons and organizations of the subtree as entries: the same attributes the
// import reads. Returns how many were written.
int ExportLdif(TTreeNode *node, const QString &fileName);
