#pragma once

#include <QString>

class TZEBObject;

// A document dropped on a contact: offered as a fax, then as an e-mail attachment, to
// whichever the contact has a number or address for.
namespace DocumentDrop {

// Whether item has a fax number / an e-mail address to send a document to.
bool OffersFax(const TZEBObject *item);
bool OffersMail(const TZEBObject *item);
// Either of the two.
bool Accepts(const TZEBObject *item);

QString FaxQuestion(const QString &title);
QString MailQuestion(const QString &title);

} // namespace DocumentDrop
