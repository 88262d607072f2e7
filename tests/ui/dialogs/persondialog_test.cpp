#include "ui/dialogs/persondialog.h"

#include "dialogtesting.h"
#include "ui/dialogs/numberfield.h"
#include "ui/dialogs/orgdialog.h"
#include "ui/dialogs/primarypages.h"
#include "store/orgobject.h"
#include "store/personobject.h"
#include "store/phoneobject.h"

#include <QTabBar>
#include <QTabWidget>
#include <memory>

class PersonDialogTest : public DialogTest
{
protected:
    TPersonObject *newPerson() { return make<TPersonObject>(ItemKind::Person, "New Person"); }
    static void typeTitle(const QWidget *d, const QString &title)
    {
        edit(d, "Title")->setText(title);
        emit edit(d, "Title")->editingFinished(); // leaving the field
    }
    static QString text(const QWidget *d, const char *name) { return edit(d, name)->text(); }
    // Address, phone, fax, e-mail and website, the titles of the primary children.
    static QStringList primaries(const TContactObject *p)
    {
        return {p->PrimaryAddress(), p->PrimaryPhone(), p->PrimaryFax(), p->PrimaryEMail(), p->PrimaryWebsite()};
    }
};

TEST_F(PersonDialogTest, LeavingTheTitleSplitsItIntoNames)
{
    TPersonObject *p = newPerson();
    TEditPersDlg dialog(*p, true, {});
    typeTitle(&dialog, "Sample, Kim");
    EXPECT_EQ(text(&dialog, "FName"), "Sample");
    EXPECT_EQ(text(&dialog, "LName"), "Kim");
    typeTitle(&dialog, "Prince"); // one word leaves the names alone
    EXPECT_EQ(text(&dialog, "FName"), "Sample");

    // Words longer than the name fields' typing limits are not cut.
    typeTitle(&dialog, "Bartholomew-Fitzgerald Smith");
    EXPECT_EQ(text(&dialog, "FName"), "Bartholomew-Fitzgerald");
    typeTitle(&dialog, "Jo Featherstonehaugh-Smythes");
    EXPECT_EQ(text(&dialog, "LName"), "Featherstonehaugh-Smythes");
}

TEST_F(PersonDialogTest, LeavingAnUnchangedTitleKeepsTheNames)
{
    auto *p = make<TPersonObject>(ItemKind::Person, "Kim Sample", {}, "{Pers}Dr.~~Kimberly~~Ann~~Sample-Jones~~~~~~~~~~~~0");
    TEditPersDlg dialog(*p, false, {});
    emit edit(&dialog, "Title")->editingFinished(); // passing through, or clicking OK
    ASSERT_TRUE(dialog.apply());
    EXPECT_EQ(p->MiddleName(), "Ann");
    EXPECT_EQ(p->Value(), "Dr. Kimberly Sample-Jones"); // first and last name unchanged

    // A new person's preset title is not split either, until it is changed.
    TPersonObject *fresh = newPerson();
    TEditPersDlg created(*fresh, true, {});
    emit edit(&created, "Title")->editingFinished();
    EXPECT_TRUE(text(&created, "FName").isEmpty());

    // After a split the user may correct a name; leaving the title again keeps it.
    typeTitle(&created, "Kim Sample");
    edit(&created, "FName")->setText("Kimberly");
    emit edit(&created, "Title")->editingFinished();
    EXPECT_EQ(text(&created, "FName"), "Kimberly");
}

TEST_F(PersonDialogTest, NewPersonWithOnlyANameMakesNoChildren)
{
    // The preset page titles and an untyped phone mask are no contact points.
    TPersonObject *p = newPerson();
    TEditPersDlg dialog(*p, true, {});
    dialog.pages()->phoneFormats()->setCurrentIndex(1); // USA, nothing typed
    typeTitle(&dialog, "Kim Sample");
    ASSERT_TRUE(dialog.apply());
    EXPECT_EQ(p->Value(), " Kim Sample");
    EXPECT_EQ(p->ChildCount(), 0);
    EXPECT_EQ(primaries(p).join(""), "");
}

TEST_F(PersonDialogTest, NewPersonPagesCreateThePrimaryChildren)
{
    TPersonObject *p = newPerson();
    TEditPersDlg dialog(*p, true, {});
    PrimaryPagesWidget *pages = dialog.pages();
    // Both format lists are shown, in the phone order, on "Free Format".
    EXPECT_FALSE(pages->phoneFormats()->isHidden());
    EXPECT_EQ(pages->faxFormats()->currentText(), "Free Format");

    typeTitle(&dialog, "Kim Sample");
    control<QComboBox>(&dialog, "Salutation")->setEditText("Dr.");
    control<QPlainTextEdit>(&dialog, "Addr")->setPlainText("1 Main St\nFlat 2");
    pages->phoneFormats()->setCurrentIndex(1); // USA
    pages->phoneNumber()->setCursorPosition(pages->phoneNumber()->format().firstInput());
    QTest::keyClicks(pages->phoneNumber(), "5551234567");
    edit(&dialog, "Extension")->setText("12");
    control<QComboBox>(&dialog, "FaxTitle")->setEditText(""); // no title: no fax
    pages->faxNumber()->setText("555-0199");
    edit(&dialog, "EMailAddr")->setText("kim@example.org");
    control<QComboBox>(&dialog, "Web")->setEditText("kim.example.org"); // no scheme: dropped

    ASSERT_TRUE(dialog.apply());
    EXPECT_EQ(p->Value(), "Dr. Kim Sample");
    EXPECT_EQ(primaries(p), QStringList({"Primary Address", "Primary Phone", "", "Primary E-Mail", ""}));
    EXPECT_EQ(p->ChildCount(), 3);
    auto *phone = dynamic_cast<TPhoneObject *>(p->FindChild("Primary Phone", ItemKind::Phone));
    ASSERT_TRUE(phone);
    EXPECT_EQ(phone->Value(), "(555)123-4567");
    EXPECT_EQ(phone->Extension(), "12");
    EXPECT_EQ(p->FindChild("Primary Address", ItemKind::Address)->Value(), "1 Main St");
}

TEST_F(PersonDialogTest, EditingShowsThePrimaryChildAndANewTitleMakesAnotherPhone)
{
    auto *p = make<TPersonObject>(ItemKind::Person, "Kim Sample", " Kim Sample", "{Pers}~~Kim~~~~Sample~~~~Home~~~~~~~~0");
    add(ItemKind::Phone, "Home", p->Node(), "555-0100", "{Phon}~~0");
    add(ItemKind::Phone, "Office", p->Node(), "555-0200", "{Phon}7~~0");
    TEditPersDlg dialog(*p, false, {});
    PrimaryPagesWidget *pages = dialog.pages();
    EXPECT_TRUE(pages->phoneFormats()->isHidden());
    EXPECT_TRUE(pages->faxFormats()->isHidden());
    QComboBox *titles = pages->titleList(ItemKind::Phone);
    EXPECT_EQ(titles->count(), 2);
    EXPECT_EQ(titles->currentText(), "Home");
    EXPECT_EQ(pages->phoneNumber()->text(), "555-0100");
    EXPECT_TRUE(pages->phoneNumber()->inputMask().isEmpty());

    // Choosing the other title shows that phone.
    titles->setCurrentIndex(1);
    emit titles->activated(1);
    EXPECT_EQ(pages->phoneNumber()->text(), "555-0200");
    EXPECT_EQ(text(&dialog, "Extension"), "7");

    // A title of no phone makes another one and leaves the shown one alone.
    // (The model's tests update a phone of an existing title.)
    titles->setEditText("Work");
    pages->phoneNumber()->setText("555-0300");
    ASSERT_TRUE(dialog.apply());
    EXPECT_EQ(p->PrimaryPhone(), "Work");
    EXPECT_EQ(p->ChildCount(), 3);
    EXPECT_EQ(p->FindChild("Office", ItemKind::Phone)->Value(), "555-0200");
    EXPECT_EQ(p->FindChild("Work", ItemKind::Phone)->Value(), "555-0300");
}

TEST_F(PersonDialogTest, OrganizationHasNoNamePartsAndNoLimit)
{
    auto *org = make<TOrgObject>(ItemKind::Organization, "New Organization", "kept");
    ASSERT_TRUE(org);
    TOrgEditDlg dialog(*org, true, {});
    EXPECT_FALSE(dialog.findChild<QLineEdit *>("FName"));
    QLineEdit *title = edit(&dialog, "Title");
    const QString longName(120, u'x');
    title->setText(longName);
    emit title->editingFinished();
    edit(&dialog, "EMailAddr")->setText("info@example.org");
    ASSERT_TRUE(dialog.apply());
    EXPECT_EQ(org->Title(), longName);
    EXPECT_EQ(org->Value(), "kept"); // the dialog does not compose a value
    EXPECT_EQ(primaries(org), QStringList({"", "", "", "Primary E-Mail", ""}));
    EXPECT_EQ(org->ChildCount(), 1);
}

TEST_F(PersonDialogTest, ClosedWhileItsChangedTitleHasFocus)
{
    // Taking the dialog down moves the focus off the title, which reports the edit.
    auto *person = make<TPersonObject>(ItemKind::Person, "Kim");
    auto dialog = std::make_unique<TEditPersDlg>(*person, false, QStringList());
    dialog->show();
    dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    QLineEdit *title = edit(dialog.get(), "Title");
    title->setFocus();
    QTest::keyClicks(title, " Lee Park");
    dialog.reset();
    EXPECT_EQ(person->Title(), "Kim");
}

TEST_F(PersonDialogTest, TabEntersThePageBroughtToTheFrontWithTheKeyboard)
{
    auto *person = make<TPersonObject>(ItemKind::Person, "Kim");
    auto *org = make<TOrgObject>(ItemKind::Organization, "Acme");
    TEditPersDlg personDialog(*person, false, {});
    TOrgEditDlg orgDialog(*org, false, {});
    for (QDialog *dialog : {static_cast<QDialog *>(&personDialog), static_cast<QDialog *>(&orgDialog)}) {
        dialog->show();
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
        QTabBar *bar = dialog->findChild<QTabWidget *>()->tabBar();
        int page = 0;
        for (const char *first : {"PhoneTitle", "FaxTitle", "EMailTitle", "WebTitle"}) {
            bar->setFocus();
            QTest::keyClick(bar, Qt::Key_Right);
            ASSERT_EQ(bar->currentIndex(), ++page);
            QTest::keyClick(bar, Qt::Key_Tab);
            QWidget *focus = QApplication::focusWidget();
            auto *expected = control<QComboBox>(dialog, first);
            EXPECT_TRUE(focus && (focus == expected || expected->isAncestorOf(focus)))
                << dialog->windowTitle().toStdString() << ": " << first << " but "
                << (focus ? qPrintable(focus->objectName()) : "none");
        }
        dialog->hide();
    }
}
