#include "ui/dialogs/exportwizard.h"

#include "dialogtesting.h"
#include "store/personobject.h"
#include "support/filebytes.h"
#include "support/storefixture.h"
#include "ui/dialogs/pathpicker.h"
#include "ui/uitestutil.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>

namespace {

class ExportWizardTest : public StoreFixture
{
protected:
    void SetUp() override
    {
        StoreFixture::SetUp();
        friends = add(ItemKind::Folder, "Friends", root)->Node();
        CreateItem(ItemKind::Person, "Kim", {}, {}, friends, "{Pers}~~Kim~~~~Park~~~~~~~~~~~~0", 7);
        wizard.SetParent(friends);
        for (PublishType t : {PublishType::Database, PublishType::Html, PublishType::Csv, PublishType::VCard})
            wizard.dirPicker(t)->SetPath(dir.path());
    }
    void clickButton(const QString &text)
    {
        for (QPushButton *b : wizard.findChildren<QPushButton *>())
            if (b->text() == text && b->isVisibleTo(&wizard))
                b->click();
    }
    TTreeNode *friends = nullptr;
    TExportWizard wizard;
};

} // namespace

TEST_F(ExportWizardTest, FileTypesWalkTheirPagesAndFinishPublishes)
{
    EXPECT_EQ(wizard.windowTitle(), "Publishing Wizard");
    EXPECT_EQ(wizard.typeList()->count(), 4);
    EXPECT_EQ(wizard.Sequence().size(), 2);
    EXPECT_EQ(wizard.nameEdit(PublishType::Database)->text(), "Friends.mbd");
    EXPECT_EQ(wizard.titleEdit()->text(), "Friends");
    EXPECT_EQ(wizard.textColorCombo()->currentText(), "Black");
    EXPECT_EQ(wizard.linkColorCombo()->currentText(), "Navy");
    EXPECT_FALSE(wizard.preview()->pixmap().isNull());

    wizard.typeList()->setCurrentRow(1);
    ASSERT_EQ(wizard.Sequence().size(), 5);
    EXPECT_EQ(wizard.Sequence().at(1), wizard.sheet(PublishSheet::Index));
    // The CSV columns page lets the wizard go on only with a column chosen.
    wizard.typeList()->setCurrentRow(2);
    wizard.NextPage();
    EXPECT_EQ(wizard.CurrentSheet(), wizard.sheet(PublishSheet::CsvColumns));
    EXPECT_FALSE(wizard.nextButton()->isEnabled());
    wizard.availableList()->item(0)->setSelected(true); // "Title"
    clickButton("Copy to Import");
    EXPECT_TRUE(wizard.nextButton()->isEnabled());
    EXPECT_EQ(wizard.exportList()->item(0)->text(), "Title");
    wizard.recordTypeCombo()->setCurrentIndex(1); // another type starts over
    EXPECT_EQ(wizard.exportList()->count(), 0);
    EXPECT_FALSE(wizard.nextButton()->isEnabled());
    wizard.recordTypeCombo()->setCurrentIndex(0);
    wizard.availableList()->item(0)->setSelected(true);
    clickButton("Copy to Import");
    wizard.NextPage();
    EXPECT_EQ(wizard.nextButton()->text(), "Finish");
    wizard.NextPage();
    EXPECT_EQ(wizard.result(), QDialog::Accepted);
    EXPECT_TRUE(wizard.RunExport());
    EXPECT_EQ(ReadBytes(dir.filePath("Friends.csv")), CrLf({"Title", "\"Kim\""}));
}

TEST_F(ExportWizardTest, AWrongNameKeepsTheWizardOpen)
{
    wizard.nameEdit(PublishType::Database)->setText("friends.txt");
    wizard.NextPage();
    QString text;
    answerNextBox(&wizard, QMessageBox::Ok, &text);
    wizard.NextPage(); // "Finish"
    EXPECT_EQ(text, "The exported filename needs to have an extension of \".mbd\"");
    EXPECT_NE(wizard.result(), QDialog::Accepted);
    wizard.nameEdit(PublishType::Database)->setText("friends.mbd");
    wizard.NextPage();
    EXPECT_EQ(wizard.result(), QDialog::Accepted);
    EXPECT_TRUE(wizard.RunExport());
    EXPECT_TRUE(ReadBytes(dir.filePath("friends.mbd")).contains("Kim"));
}

TEST_F(ExportWizardTest, CardsOfAFolderWithoutContactsFallBack)
{
    TExportWizard empty;
    empty.SetParent(add(ItemKind::Folder, "Empty", root)->Node());
    QString text;
    answerNextBox(&empty, QMessageBox::Cancel, &text);
    empty.typeList()->setCurrentRow(3);
    EXPECT_EQ(text, "vCard publishing is only supported for Person and Organization items.");
    EXPECT_EQ(empty.typeList()->currentRow(), 0);
    EXPECT_EQ(empty.Sequence().size(), 2);
    EXPECT_EQ(empty.Plan()->Type(), PublishType::Database);
}

TEST_F(ExportWizardTest, AFailedExportIsReported)
{
    wizard.typeList()->setCurrentRow(1);
    wizard.dirPicker(PublishType::Html)->SetPath(dir.filePath("gone"));
    // The directory went away after the name was checked.
    wizard.Plan()->SetType(PublishType::Html);
    wizard.Plan()->htmlDir = dir.filePath("gone");
    EXPECT_FALSE(wizard.RunExport());
    EXPECT_EQ(services.errors.size(), 1);
}
