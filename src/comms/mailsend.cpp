#include "mailsend.h"

#include "platform/profile.h"
#include "platform/programsettings.h"
#include "store/contactobject.h"
#include "store/kinds.h"

namespace MailSend {

int Method(const Profile &profile)
{
    return Settings::MailMethodOf(profile);
}

bool AsksBeforeMultiple(int method) { return method != 2; }

QStringList RecipientsOf(const QList<TZEBObject *> &items)
{
    QStringList out;
    for (const TZEBObject *item : items) {
        if (!item)
            continue;
        const TZEBObject *mail = item->Kind() == ItemKind::EMail ? item : nullptr;
        if (const auto *contact = dynamic_cast<const TContactObject *>(item))
            mail = contact->PrimaryChild(ItemKind::EMail);
        if (mail && mail->Kind() == ItemKind::EMail && !mail->Value().trimmed().isEmpty())
            out << mail->Value().trimmed();
    }
    return out;
}

Plan PlanFor(int method, const QStringList &recipients, const QString &attachment)
{
    Plan plan;
    plan.mail.Recipient = recipients;
    if (!attachment.isEmpty())
        plan.mail.Attachment << attachment;
    plan.browser = method == 3 && attachment.isEmpty() && recipients.size() == 1 && recipients[0].contains(u'@');
    if (plan.browser)
        plan.url = plan.mail.MailtoUrl();
    return plan;
}

} // namespace MailSend
