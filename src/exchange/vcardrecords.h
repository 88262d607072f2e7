#pragma once

#include "vcardimport.h"

#include "store/kinds.h"

#include <QString>
#include <QStringList>

class TCard;

// What a card makes: a person or an organization, its own fields, and the records of
// its children (addresses, phones and faxes, e-mail addresses, websites) one level below it.
struct CardItem
{
    ItemKind kind = ItemKind::Person;
    QString title;
    QString value;
    QString comment;
    QStringList fields; // of its data line, without the categories
    QString children;   // records, CR LF after each line
};

// Maps a card. The name comes from N and FN (TITLE names the item only in this program's
// older files, which have no VERSION), the note is the comment; children are titled by
// their types ("Home,Cellular", numbered when two would share a title, a word for the kind
// when there are none) and the last one marked preferred, else the first, of each kind
// is the primary one. The card's properties are used up.
CardItem MapVCard(TCard &card, VCardImportAs as, int childLevel);

// The card's records, its item at level and the children below, appended to out.
void AppendCardRecords(QString &out, TCard &card, VCardImportAs as, int level);

// How the card is named when the user is asked about it: "Dr. John Q Smith" from N,
// else FN, else "New".
QString CardDisplayName(const TCard &card);
// The card's first ORG component, or empty when it names no organization.
QString CardOrganization(const TCard &card);
