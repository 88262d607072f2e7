#include "ui/dialogs/vcimportdialog.h"

#include "dialogtesting.h"

#include <QLabel>
#include <QPushButton>

TEST(VCImportDialogTest, PersonIsTheDefaultAndClosingMakesAPersonToo)
{
    const QString longName = QString(80, u'W');
    TVCImportDlg dialog(longName, "Acme");
    EXPECT_EQ(dialog.windowTitle(), "vCard Import");
    EXPECT_EQ(dialog.organizationLabel()->text(), "Acme");
    // A name wider than its label is cut short and shown whole in the tip.
    EXPECT_NE(dialog.nameLabel()->text(), longName);
    EXPECT_EQ(dialog.nameLabel()->toolTip(), longName);
    EXPECT_TRUE(control<QPushButton>(&dialog, "PersonButton")->isDefault());

    whenModalShows([](QDialog *d) { control<QPushButton>(d, "OrgButton")->click(); });
    EXPECT_EQ(AskVCardImport("John", "Acme", nullptr), VCardImportAs::Organization);
    whenModalShows([](QDialog *d) { control<QPushButton>(d, "PersonButton")->click(); });
    EXPECT_EQ(AskVCardImport("John", "Acme", nullptr), VCardImportAs::Person);
    whenModalShows([](QDialog *d) { d->reject(); }); // the close box
    EXPECT_EQ(AskVCardImport("John", "Acme", nullptr), VCardImportAs::Person);
}
