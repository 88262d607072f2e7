#include "comms/mailsend.h"
#include "platform/profile.h"
#include "store/contactobject.h"
#include "support/storefixture.h"

TEST(MailSendTest, MethodAndQuestion)
{
    QTemporaryDir dir;
    Profile profile(dir.filePath("zeb.ini"));
    EXPECT_EQ(MailSend::Method(profile), 1); // the options dialog's default too
    profile.writeInteger("Settings", "INetMail", 3);
    EXPECT_EQ(MailSend::Method(profile), 3);
    EXPECT_TRUE(MailSend::AsksBeforeMultiple(0));
    EXPECT_TRUE(MailSend::AsksBeforeMultiple(1));
    EXPECT_FALSE(MailSend::AsksBeforeMultiple(2));
}

TEST(MailSendTest, OnlyASingleAddressWithoutAttachmentGoesToTheBrowser)
{
    MailSend::Plan p = MailSend::PlanFor(3, {"kim@example.org"}, {});
    EXPECT_TRUE(p.browser);
    EXPECT_EQ(p.url, "mailto:kim@example.org");
    EXPECT_FALSE(MailSend::PlanFor(3, {"kim@example.org"}, "/tmp/a.pdf").browser);
    EXPECT_EQ(MailSend::PlanFor(3, {"kim@example.org"}, "/tmp/a.pdf").mail.Attachment, QStringList{"/tmp/a.pdf"});
    EXPECT_FALSE(MailSend::PlanFor(3, {"Kim Sample"}, {}).browser);
    EXPECT_FALSE(MailSend::PlanFor(3, {"a@b", "c@d"}, {}).browser);
    for (int method : {0, 1, 2, 7})
        EXPECT_FALSE(MailSend::PlanFor(method, {"kim@example.org"}, {}).browser) << method;
}

class MailRecipientsTest : public StoreFixture
{
};

TEST_F(MailRecipientsTest, RecipientsAreTheAddressesOfTheItemsActedOn)
{
    TZEBObject *kim = add(ItemKind::Person, "Kim", root, "Kim Sample");
    TZEBObject *kimMail = add(ItemKind::EMail, "Work", kim->Node(), "kim@example.org");
    static_cast<TContactObject *>(kim)->SetPrimaryEMail("Work");
    TZEBObject *pat = add(ItemKind::Person, "Pat", root, "Pat Doe"); // no e-mail at all
    TZEBObject *blank = add(ItemKind::EMail, "Blank", root, "   ");
    TZEBObject *lee = add(ItemKind::EMail, "Lee", root, " lee@example.org ");
    TZEBObject *phone = add(ItemKind::Phone, "Desk", root, "555");
    EXPECT_EQ(MailSend::RecipientsOf({kim, pat, blank, phone, lee, kimMail, nullptr}),
              QStringList({"kim@example.org", "lee@example.org", "kim@example.org"}));
}
