#include "mainformfixture.h"

#include "store/contactobject.h"
#include "support/envguard.h"
#include "support/fakeprograms.h"
#include "support/filebytes.h"

#include <QMessageBox>

namespace {

class MailTest : public MainFormTest
{
protected:
    void SetUp() override
    {
        MainFormTest::SetUp();
        kim = add(ItemKind::EMail, "Kim", nullptr, "kim@example.org");
        lee = add(ItemKind::EMail, "Lee", nullptr, "lee@example.org?attach=~/.ssh/id_rsa");
        fax = add(ItemKind::Fax, "Office", nullptr, "+1 212 555 1234");
        form->SelectNode(root);
    }
    void setMethod(int method)
    {
        WriteBytes(dir.filePath("zeb.ini"), "[Settings]\r\nINetMail=" + QByteArray::number(method) + "\r\n");
    }
    QAction *entry(int i) const { return form->listPopup()->actions().at(i); }
    void sendMail() { entry(1)->trigger(); }

    FakePrograms programs{{"xdg-email", "xdg-open", "sendfax"}};
    TZEBObject *kim = nullptr;
    TZEBObject *lee = nullptr;
    TZEBObject *fax = nullptr;
};

} // namespace

TEST_F(MailTest, DoubleClickingAnAddressOpensTheMailClient)
{
    form->MainItemsDblClick(rowIndex(lee));
    ASSERT_TRUE(programs.waitForRuns("xdg-email", 1));
    EXPECT_EQ(programs.runs("xdg-email")[0],
              QStringList({"--utf8", "mailto:lee@example.org%3Fattach%3D~%2F.ssh%2Fid_rsa"}));
    EXPECT_TRUE(entry(1)->isEnabled());
    EXPECT_TRUE(entry(2)->isEnabled());
}

TEST_F(MailTest, SeveralRowsAreAskedAboutFirst)
{
    setMethod(1);
    selectRows({kim, fax, lee});
    QString asked;
    answerNextBox(form.get(), QMessageBox::No, &asked);
    sendMail();
    EXPECT_EQ(asked, "Mailing to multiple recipients requires use of the Windows Messaging API (MAPI). "
                     "Do you want to continue and use MAPI?");
    answerNextBox(form.get(), QMessageBox::Yes);
    sendMail();
    ASSERT_TRUE(programs.waitForRuns("xdg-email", 1));
    QTest::qWait(100);
    ASSERT_EQ(programs.runs("xdg-email").size(), 1); // No sent nothing
    EXPECT_EQ(programs.runs("xdg-email")[0],
              QStringList({"--utf8", "mailto:kim@example.org,lee@example.org%3Fattach%3D~%2F.ssh%2Fid_rsa"}));

    // The messaging method does not ask.
    setMethod(2);
    sendMail();
    ASSERT_TRUE(programs.waitForRuns("xdg-email", 2));
}

TEST_F(MailTest, TheBrowserMethodOpensTheMailtoAddress)
{
    setMethod(3);
    selectRows({kim});
    sendMail();
    ASSERT_TRUE(programs.waitForRuns("xdg-open", 1));
    EXPECT_EQ(programs.runs("xdg-open")[0], QStringList{"mailto:kim@example.org"});
    EXPECT_TRUE(programs.runs("xdg-email").isEmpty());
}

TEST_F(MailTest, APersonsMailGoesToItsPrimaryAddress)
{
    TZEBObject *pat = add(ItemKind::Person, "Pat", nullptr, "Pat Doe");
    add(ItemKind::EMail, "Home", pat->Node(), "pat@example.org");
    static_cast<TContactObject *>(pat)->SetPrimaryEMail("Home");
    form->SelectNode(root);
    selectRows({pat});
    sendMail();
    ASSERT_TRUE(programs.waitForRuns("xdg-email", 1));
    EXPECT_EQ(programs.runs("xdg-email")[0], QStringList({"--utf8", "mailto:pat@example.org"}));
}

TEST_F(MailTest, FaxesSendTheChosenDocument)
{
    const QString doc = dir.filePath("letter.pdf");
    WriteBytes(doc, "%PDF");
    QString askedFor;
    form->services().faxDocumentChooser = [&](const QString &recipient) {
        askedFor = recipient;
        return doc;
    };
    selectRows({fax});
    entry(2)->trigger();
    ASSERT_TRUE(programs.waitForRuns("sendfax", 1));
    EXPECT_EQ(askedFor, "Office");
    EXPECT_EQ(programs.runs("sendfax")[0], QStringList({"-n", "-d", "+1 212 555 1234", doc}));

    // Cancelling the choice sends nothing; without sendfax the user is told.
    form->services().faxDocumentChooser = [](const QString &) { return QString(); };
    form->MainItemsDblClick(rowIndex(fax));
    form->services().faxDocumentChooser = [&](const QString &) { return doc; };
    QTemporaryDir empty;
    const EnvGuard path("PATH", empty.path().toUtf8());
    QString shown;
    answerNextBox(form.get(), QMessageBox::Ok, &shown);
    form->MainItemsDblClick(rowIndex(fax));
    EXPECT_TRUE(shown.startsWith("MAPI Error. Unable to send Fax using Windows Messaging Services\n\n"
                                 "sendfax was not found"))
        << shown.toStdString();
    EXPECT_EQ(programs.runs("sendfax").size(), 1);
}

TEST_F(MailTest, AFailingMailClientIsReported)
{
    programs.exitWith("xdg-email", 3);
    QString shown;
    answerNextBox(form.get(), QMessageBox::Ok, &shown);
    form->MainItemsDblClick(rowIndex(kim));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !shown.isEmpty(); }, 10000));
    EXPECT_EQ(shown, "The message could not be handed to your mail program: xdg-email found no program to hand the "
                     "message to.");
}

TEST_F(MailTest, ADocumentDroppedOnAContactIsFaxedAndMailedAsAnAttachment)
{
    TZEBObject *pat = CreateItem(ItemKind::Person, "Pat", " Pat", QString(), root,
                                 "{Pers}~~Pat~~~~~~~~~~Office fax~~Mail~~~~0", 0);
    add(ItemKind::Fax, "Office fax", pat->Node(), "+44 20 7946 0000");
    add(ItemKind::EMail, "Mail", pat->Node(), "pat@example.org");
    const QString doc = dir.filePath("a letter.pdf");
    WriteBytes(doc, "%PDF");
    int answered = 0;
    onMessageBoxes(form.get(), [&answered](QMessageBox *box) {
        press(box, QMessageBox::Yes);
        return ++answered == 2;
    });
    form->SendDocumentTo(pat, doc);
    EXPECT_EQ(answered, 2);
    ASSERT_TRUE(programs.waitForRuns("sendfax", 1));
    EXPECT_EQ(programs.runs("sendfax")[0], QStringList({"-n", "-d", "+44 20 7946 0000", doc}));
    ASSERT_TRUE(programs.waitForRuns("xdg-email", 1));
    EXPECT_EQ(programs.runs("xdg-email")[0], QStringList({"--utf8", "--attach", doc, "mailto:pat@example.org"}));
}
