#include "documentdrop.h"

#include "store/zebobject.h"

namespace DocumentDrop {

namespace {
// A kind without the column gives nothing, a contact without that child a lone comma.
bool hasCell(const TZEBObject *item, const QString &column)
{
    return item && item->GetFieldCSV(column).size() > 1;
}
} // namespace

bool OffersFax(const TZEBObject *item) { return hasCell(item, QStringLiteral("Fax Number")); }

bool OffersMail(const TZEBObject *item) { return hasCell(item, QStringLiteral("E-Mail Address")); }

bool Accepts(const TZEBObject *item) { return OffersFax(item) || OffersMail(item); }

QString FaxQuestion(const QString &title) { return QStringLiteral("Send document via Fax to ") + title + u'?'; }

QString MailQuestion(const QString &title)
{
    return QStringLiteral("Send document as an E-Mail attachment to ") + title + u'?';
}

} // namespace DocumentDrop
