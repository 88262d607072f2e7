#include "ui/dialogs/importwizard.h"

#include "dialogtesting.h"
#include "store/personobject.h"
#include "support/filebytes.h"
#include "support/storefixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {

class ImportWizardTest : public StoreFixture
{
protected:
    void SetUp() override
    {
        StoreFixture::SetUp();
        friends = add(ItemKind::Folder, "Friends", root)->Node();
        wizard.SetParent(friends);
    }
    void moveToImport(const QStringList &fields)
    {
        for (const QString &f : fields) {
            wizard.availableList()->clearSelection();
            wizard.availableList()->findItems(f, Qt::MatchExactly).value(0)->setSelected(true);
            for (QPushButton *b : wizard.findChildren<QPushButton *>())
                if (b->text() == "Copy to Import")
                    b->click();
        }
    }
    TTreeNode *friends = nullptr;
    TImportWizard wizard;
};

TEST_F(ImportWizardTest, EachSourceHasItsPagesAndFinishOnTheLast)
{
    EXPECT_EQ(wizard.windowTitle(), "Import Wizard");
    EXPECT_EQ(wizard.Source(), ImportSource::Mbd);
    EXPECT_EQ(wizard.recordTypeCombo()->currentText(), "Person");
    EXPECT_EQ(wizard.separatorCombo()->currentText(), "Comma");
    EXPECT_EQ(wizard.sourceList()->count(), 8);
    for (ImportSource s : {ImportSource::Mbd, ImportSource::Favorites, ImportSource::Bookmarks, ImportSource::AddressBook,
                           ImportSource::Nicknames, ImportSource::Ldif, ImportSource::VCard}) {
        wizard.SetSource(s);
        EXPECT_EQ(wizard.Sequence().size(), 2) << int(s);
    }
    wizard.SetSource(ImportSource::Csv);
    ASSERT_EQ(wizard.Sequence().size(), 3);
    EXPECT_EQ(wizard.nextButton()->text(), "Next >>");
    EXPECT_FALSE(wizard.backButton()->isEnabled());
    wizard.NextPage();
    // The columns page: Next only once a field is chosen.
    EXPECT_FALSE(wizard.nextButton()->isEnabled());
    moveToImport({"Last Name"});
    EXPECT_TRUE(wizard.nextButton()->isEnabled());
    wizard.NextPage();
    EXPECT_EQ(wizard.nextButton()->text(), "Finish");
    wizard.PrevPage();
    EXPECT_EQ(wizard.nextButton()->text(), "Next >>");
    // The favourites start at the home directory.
    EXPECT_EQ(wizard.picker(ImportSource::Favorites)->Path(), QDir::toNativeSeparators(QDir::homePath()));
}

TEST_F(ImportWizardTest, TheCsvPagesShowTheHeaderChoiceAndImportIntoTheSelectedFolder)
{
    WriteBytes("book.csv", "First Name,Last Name,Display Name,Primary Email\r\nKim,Park,Kim P.,kim@x.org\r\n");
    wizard.SetSource(ImportSource::Csv);
    moveToImport({"First Name"});
    wizard.picker(ImportSource::Csv)->SetPath(dir.filePath("book.csv"));
    EXPECT_TRUE(wizard.headerCheck()->isChecked());
    EXPECT_EQ(wizard.columnsCombo()->currentText(), "Column names of Thunderbird");
    const ImportNotes notes = wizard.RunChosenImport();
    EXPECT_EQ(notes.made, 1);
    ASSERT_EQ(friends->Count(), 1);
    auto *kim = dynamic_cast<TPersonObject *>(friends->Child(0)->Item());
    ASSERT_NE(kim, nullptr);
    EXPECT_EQ(kim->Title(), "Kim P.");
    EXPECT_EQ(kim->PrimaryEMail(), "Primary EMail");
    EXPECT_TRUE(services.errors.isEmpty());

    // The user says the first line is a record and reads the columns as listed.
    wizard.headerCheck()->setChecked(false);
    wizard.columnsCombo()->setCurrentIndex(0);
    EXPECT_EQ(wizard.RunChosenImport().made, 2);
    ASSERT_EQ(friends->Count(), 3);
    EXPECT_EQ(friends->Child(0)->Item()->Title(), "First Name ");
    // Records that make nothing are said.
    WriteBytes("book.csv", "Kim\r\n,\r\n");
    EXPECT_EQ(wizard.RunChosenImport().made, 1);
    ASSERT_EQ(services.errors.size(), 1);
    EXPECT_EQ(services.errors.front(), "\"" + QDir::toNativeSeparators(dir.filePath("book.csv")) +
                                           "\": 1 item was imported; 1 record made no item (line 2).");

    // A file named as tab text is read at its tabs, and one named as comma text at commas.
    WriteBytes("book.tsv", "First Name\tLast Name\nAl\tSmith, Jr\n");
    wizard.picker(ImportSource::Csv)->SetPath(dir.filePath("book.tsv"));
    EXPECT_EQ(wizard.Source(), ImportSource::Tab);
    EXPECT_TRUE(wizard.headerCheck()->isChecked());
    wizard.picker(ImportSource::Csv)->SetPath(dir.filePath("book.csv"));
    EXPECT_EQ(wizard.Source(), ImportSource::Csv);
}

TEST_F(ImportWizardTest, RootSourcesGoUnderTheRootAndFailuresAreShown)
{
    WriteBytes("bm.html", "<TITLE>My Links</TITLE><DL><DT><A HREF=\"http://a.example/\">A</A></DL>");
    wizard.SetSource(ImportSource::Bookmarks);
    wizard.picker(ImportSource::Bookmarks)->SetPath(dir.filePath("bm.html"));
    EXPECT_EQ(wizard.statusLabel(ImportSource::Bookmarks)->text(), "My Links");
    EXPECT_EQ(wizard.RunChosenImport().made, 1);
    EXPECT_EQ(root->Count(), 2); // Friends and My Links
    EXPECT_EQ(friends->Count(), 0);

    wizard.picker(ImportSource::Bookmarks)->SetPath(dir.filePath("missing.html"));
    EXPECT_EQ(wizard.statusLabel(ImportSource::Bookmarks)->text(), "None Found");
    wizard.RunChosenImport();
    WriteBytes("junk.vcf", QByteArray("BEGIN:VCARD\0\0\0", 14));
    WriteBytes("junk.ldif", QByteArray("dn: x\0", 6));
    wizard.SetSource(ImportSource::Ldif);
    wizard.picker(ImportSource::Ldif)->SetPath(dir.filePath("junk.ldif"));
    wizard.RunChosenImport();
    ASSERT_EQ(services.errors.size(), 2);
    EXPECT_TRUE(services.errors[0].endsWith("missing.html\" was not found; nothing was imported.")) << services.errors[0].toStdString();
    EXPECT_TRUE(services.errors[1].contains("is not a text file")) << services.errors[1].toStdString();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

} // namespace
