#include "dialogtesting.h"
#include "store/docobject.h"
#include "store/toolobject.h"
#include "support/filebytes.h"
#include "ui/dialogs/docdialog.h"
#include "ui/dialogs/tooldialog.h"

#include <QLabel>

using LaunchDialogTest = DialogTest;

TEST_F(LaunchDialogTest, DocumentNeedsATitleAndAFile)
{
    auto *doc = make<TDocObject>(ItemKind::Document, "New Document");
    TDocEditDlg dialog(*doc, {});
    EXPECT_EQ(dialog.windowTitle(), "Document");
    EXPECT_EQ(edit(&dialog, "TitleEdit")->text(), "New Document");
    QPushButton *ok = dialog.okButton();
    EXPECT_FALSE(ok->isEnabled()); // no file yet
    edit(&dialog, "FilenameEdit")->setText("   ");
    EXPECT_FALSE(ok->isEnabled());
    edit(&dialog, "FilenameEdit")->setText("/home/kim/report.doc");
    EXPECT_TRUE(ok->isEnabled());
    edit(&dialog, "TitleEdit")->setText(" ");
    EXPECT_FALSE(ok->isEnabled());
    edit(&dialog, "TitleEdit")->setText("Report");
    edit(&dialog, "CommentEdit")->setText("draft");
    ASSERT_TRUE(dialog.apply());
    EXPECT_EQ(doc->Title(), "Report");
    EXPECT_EQ(doc->Value(), "/home/kim/report.doc");
    EXPECT_EQ(doc->Comment(), "draft");
    EXPECT_NE(doc->GetImageIndex(), 13); // the type's picture
}

TEST_F(LaunchDialogTest, BrowseStartsInTheFolderOfThePathAndTakesTheChosenFile)
{
    QDir(dir.path()).mkpath("letters");
    const QString chosen = dir.filePath("letters/to Kim.txt");
    WriteBytes(chosen, "Dear Kim");
    auto *doc = make<TDocObject>(ItemKind::Document, "old.txt", dir.filePath("letters/old.txt"));
    TDocEditDlg dialog(*doc, {});
    QStringList startedIn;
    QString answer;
    dialog.chooseFile = [&](const QString &start) {
        startedIn << start;
        return answer;
    };
    control<QPushButton>(&dialog, "BrowseBtn")->click();
    EXPECT_EQ(edit(&dialog, "TitleEdit")->text(), "old.txt"); // cancelled: nothing changes

    answer = chosen;
    dialog.BrowseBtnClick();
    EXPECT_EQ(edit(&dialog, "TitleEdit")->text(), "to Kim.txt");
    EXPECT_EQ(edit(&dialog, "FilenameEdit")->text(), chosen);

    // A path whose folder is not there: the dialog's own starting place.
    edit(&dialog, "FilenameEdit")->setText("/no/such/folder/x.txt");
    answer.clear();
    dialog.BrowseBtnClick();
    EXPECT_EQ(startedIn, QStringList({dir.filePath("letters/"), dir.filePath("letters/"), QString()}));
}

TEST_F(LaunchDialogTest, CustomToolEditsTheAddressAndShowsTheToolsPicture)
{
    auto *tool = make<TToolObject>(ItemKind::Tool, "New Lookup", QString(), TToolObject::NewDataLine("/opt/lookup", "-q"));
    TToolEdit dialog(*tool, {});
    EXPECT_EQ(dialog.windowTitle(), "Custom Tool");
    EXPECT_EQ(edit(&dialog, "TitleEdit")->text(), "New Lookup");
    EXPECT_FALSE(dialog.toolImage()->pixmap().isNull());
    edit(&dialog, "Address")->setText("kim@example.org");
    edit(&dialog, "CommentEdit")->setText("work");
    ASSERT_TRUE(dialog.apply());
    EXPECT_EQ(tool->Value(), "kim@example.org");
    EXPECT_EQ(tool->Comment(), "work");
    EXPECT_EQ(tool->ToolFile(), "/opt/lookup");

    TToolEdit again(*tool, {});
    EXPECT_EQ(edit(&again, "Address")->text(), "kim@example.org");
    edit(&again, "TitleEdit")->clear();
    EXPECT_FALSE(again.okButton()->isEnabled());
    EXPECT_FALSE(again.apply());
    EXPECT_EQ(tool->Title(), "New Lookup");
}
