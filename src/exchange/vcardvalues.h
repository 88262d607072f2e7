#pragma once

#include "textroom.h"
#include "vcardproperty.h"

#include <QByteArrayView>
#include <QString>
#include <QVarLengthArray>
#include <vector>

class TCard;

// UTF-8 of a value as text, a byte-order mark at its start kept as the character it is:
// a component or a title may start with one that stood inside the value.
QString VCardText(QByteArrayView utf8);

// The components of one value as UTF-8, as a line's value is read: split only for N, ADR
// and ORG, at a ";" that no backslash escapes; escapes read; control characters other
// than line breaks made blanks; "tel:" and "mailto:" taken off. A piece that needs nothing
// done is a view into text, any other is made in room.
using VCardPieces = QVarLengthArray<QByteArrayView, 8>;
void SplitVCardValue(VCardName kept, bool uriValue, QByteArrayView text, TextRoom &room, VCardPieces &pieces);
// The text of a value as UTF-8, decoded as its head says (DecodeVCardValue): where it needs
// no decoding, the value itself.
QByteArrayView DecodedVCardText(QByteArrayView value, const VCardHead &head, TextRoom &room);

// A card as the importer reads it: the properties the program keeps with their components
// as UTF-8, where a value needs nothing done still in the file it was read from. Made
// afresh for each card; its room is kept.
class CardValues
{
public:
    struct Property
    {
        VCardName name;
        VCardTypes::Set types;
        QByteArrayView written; // the name as written, without a group
        qsizetype first;        // of its pieces
        qsizetype count;
        bool Has(VCardTypes::Row row) const { return types & VCardTypes::Bit(row); }
    };

    // A property from its head and its value as the file has it (still encoded as the
    // head says); with transient the value's bytes do not outlive the call.
    void Add(const VCardHead &head, QByteArrayView value, bool transient);
    // The VERSION line's value, trimmed.
    void SetVersion(const VCardHead &head, QByteArrayView value, bool transient);

    const std::vector<Property> &Properties() const { return m_properties; }
    int Count() const { return int(m_properties.size()); }
    // The component at index, empty when the property has fewer.
    QByteArrayView Piece(const Property &p, qsizetype index) const
    {
        return index < p.count ? m_pieces[size_t(p.first + index)] : QByteArrayView();
    }
    // The first property of that name, or none.
    const Property *Find(VCardName name) const;
    // Empty for cards without a VERSION line.
    QByteArrayView Version() const { return m_version; }
    // The line of the file its BEGIN stood on.
    int Line = 0;

    void Clear();
    // The card as the file model has it, and the properties it keeps of one.
    TCard ToCard() const;
    void Assign(const TCard &card);

private:
    // The property of head with the components in m_split.
    void addSplit(const VCardHead &head);

    std::vector<Property> m_properties;
    std::vector<QByteArrayView> m_pieces;
    VCardPieces m_split; // of the property being added
    QByteArrayView m_version;
    TextRoom m_room;
};
