#pragma once

#include "platform/messaging.h"

#include <QList>
#include <QString>
#include <QStringList>

class Profile;
class TZEBObject;

// How mail to stored addresses leaves the program ("Settings", "INetMail" in zeb.ini):
// 1 "mailto" protocol (also when missing, as in the options dialog), 2 the messaging
// service, 3 the web browser. Every method but the browser hands the message to the
// desktop's mail client through xdg-email.
namespace MailSend {

inline constexpr const char *MultipleRecipientsQuestion =
    "Mailing to multiple recipients requires use of the Windows Messaging API (MAPI). "
    "Do you want to continue and use MAPI?";

int Method(const Profile &profile);
// Two or more recipients under any method but 2 are confirmed first.
bool AsksBeforeMultiple(int method);

// The addresses of the items acted on, in order: an e-mail item's own, a person's or
// organization's primary e-mail; empty ones are no recipients.
QStringList RecipientsOf(const QList<TZEBObject *> &items);

// One message: to the browser (a mailto address) or to the mail client.
struct Plan
{
    bool browser = false;
    QString url;
    TEmail mail;
};
// The browser takes a single internet address without an attachment; everything else
// goes to the mail client, so an attachment is never dropped.
Plan PlanFor(int method, const QStringList &recipients, const QString &attachment);

} // namespace MailSend
