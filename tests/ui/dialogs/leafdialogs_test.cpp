#include "dialogtesting.h"
#include "store/addressobject.h"
#include "ui/dialogs/addressdialog.h"
#include "ui/dialogs/emaildialog.h"
#include "ui/dialogs/faxdialog.h"
#include "ui/dialogs/numberfield.h"
#include "ui/dialogs/persondialog.h"
#include "ui/dialogs/phonedialog.h"
#include "ui/dialogs/websitedialog.h"
#include "store/emailobject.h"
#include "store/faxobject.h"
#include "store/personobject.h"
#include "store/phoneobject.h"
#include "store/webobject.h"

using LeafDialogTest = DialogTest;

TEST_F(LeafDialogTest, NewAddressNeedsTitleAndStreet)
{
    auto *a = make<TAddressObject>(ItemKind::Address, "New Address");
    TEditAddressDlg dialog(*a, true, {});
    EXPECT_FALSE(dialog.apply()); // no street
    auto *memo = control<QPlainTextEdit>(&dialog, "Addr");
    memo->setPlainText("1 Main St\nFlat 2\nBack door\nFourth\nFifth");
    edit(&dialog, "City")->setText("Springfield");
    ASSERT_TRUE(dialog.apply());
    EXPECT_EQ(a->Value(), "1 Main St");
    EXPECT_EQ(a->Lines().size(), 5); // all memo lines stay in memory
    EXPECT_EQ(a->City(), "Springfield");
}

TEST_F(LeafDialogTest, AddressStreetIsLimitedAndEditedWhole)
{
    auto *a = make<TAddressObject>(ItemKind::Address, "Home", "1 Main St",
                                   "{Addr}1 Main St~~Flat 2~~~~Springfield~~IL~~62701~~USA~~0");
    TEditAddressDlg dialog(*a, false, {});
    auto *memo = control<QPlainTextEdit>(&dialog, "Addr");
    EXPECT_EQ(memo->toPlainText(), "1 Main St\nFlat 2\n");

    memo->selectAll();
    QTest::keyClicks(memo, QString(130, u'a'));
    EXPECT_EQ(memo->toPlainText().size(), 120);

    edit(&dialog, "AddrTitle")->clear(); // an empty title changes nothing
    EXPECT_FALSE(dialog.apply());
    EXPECT_EQ(a->Value(), "1 Main St");
    EXPECT_EQ(a->Title(), "Home");
}

TEST_F(LeafDialogTest, PhoneFormatsAreOfferedOnlyForANewPhone)
{
    auto *phone = make<TPhoneObject>(ItemKind::Phone, "New Phone");
    TPhoneEditDlg dialog(*phone, true, {});
    EXPECT_EQ(dialog.formatList()->currentText(), "Free Format");
    EXPECT_FALSE(dialog.apply()); // no number: the new phone is discarded

    dialog.formatList()->setCurrentIndex(1); // USA
    NumberField *number = dialog.numberField();
    number->setCursorPosition(number->format().firstInput());
    QTest::keyClicks(number, "555"); // the area code only
    edit(&dialog, "Extension")->setText("42");
    ASSERT_TRUE(dialog.apply());
    EXPECT_EQ(phone->Value(), "(555)___-____");

    // Opened again, the number is plain text.
    TPhoneEditDlg again(*phone, false, {});
    EXPECT_TRUE(again.formatList()->isHidden());
    EXPECT_TRUE(again.numberField()->inputMask().isEmpty());
    EXPECT_EQ(again.numberField()->text(), "(555)___-____");
    EXPECT_EQ(edit(&again, "Extension")->text(), "42");
    edit(&again, "PhoneTitle")->clear();
    EXPECT_FALSE(again.apply());
    EXPECT_EQ(phone->Title(), "New Phone");
}

TEST_F(LeafDialogTest, NewFaxStartsInUsaFormatAnExistingOneNeedsOnlyATitle)
{
    auto *fax = make<TFaxObject>(ItemKind::Fax, "New Fax");
    TFaxEditDlg dialog(*fax, true, {});
    EXPECT_EQ(dialog.formatList()->currentText(), "USA");
    EXPECT_EQ(dialog.numberField()->displayText(), "(___)___-____");
    EXPECT_FALSE(dialog.apply()); // nothing typed

    dialog.formatList()->setCurrentIndex(1); // "Free Format" removes the mask
    EXPECT_TRUE(dialog.numberField()->inputMask().isEmpty());
    QTest::keyClicks(dialog.numberField(), "+44 20 7946 0000"); // taken as typed
    ASSERT_TRUE(dialog.apply());
    EXPECT_EQ(fax->Value(), "+44 20 7946 0000");

    // Opened again it has no formats, and needs only a title.
    TFaxEditDlg again(*fax, false, {});
    EXPECT_TRUE(again.formatList()->isHidden());
    again.numberField()->clear();
    ASSERT_TRUE(again.apply());
    EXPECT_TRUE(fax->Value().isEmpty());
}

TEST_F(LeafDialogTest, EMailAndWebsite)
{
    // A stored title longer than the field's typing limit is shown and kept whole.
    const QString longTitle(60, u't');
    auto *mail = make<TEMailObject>(ItemKind::EMail, longTitle);
    TEMailEditDlg mailDialog(*mail, {});
    EXPECT_FALSE(mailDialog.apply()); // no address
    edit(&mailDialog, "EMailAddr")->setText("no-at-sign");
    ASSERT_TRUE(mailDialog.apply());
    EXPECT_EQ(mail->Title(), longTitle);
    EXPECT_EQ(mail->Value(), "no-at-sign");
    edit(&mailDialog, "EMailTitle")->clear(); // the title may be empty
    ASSERT_TRUE(mailDialog.apply());
    EXPECT_TRUE(mail->Title().isEmpty());

    auto *site = make<TWebObject>(ItemKind::Website, "New Website");
    TWebSiteDlg siteDialog(*site, {});
    auto *web = control<QComboBox>(&siteDialog, "Web");
    EXPECT_EQ(web->currentText(), "http://");
    EXPECT_FALSE(siteDialog.apply()); // the scheme alone is no address
    web->setEditText("example.org"); // a bare host name is refused
    EXPECT_FALSE(siteDialog.apply());
    EXPECT_TRUE(site->Value().isEmpty());
    web->setEditText("FTP://example.org"); // any scheme, in any case
    ASSERT_TRUE(siteDialog.apply());
    EXPECT_EQ(site->Value(), "FTP://example.org");
    EXPECT_EQ(site->Node()->Text(), "New Website");

    TWebSiteDlg again(*site, {});
    EXPECT_EQ(control<QComboBox>(&again, "Web")->currentText(), "FTP://example.org");
}

TEST_F(LeafDialogTest, OkWaitsForATitleThatIsMoreThanBlanks)
{
    auto *person = make<TPersonObject>(ItemKind::Person, "Kim");
    TEditPersDlg dialog(*person, false, {});
    QLineEdit *title = edit(&dialog, "Title");
    EXPECT_TRUE(dialog.okButton()->isEnabled());
    for (const char *blank : {"", "   "}) {
        title->setText(blank);
        EXPECT_FALSE(dialog.okButton()->isEnabled()) << '"' << blank << '"';
    }
    // Enter does not take it either.
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    title->setFocus();
    QTest::keyClick(title, Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    title->setText("K");
    EXPECT_TRUE(dialog.okButton()->isEnabled());

    // An item whose file gave it no title opens with OK waiting for one.
    auto *phone = make<TPhoneObject>(ItemKind::Phone, "", "555");
    TPhoneEditDlg untitled(*phone, false, {});
    EXPECT_FALSE(untitled.okButton()->isEnabled());
}
