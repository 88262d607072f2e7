#pragma once

#include "vcardimport.h"

#include "store/kinds.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <span>
#include <vector>

class CardValues;
class TCard;

// Records made from cards, as UTF-8 with CR LF after each line. Ids come from the one
// generator in the order the cards were read, and cards may be mapped on other threads:
// so a record leaves room where its Id goes, filled when the records are placed.
class CardRecords
{
public:
    // A record below the card's item: its header line, its data line (tag and fields).
    // Texts are UTF-8.
    void Add(int level, ItemKind kind, QByteArrayView title, QByteArrayView value, QByteArrayView comment,
             std::span<const QByteArrayView> fields);
    // Appends the records of other to those of the card being made.
    void Add(const CardRecords &other);
    // The records added since the last card make one card. With ownFirst the first of
    // them is the card's own item, whose Id is drawn after its children's.
    void EndCard(bool ownFirst);
    size_t CardCount() const { return m_cards.size(); }
    // Room for about bytes of records, so that a large import does not grow them step by step.
    void Reserve(qsizetype bytes);
    // Empty again, keeping the room taken.
    void Clear();
    // Cards from to end (indices) with their Ids drawn, appended to out; every card when
    // not told. The Ids of one card are drawn in a run.
    void AppendWithIds(QByteArray &out, size_t from = 0, size_t to = size_t(-1)) const;
    // Every card with its Ids drawn where the records stand, so a large import is not
    // copied; leaves this empty.
    QByteArray TakeWithIds();
    qsizetype Size() const { return m_size; }

private:
    // An Id is never wider than this ("-2147483648"), so records shrink as they get theirs.
    static constexpr qsizetype kIdRoom = 11;
    // Cards from to end written with their Ids at to, which may be where they stand; gives
    // the end of what was written.
    char *writeWithIds(char *to, size_t from, size_t end) const;

    struct Card
    {
        qsizetype end;
        size_t gapsEnd;
        bool ownFirst;
    };
    // n bytes of room at the end of the records, which are m_size bytes of m_bytes.
    char *room(qsizetype n);

    QByteArray m_bytes;
    qsizetype m_size = 0;
    std::vector<qsizetype> m_gaps;
    std::vector<Card> m_cards;
};

// What a card makes: a person or an organization, its own fields, and the records of
// its children (addresses, phones and faxes, e-mail addresses, websites) one level below it.
struct CardItem
{
    ItemKind kind = ItemKind::Person;
    QString title;
    QString value;
    QString comment;
    QStringList fields; // of its data line, without the categories
    CardRecords children; // not ended as a card
};

// Maps a card. The name comes from N and FN (TITLE names the item only in this program's
// older files, which have no VERSION), the note is the comment; children are titled by
// their types ("Home,Cellular", numbered when two would share a title, a word for the kind
// when there are none) and the last one marked preferred, else the first, of each kind
// is the primary one. The card's properties are used up. Item is made afresh (its
// children keep their room).
void MapVCard(TCard &card, VCardImportAs as, int childLevel, CardItem &item);

// The card's records, its item at level and the children below, appended to out as one
// card: the same mapping, for a card as the importer reads it or one of the file model.
void AppendCardRecords(CardRecords &out, const CardValues &card, VCardImportAs as, int level);
void AppendCardRecords(CardRecords &out, const TCard &card, VCardImportAs as, int level);

// How the card is named when the user is asked about it: "Dr. John Q Smith" from N,
// else FN, else "New".
QString CardDisplayName(const TCard &card);
// The card's first ORG component, or empty when it names no organization.
QString CardOrganization(const TCard &card);
