#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

// The find's test of a title: the text occurs, in lower case, at the title's start or
// right after a blank ("smi" finds "John Smith", not "Osmith"). An empty text finds
// nothing. A search tests every title of the tree, so titles of plain ASCII (nearly
// all) are compared where they lie, without a lower-case copy.
class WordStart
{
public:
    explicit WordStart(const QString &text);

    bool IsEmpty() const { return m_lower.isEmpty(); }
    const QString &Lower() const { return m_lower; }
    bool Matches(QStringView title) const;
    // The same for a title's bytes in a record file when they are plain ASCII; Decode
    // when they are not, and the title must be decoded first.
    enum class ByteAnswer { No, Yes, Decode };
    ByteAnswer MatchesAscii(const char *begin, const char *end) const;

private:
    QString m_lower;
    QByteArray m_ascii; // the text when it is plain ASCII, else empty
};
