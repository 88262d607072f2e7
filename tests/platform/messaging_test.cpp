#include "platform/messaging.h"
#include "support/envguard.h"
#include "support/fakemodem.h"
#include "support/fakeprograms.h"
#include "support/filebytes.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
class MessagingTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { ensureCoreApplication(); }
    void SetUp() override { WriteBytes(dir.filePath("letter.pdf"), "%PDF"); }
    QString doc() const { return dir.filePath("letter.pdf"); }
    QTemporaryDir dir;
};
} // namespace

TEST_F(MessagingTest, EveryAddressStaysOneAddress)
{
    TEmail mail;
    mail.Recipient = {"x@y?attach=~/.ssh/id_rsa", "", "  ", "a,b@c&cc=d@e", "Kim Sample <kim@example.org>"};
    mail.CC = {"c@d"};
    mail.Bcc = {"e@f#g"};
    EXPECT_EQ(mail.MailtoUrl(), "mailto:x@y%3Fattach%3D~%2F.ssh%2Fid_rsa,a%2Cb@c%26cc%3Dd@e,"
                                "Kim%20Sample%20%3Ckim@example.org%3E?cc=c@d&bcc=e@f%23g");
    mail.Attachment = {doc()};
    EXPECT_EQ(mail.Arguments(), QStringList({"--utf8", "--attach", doc(), mail.MailtoUrl()}));
}

TEST_F(MessagingTest, LimitsAndMissingFilesAreRefusedWithTheirCodes)
{
    TEmail mail;
    for (int i = 0; i < 512; ++i)
        (i % 2 ? mail.CC : mail.Recipient) << QStringLiteral("p%1@example.org").arg(i);
    mail.Recipient << "" << "";
    for (int i = 0; i < 32; ++i)
        mail.Attachment << doc();
    EXPECT_EQ(mail.Check(), Mapi::Success);
    mail.Bcc << "one@more.org";
    EXPECT_EQ(mail.Check(), Mapi::TooManyRecipients);
    mail.Bcc.clear();
    mail.Attachment << doc();
    EXPECT_EQ(mail.Check(), Mapi::TooManyFiles);
    mail.Attachment = {dir.filePath("gone.pdf")};
    EXPECT_EQ(mail.SendMail(nullptr, nullptr), Mapi::AttachmentNotFound);
    EXPECT_EQ(mail.ErrorText, "The attachment \"" + dir.filePath("gone.pdf") + "\" was not found.");
}

TEST_F(MessagingTest, TheMailClientGetsTheMessageAndItsFailureIsHeard)
{
    FakePrograms programs({"xdg-email"});
    TEmail mail;
    mail.Recipient = {"kim@example.org"};
    mail.Attachment = {doc()};
    QStringList failures;
    QObject owner;
    EXPECT_EQ(mail.SendMail(&owner, [&](const QString &why) { failures << why; }), Mapi::Success);
    ASSERT_TRUE(programs.waitForRuns("xdg-email", 1));
    EXPECT_EQ(programs.runs("xdg-email")[0], QStringList({"--utf8", "--attach", doc(), "mailto:kim@example.org"}));

    programs.exitWith("xdg-email", 3);
    EXPECT_EQ(mail.SendMail(&owner, [&](const QString &why) { failures << why; }), Mapi::Success);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !failures.isEmpty(); }, 10000));
    EXPECT_EQ(failures, QStringList{"xdg-email found no program to hand the message to"});

    QTemporaryDir empty;
    const EnvGuard path("PATH", empty.path().toUtf8());
    EXPECT_EQ(mail.SendMail(&owner, nullptr), Mapi::LogonFailure);
    EXPECT_TRUE(mail.ErrorText.startsWith("xdg-email was not found")) << mail.ErrorText.toStdString();
}

TEST_F(MessagingTest, FaxesGoToSendfaxAsOneNumber)
{
    EXPECT_EQ(FaxSending::CheckedNumber(" +1 (212) 555-1234 "), "+1 (212) 555-1234");
    EXPECT_EQ(FaxSending::CheckedNumber("555-1234,,99#"), "555-1234,,99#");
    for (const char *bad : {"", "---", "555 1234; rm -rf ~", "kim@5551234", "-o 5551234x", "555\n1234", "٥٥٥"})
        EXPECT_EQ(FaxSending::CheckedNumber(QString::fromUtf8(bad)), "") << bad;

    FakePrograms programs({"sendfax"});
    QObject owner;
    QString error;
    EXPECT_EQ(FaxSending::Send("+1 212 555 1234", doc(), &owner, nullptr, &error), Mapi::Success);
    ASSERT_TRUE(programs.waitForRuns("sendfax", 1));
    EXPECT_EQ(programs.runs("sendfax")[0], QStringList({"-n", "-d", "+1 212 555 1234", doc()}));

    EXPECT_EQ(FaxSending::Send("call me", doc(), &owner, nullptr, &error), Mapi::Failure);
    EXPECT_EQ(error, "\"call me\" is not a fax number that can be dialed.");
    EXPECT_EQ(FaxSending::Send("5551234", dir.filePath("gone.pdf"), &owner, nullptr, &error), Mapi::AttachmentNotFound);
    QTemporaryDir empty;
    const EnvGuard path("PATH", empty.path().toUtf8());
    EXPECT_EQ(FaxSending::Send("5551234", doc(), &owner, nullptr, &error), Mapi::LogonFailure);
    EXPECT_EQ(error, "sendfax was not found: faxes are sent with HylaFAX's sendfax (package hylafax-client), "
                     "which is not installed.");
    EXPECT_EQ(programs.runs("sendfax").size(), 1);
}
