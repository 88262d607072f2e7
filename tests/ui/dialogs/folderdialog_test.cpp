#include "ui/dialogs/folderdialog.h"

#include "dialogtesting.h"
#include "store/folderobject.h"

#include <QCheckBox>
#include <QMessageBox>
#include <QRadioButton>

class FolderDialogTest : public DialogTest
{
protected:
    TFolderObject *folder(const QString &location = {})
    {
        auto *f = make<TFolderObject>(ItemKind::Folder, "Shared", {}, "{Fold}0");
        if (!location.isEmpty())
            f->SetValue(location);
        return f;
    }
    struct Controls
    {
        QCheckBox *remote;
        QRadioButton *lan, *internet;
        QLineEdit *location;
        QPushButton *browse;
    };
    static Controls controls(const QWidget *d)
    {
        return {control<QCheckBox>(d, "IsRemote"), control<QRadioButton>(d, "LANRadio"),
                control<QRadioButton>(d, "InternetRadio"), control<QLineEdit>(d, "LocationEdit"),
                control<QPushButton>(d, "BrowseBtn")};
    }
};

TEST_F(FolderDialogTest, LocationControlsFollowTheBoxAndTheRadios)
{
    TFolderEditDlg dialog(*folder(), {});
    Controls c = controls(&dialog);
    EXPECT_TRUE(c.lan->isChecked());
    EXPECT_FALSE(c.internet->isEnabled());
    EXPECT_FALSE(c.location->isEnabled());
    EXPECT_TRUE(c.browse->isHidden());

    c.remote->click();
    EXPECT_TRUE(c.location->isEnabled());
    EXPECT_FALSE(c.browse->isHidden());
    c.internet->click(); // an empty location gets the scheme
    EXPECT_EQ(c.location->text(), "http://");
    EXPECT_TRUE(c.browse->isHidden());
    c.lan->click(); // and loses it again
    EXPECT_TRUE(c.location->text().isEmpty());
    EXPECT_FALSE(c.browse->isHidden());

    // Remote folders open on their radio.
    TFolderEditDlg web(*folder("http://example.org/list.mbd"), {});
    EXPECT_TRUE(controls(&web).internet->isChecked());
    EXPECT_EQ(controls(&web).location->text(), "http://example.org/list.mbd");
    TFolderEditDlg path(*folder("/share/list.mbd"), {});
    EXPECT_TRUE(controls(&path).remote->isChecked());
    EXPECT_TRUE(controls(&path).lan->isChecked());
}

TEST_F(FolderDialogTest, OkStoresTheLocation)
{
    TFolderObject *f = folder();
    TFolderEditDlg dialog(*f, {});
    Controls c = controls(&dialog);
    c.remote->click();
    c.internet->click();
    QTest::keyClicks(c.location, "host/list.mbd"); // typed after the scheme
    EXPECT_EQ(dialog.Location(), "http://host/list.mbd");
    c.location->selectAll();
    QTest::keyClicks(c.location, "host/list.mbd"); // typed over it: OK adds the scheme
    EXPECT_EQ(dialog.Location(), "http://host/list.mbd");
    QTest::keyClicks(edit(&dialog, "FolderTitle"), " (web)");
    dialog.apply();
    EXPECT_EQ(f->Title(), "Shared (web)");
    EXPECT_EQ(f->Value(), "http://host/list.mbd");

    // Unticking the box makes the folder local again.
    TFolderEditDlg again(*f, {});
    controls(&again).remote->click();
    again.apply();
    EXPECT_TRUE(f->Value().isEmpty());
}

TEST_F(FolderDialogTest, MakingAFolderWithItemsRemoteAsksBeforeTheyGo)
{
    TFolderObject *f = folder();
    add(ItemKind::Person, "Kim", f->Node());
    TFolderEditDlg dialog(*f, {});
    dialog.show();
    Controls c = controls(&dialog);
    c.remote->click();
    QTest::keyClicks(c.location, "list.mbd");
    QString asked;
    const auto answer = [&asked, &dialog](QMessageBox::StandardButton button) {
        whenModalShows(
            [&asked, button](QDialog *box) {
                asked = static_cast<QMessageBox *>(box)->text();
                static_cast<QMessageBox *>(box)->button(button)->click();
            },
            &dialog);
    };

    // No: the dialog stays open and nothing is taken.
    answer(QMessageBox::No);
    dialog.okButton()->click();
    EXPECT_EQ(asked, QString::fromLatin1(TFolderEditDlg::DiscardQuestion));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(f->Node()->Count(), 1);

    answer(QMessageBox::Yes);
    dialog.okButton()->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    dialog.apply();
    EXPECT_EQ(f->Node()->Count(), 0);

    // An empty folder, or one already remote, is not asked about.
    asked.clear();
    TFolderEditDlg again(*f, {});
    again.show();
    again.okButton()->click();
    EXPECT_EQ(again.result(), QDialog::Accepted);
    EXPECT_TRUE(asked.isEmpty());
}

TEST_F(FolderDialogTest, BrowsePutsTheChosenFileIntoTheLocation)
{
    TFolderEditDlg dialog(*folder("/share/old.mbd"), {});
    QString askedWith;
    dialog.chooseFile = [&](const QString &start) {
        askedWith = start;
        return QStringLiteral("/share/new.mbd");
    };
    Controls c = controls(&dialog);
    c.browse->click();
    EXPECT_EQ(askedWith, "/share/old.mbd");
    EXPECT_EQ(dialog.Location(), "/share/new.mbd");

    dialog.chooseFile = [](const QString &) { return QString(); }; // cancelled
    c.browse->click();
    EXPECT_EQ(dialog.Location(), "/share/new.mbd");
}
