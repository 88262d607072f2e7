#pragma once

#include <QString>

class TCard;
class TContactObject;
class TOrgObject;
class TPersonObject;
class TTreeNode;
class TZEBObject;

// A person or an organization as one card: its name lines, then the line of each
// address, phone, fax, e-mail and website child (GetVCardLine), with the types its
// title names and PREF on the primary one of each kind.
TCard CardOf(const TContactObject &item);

// Writes a person or an organization as a one-card file; other kinds write nothing.
// Raises EInOutError.
void WriteVCardFile(const TZEBObject &item, const QString &fileName);
// The persons and organizations of a subtree (those the category filter shows), one
// card each, in one file. Returns how many cards were written; with none, no file is.
int WriteVCardSubtree(TTreeNode *node, const QString &fileName);

// Fills a new person or organization from a card and creates its children under it:
// addresses, phones and faxes, e-mail addresses and websites, titled by their types,
// the preferred one (else the first) of each kind made the primary one. The card's
// properties are used up.
void ReadVCard(TPersonObject &person, TCard &card);
void ReadVCard(TOrgObject &organization, TCard &card);

