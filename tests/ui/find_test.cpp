// The find bar in the main window: when it searches, what it selects and where the
// focus goes, and "Up one level".
#include "mainformfixture.h"

#include "exchange/gui/progressform.h"
#include "exchange/progress.h"
#include "store/recordfile.h"
#include "support/filebytes.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

namespace {

class FindTest : public MainFormTest
{
protected:
    void SetUp() override
    {
        MainFormTest::SetUp();
        form->show();
        form->activateWindow();
        QApplication::processEvents();
    }
    // The item of the list's current row when it is selected, else none.
    TZEBObject *selectedRow() const
    {
        const QModelIndex current = form->mainItems()->selectionModel()->currentIndex();
        if (!current.isValid() || !form->mainItems()->selectionModel()->isSelected(current))
            return nullptr;
        return form->itemModel()->itemAt(current.row());
    }
    // Types text into the find box as a user would.
    void type(const QString &text)
    {
        form->findEditBox()->setFocus();
        form->findEditBox()->selectAll();
        if (text.isEmpty())
            QTest::keyClick(form->findEditBox(), Qt::Key_Backspace);
        else
            QTest::keyClicks(form->findEditBox(), text);
    }
};

} // namespace

TEST_F(FindTest, TypingWaitsASecondClearingStopsAndF3SearchesAtOnce)
{
    TZEBObject *kim = add(ItemKind::Person, "Kim Lee");
    QTimer *timer = form->searchTimer();
    EXPECT_EQ(timer->interval(), 1000);
    EXPECT_FALSE(timer->isActive());
    EXPECT_TRUE(form->findEditBox()->isEnabled());
    EXPECT_TRUE(form->findAction()->isEnabled());

    type("le");
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(selectedRow(), nullptr); // nothing yet
    type("");
    EXPECT_EQ(form->findEditBox()->text(), "");
    EXPECT_FALSE(timer->isActive()); // a cleared box starts nothing and stops what waited
    EXPECT_FALSE(form->Locate(""));
    EXPECT_EQ(form->SelectedNode(), root);

    type("lee");
    ASSERT_TRUE(timer->isActive());
    form->SearchTimeTimer(); // what the timer does when it fires
    EXPECT_FALSE(timer->isActive());
    EXPECT_EQ(selectedRow(), kim);
    EXPECT_EQ(form->ActivePane(), TMainForm::Pane::MainItems);

    // F3 with the timer waiting searches now and stops it.
    form->SelectNode(root);
    type("kim");
    form->findAction()->trigger();
    EXPECT_FALSE(timer->isActive());
    EXPECT_EQ(selectedRow(), kim);
}

TEST_F(FindTest, WordStartsWithoutCaseAndTheStartNodeLast)
{
    TZEBObject *friends = add(ItemKind::Folder, "Friends");
    add(ItemKind::Person, "Osmith", friends->Node());
    TZEBObject *john = add(ItemKind::Person, "John Smith", friends->Node());
    TZEBObject *zed = add(ItemKind::Person, "Zed", friends->Node());

    EXPECT_TRUE(form->Locate("SMI"));
    EXPECT_EQ(form->SelectedNode(), friends->Node()); // the hit's parent, its row selected
    EXPECT_EQ(selectedRow(), john);
    // Only John matches: the next search goes round the tree and comes back to him.
    EXPECT_TRUE(form->Locate("smi"));
    EXPECT_EQ(selectedRow(), john);

    // From the last node, the search starts over at the root.
    form->SelectNode(zed->Node());
    EXPECT_TRUE(form->Locate("friends"));
    EXPECT_EQ(form->SelectedNode(), root);
    EXPECT_EQ(selectedRow(), friends);
    // With only the selected node matching, it is found after every other.
    form->SelectNode(zed->Node());
    EXPECT_TRUE(form->Locate("zed"));
    EXPECT_EQ(selectedRow(), zed);

    // Nothing found changes nothing but the row, which is no longer selected.
    EXPECT_FALSE(form->Locate("nobody"));
    EXPECT_EQ(form->SelectedNode(), friends->Node());
    EXPECT_EQ(selectedRow(), nullptr);
}

TEST_F(FindTest, ANodeBeforeItsLeavesAndF3GoesOnAfterIt)
{
    TZEBObject *ann = add(ItemKind::Person, "Ann Baker");
    add(ItemKind::Phone, "Baker street", ann->Node(), "555-0100");
    TZEBObject *bob = add(ItemKind::Person, "Bob");
    TZEBObject *bobPhone = add(ItemKind::Phone, "Bakery", bob->Node(), "555-0101");
    add(ItemKind::Phone, "Baker too", bob->Node(), "555-0102");

    form->findEditBox()->setText("baker");
    form->FindItemClick();
    EXPECT_EQ(form->SelectedNode(), root);
    EXPECT_EQ(selectedRow(), ann);
    // The next search starts after Ann's node: her own phone is passed, Bob's first is shown.
    form->FindItemClick();
    EXPECT_EQ(form->SelectedNode(), bob->Node());
    EXPECT_EQ(selectedRow(), bobPhone);
    EXPECT_EQ(form->ActivePane(), TMainForm::Pane::MainItems);
    // A leaf's row stands for its owner's node: the next goes on after Bob, round to Ann.
    form->FindItemClick();
    EXPECT_EQ(selectedRow(), ann);
}

TEST_F(FindTest, TheRowSelectedIsTheHitsNotTheFirstWithThatCaption)
{
    // Folders come first in the list, so "Kim's files" stands above "Kim".
    TZEBObject *friends = add(ItemKind::Folder, "Friends");
    TZEBObject *files = add(ItemKind::Folder, "Kim's files", friends->Node());
    TZEBObject *kim = add(ItemKind::Person, "Kim", friends->Node());
    form->SelectNode(friends->Node());
    ASSERT_EQ(listCaptions(), (QStringList{"Kim's files", "Kim"}));
    form->SelectNode(root);

    EXPECT_TRUE(form->Locate("kim"));
    EXPECT_EQ(selectedRow(), files);
    EXPECT_TRUE(form->Locate("kim"));
    EXPECT_EQ(form->SelectedNode(), friends->Node());
    EXPECT_EQ(selectedRow(), kim);
}

TEST_F(FindTest, TheRootIsSelectedInTheTreeAndUpOneLevelStopsThere)
{
    TZEBObject *friends = add(ItemKind::Folder, "Friends");
    TZEBObject *team = add(ItemKind::Team, "Bowling", friends->Node());
    form->SelectNode(team->Node());
    EXPECT_TRUE(form->Locate("my cont"));
    EXPECT_EQ(form->SelectedNode(), root);
    EXPECT_EQ(form->ActivePane(), TMainForm::Pane::Folders);

    form->SelectNode(team->Node());
    QTest::mouseClick(form->upOneButton(), Qt::LeftButton);
    EXPECT_EQ(form->SelectedNode(), friends->Node());
    form->UpOneBtnClick();
    EXPECT_EQ(form->SelectedNode(), root);
    form->UpOneBtnClick(); // the root has no level above
    EXPECT_EQ(form->SelectedNode(), root);
}

TEST_F(FindTest, AHitInsideARemoteFolderIsFoundAgainAfterItsRefresh)
{
    const QString file = dir.filePath("shared.mbd");
    WriteBytes(file, CrLf({"{1 3 }Kim Lee~~~~~~501", "{Pers}~~Kim~~~~Lee~~~~~~~~~~~~0"}));
    TZEBObject *remote = add(ItemKind::Folder, "Remote", nullptr, file);
    // The folder's own leaf, saved with it: a refresh reads only the nodes again.
    form->Nodes().Context().RemoteLoadingFlag() = true;
    const qint32 deskId = add(ItemKind::Phone, "Kim's desk", remote->Node(), "555-0199")->Id();
    form->Nodes().Context().RemoteLoadingFlag() = false;
    form->SelectNode(remote->Node());
    ASSERT_EQ(remote->Node()->Count(), 1);
    form->SelectNode(root);
    const auto touch = [&file](int seconds) {
        QFile changed(file);
        ASSERT_TRUE(changed.open(QIODevice::ReadWrite));
        changed.setFileTime(QDateTime::currentDateTime().addSecs(seconds), QFileDevice::FileModificationTime);
    };

    // The source changed: selecting the hit's parent reads it again, and the hit's node
    // is another one then.
    touch(60);
    EXPECT_TRUE(form->Locate("kim l"));
    EXPECT_EQ(form->SelectedNode(), remote->Node());
    ASSERT_NE(selectedRow(), nullptr);
    EXPECT_EQ(selectedRow()->Title(), "Kim Lee");
    EXPECT_EQ(selectedRow()->Id(), 501);
    EXPECT_EQ(selectedRow()->Node()->Parent(), remote->Node());
    EXPECT_EQ(form->ActivePane(), TMainForm::Pane::MainItems);

    // A leaf of the remote folder itself is selected after the refresh too.
    form->SelectNode(root);
    touch(120);
    EXPECT_TRUE(form->Locate("kim's"));
    EXPECT_EQ(form->SelectedNode(), remote->Node());
    ASSERT_NE(selectedRow(), nullptr);
    EXPECT_EQ(selectedRow()->Title(), "Kim's desk");
    EXPECT_EQ(selectedRow()->Id(), deskId);
}

TEST_F(FindTest, LocatePhoneSelectsTheOwnerAndTheRowOfTheNumber)
{
    TZEBObject *kim = add(ItemKind::Person, "Kim");
    add(ItemKind::Phone, "Home", kim->Node(), "555-0100");
    TZEBObject *work = add(ItemKind::Phone, "Home office", kim->Node(), "(212) 555-0199");
    TZEBObject *empty = add(ItemKind::Phone, "Unknown", kim->Node(), "");
    form->LocatePhone("212.555.0199");
    EXPECT_EQ(form->SelectedNode(), kim->Node());
    EXPECT_EQ(selectedRow(), work); // not "Home", whose caption begins the same
    EXPECT_EQ(form->ActivePane(), TMainForm::Pane::MainItems);

    // A withheld number selects nothing, not the phone left empty.
    form->SelectNode(root);
    form->LocatePhone("Withheld");
    EXPECT_EQ(form->SelectedNode(), root);
    EXPECT_NE(selectedRow(), empty);
}

TEST_F(FindTest, NoSecondSearchWhileOneRuns)
{
    add(ItemKind::Person, "Kim");
    ProgressRun printing(form->progress(), "Printing...", 10);
    ASSERT_TRUE(printing);
    EXPECT_FALSE(form->Locate("kim"));
    EXPECT_EQ(form->SelectedNode(), root);
    EXPECT_EQ(selectedRow(), nullptr);
}

TEST_F(FindTest, TheSearchShowsItsProgressWhenItLasts)
{
    for (int i = 0; i < 30; ++i)
        add(ItemKind::Person, QStringLiteral("Person %1").arg(i));
    form->progress().SetShowDelay(0);
    QStringList seen;
    QObject::connect(&form->progress(), &ProgressState::changed, form.get(), [&] {
        if (form->progressForm()->isVisible())
            seen << form->progressForm()->actionLabel()->text() + " " + form->progressForm()->percentLabel()->text();
    });
    EXPECT_FALSE(form->Locate("nobody"));
    ASSERT_FALSE(seen.isEmpty());
    EXPECT_TRUE(seen.first().startsWith("Searching... "));
    EXPECT_EQ(seen.last(), "Searching... 100%");
    EXPECT_FALSE(form->progressForm()->cancelButton()->isVisible()); // a search is not stopped
    EXPECT_FALSE(form->progressForm()->isVisible());
}
