#pragma once

#include "vcardproperty.h"

#include <QByteArray>
#include <QString>
#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class CardValues;
class RecordSink;
struct RecordSource;

// One card: its properties in the order read or added, and the version it declared.
class TCard
{
public:
    void Add(TCardProperty property) { m_properties.push_back(std::move(property)); }
    void Delete(int index) { m_properties.erase(m_properties.begin() + index); }
    // Without properties, version or line; the room for properties is kept for the next card.
    void Clear()
    {
        m_properties.clear();
        Version.clear();
        Line = 0;
    }
    // Removes every property that pred holds for, keeping the others' order.
    template<typename Pred>
    void RemoveIf(Pred pred)
    {
        m_properties.erase(std::remove_if(m_properties.begin(), m_properties.end(), pred), m_properties.end());
    }
    int IndexOf(const TCardProperty *property) const;
    int Count() const { return int(m_properties.size()); }
    TCardProperty &Items(int index) { return m_properties.at(size_t(index)); }
    const TCardProperty &Items(int index) const { return m_properties.at(size_t(index)); }

    // The first property of that name (without regard to case), or none. A property
    // without a name is never found.
    const TCardProperty *FindProperty(QStringView name) const;
    // Removes the first property of that name and gives it, or nothing.
    std::optional<TCardProperty> TakeProperty(QStringView name);

    // The VERSION line's value; empty for cards without one (the older files of this
    // program, which are read with their own component order).
    QString Version;
    // The line of the file its BEGIN stood on; 0 for a card not read from a file.
    int Line = 0;

    // BEGIN, VERSION, one line per property (folded at 75 bytes), END.
    void WriteTo(RecordSink &sink) const;

private:
    std::vector<TCardProperty> m_properties;
};

// What a read met besides the cards it kept.
struct VCardReadNotes
{
    // Cards that hold bytes no text has (NUL) or a line of a property the program keeps
    // longer than MaxPropertyLine; the first one's BEGIN line.
    int unreadable = 0;
    int firstUnreadableLine = 0;
    // Cards with no property the program keeps.
    int empty = 0;
    // Cards that ran to the end of the file or to another BEGIN without their END.
    int unended = 0;
    // The file held more than MaxCards cards; the rest was not read.
    bool tooMany = false;
};

// A list of cards and the file they are read from and written to.
class TVCardFile
{
public:
    static constexpr qsizetype MaxPropertyLine = 64 * 1024;
    static constexpr qint64 MaxFileSize = qint64(512) * 1024 * 1024;
    static constexpr int MaxCards = 1000000;

    QString Filename;

    // Reads Filename (a regular file no larger than MaxFileSize) and appends its cards.
    // Raises EInOutError with the reason when it cannot be read.
    void LoadFromFile();
    // The same from the bytes of a file.
    void LoadFromBytes(const QByteArray &bytes);
    // Writes every card to Filename as UTF-8 with CR LF, replacing the file once the
    // new one is complete. Raises EInOutError.
    void SaveToFile() const;

    void AddCard(TCard card) { m_cards.push_back(std::move(card)); }
    int Count() const { return int(m_cards.size()); }
    TCard &Cards(int index) { return m_cards.at(size_t(index)); }
    const TCard &Cards(int index) const { return m_cards.at(size_t(index)); }
    const VCardReadNotes &Notes() const { return m_notes; }

private:
    std::vector<TCard> m_cards;
    VCardReadNotes m_notes;
};

// Reads the cards of a file's bytes one at a time: each is handed to each, then dropped.
void ReadVCards(const QByteArray &bytes, VCardReadNotes &notes, const std::function<void(TCard &)> &each);
// The same for a file's text already in UTF-8 (VCardBytesAsUtf8), each card as the
// importer reads it (its values views into text where they can be); gives the count of
// lines read, so that the notes of a later piece of the text can be placed.
int ReadVCardText(QByteArrayView text, VCardReadNotes &notes, const std::function<void(CardValues &)> &each);
// A place in text, at or after from, where it may be cut in two such that reading the
// pieces one after the other is reading it whole: the start of a BEGIN line that follows
// an END line, which follows a line that no "=" ends (a quoted-printable value would go
// on). -1 when there is none.
qsizetype VCardCutAfter(QByteArrayView text, qsizetype from);
// The bytes of a card file, a regular file no larger than TVCardFile::MaxFileSize.
// Raises EInOutError with the reason.
QByteArray ReadVCardFile(const QString &fileName);
// The same, a large file left where the system keeps it when keepMapped (for a reader that
// is done with it within moments): its bytes hold while the source lives.
std::shared_ptr<RecordSource> ReadVCardSource(const QString &fileName, bool keepMapped);

// What a read passed over, for the user ("2 cards could not be read ..."); empty when nothing.
QString VCardShortfall(const VCardReadNotes &notes);
