#include "ui/mainformlayout.h"
#include "mainformfixture.h"

#include "store/recordfile.h"
#include "support/filebytes.h"

#include <QDateTime>
#include <QLineEdit>
#include <QSignalSpy>
#include <QToolButton>

TEST_F(MainFormTest, FoldersFirstThenTitlesWithoutCase)
{
    TZEBObject *folder = add(ItemKind::Folder, QStringLiteral("Group"));
    TTreeNode *n = folder->Node();
    add(ItemKind::Folder, QStringLiteral("beta"), n);
    add(ItemKind::Person, QStringLiteral("aaron"), n);
    add(ItemKind::Folder, QStringLiteral("Alpha"), n);
    add(ItemKind::Phone, QStringLiteral("Zed"), n);
    form->SelectNode(n);
    // Leaves too; the tree's order is the folder tree model test's part.
    EXPECT_EQ(listCaptions(), (QStringList{"Alpha", "beta", "aaron", "Zed"}));
}

TEST_F(MainFormTest, CountsPathAndTrayTipFollowTheSelection)
{
    QSignalSpy tips(form.get(), &TMainForm::trayTipChanged);
    TZEBObject *friends = add(ItemKind::Folder, QStringLiteral("Friends"));
    TZEBObject *smith = add(ItemKind::Person, QStringLiteral("Smith"), friends->Node());
    add(ItemKind::Phone, QStringLiteral("Home"), smith->Node(), QStringLiteral("555-0100"));
    add(ItemKind::EMail, QStringLiteral("Mail"), smith->Node(), QStringLiteral("smith@example.org"));
    add(ItemKind::Team, QStringLiteral("Bowling"), smith->Node());

    form->SelectNode(smith->Node());
    EXPECT_EQ(form->statusText(StatusPanel::Count), QStringLiteral("3 item(s)")); // one child node plus two leaves
    EXPECT_EQ(form->statusText(StatusPanel::Folder), QStringLiteral("Smith"));
    ASSERT_FALSE(tips.isEmpty());
    EXPECT_EQ(tips.last().at(0).toString(), QStringLiteral("[My Contacts/Friends/Smith]"));

    // A click in the tree selects through the view; the list follows once the loop runs.
    TFolderTreeModel *model = form->folderModel();
    form->folders()->setCurrentIndex(model->indexOf(friends->Node()));
    QCoreApplication::processEvents();
    EXPECT_EQ(form->statusText(StatusPanel::Count), QStringLiteral("1 item(s)"));
    EXPECT_EQ(tips.last().at(0).toString(), QStringLiteral("[My Contacts/Friends]"));
}

TEST_F(MainFormTest, RenameRulesInBothPanes)
{
    TFolderTreeModel *tree = form->folderModel();
    EXPECT_FALSE(tree->flags(tree->indexOf(root)) & Qt::ItemIsEditable);
    EXPECT_FALSE(tree->setData(tree->indexOf(root), QStringLiteral("Mine"), Qt::EditRole));
    EXPECT_EQ(root->Text(), QStringLiteral("My Contacts"));

    TZEBObject *remote = add(ItemKind::Folder, QStringLiteral("Shared"), nullptr, QStringLiteral("nowhere.mbd"));
    form->Nodes().Context().RemoteLoadingFlag() = true;
    TZEBObject *inside = add(ItemKind::Person, QStringLiteral("Kim"), remote->Node());
    TZEBObject *insidePhone = add(ItemKind::Phone, QStringLiteral("Work"), remote->Node());
    form->Nodes().Context().RemoteLoadingFlag() = false;
    EXPECT_TRUE(tree->flags(tree->indexOf(remote->Node())) & Qt::ItemIsEditable); // the remote folder itself
    EXPECT_FALSE(tree->flags(tree->indexOf(inside->Node())) & Qt::ItemIsEditable);

    form->SelectNode(remote->Node());
    TItemListModel *list = form->itemModel();
    ASSERT_TRUE(rowIndex(inside).isValid());
    EXPECT_FALSE(list->flags(rowIndex(inside)) & Qt::ItemIsEditable);
    EXPECT_FALSE(list->setData(rowIndex(insidePhone), QStringLiteral("X"), Qt::EditRole));
    EXPECT_EQ(insidePhone->Title(), QStringLiteral("Work"));

    // Renaming a person in the list renames and re-sorts its node.
    TZEBObject *anna = add(ItemKind::Person, QStringLiteral("Anna"));
    add(ItemKind::Person, QStringLiteral("Bert"));
    form->SelectNode(root);
    ASSERT_TRUE(list->flags(rowIndex(anna)) & Qt::ItemIsEditable);
    ASSERT_TRUE(list->setData(rowIndex(anna), QStringLiteral("Zoe"), Qt::EditRole));
    EXPECT_EQ(tree->index(root->Count() - 1, 0, tree->indexOf(root)).data().toString(), QStringLiteral("Zoe"));
    EXPECT_EQ(list->rowOf(anna), list->rowCount() - 1); // the list keeps its order too

    // A tree rename goes through SetTitle.
    ASSERT_TRUE(tree->setData(tree->indexOf(anna->Node()), QStringLiteral("Abe"), Qt::EditRole));
    EXPECT_EQ(anna->Title(), QStringLiteral("Abe"));
    EXPECT_EQ(root->Child(1), anna->Node()); // after the folder, before Bert
}

TEST_F(MainFormTest, BlankNamesAreRefusedInPlace)
{
    TZEBObject *folder = add(ItemKind::Folder, QStringLiteral("Friends"));
    TZEBObject *phone = add(ItemKind::Phone, QStringLiteral("Desk"));
    form->SelectNode(root);
    TFolderTreeModel *tree = form->folderModel();
    TItemListModel *list = form->itemModel();
    for (const char *blank : {"", "  "}) {
        EXPECT_FALSE(tree->setData(tree->indexOf(folder->Node()), QString::fromLatin1(blank), Qt::EditRole));
        EXPECT_FALSE(list->setData(rowIndex(phone), QString::fromLatin1(blank), Qt::EditRole));
    }
    EXPECT_EQ(folder->Title(), QStringLiteral("Friends"));
    EXPECT_EQ(folder->Node()->Text(), QStringLiteral("Friends"));
    EXPECT_EQ(phone->Title(), QStringLiteral("Desk"));

    // The editor does not take Enter on a blank name; leaving it keeps the old one.
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    form->BeginRename(folder->Node());
    auto *editor = form->folders()->findChild<QLineEdit *>();
    ASSERT_NE(editor, nullptr);
    editor->clear();
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(folder->Title(), QStringLiteral("Friends"));
}

TEST_F(MainFormTest, ViewFormatMenuAndButtonsStayInStep)
{
    form->viewFormatAction(ViewStyle::Details)->trigger(); // View > Details
    EXPECT_TRUE(form->viewFormatButton(ViewStyle::Details)->isChecked());
    EXPECT_FALSE(form->viewFormatButton(ViewStyle::LargeIcons)->isChecked());
    EXPECT_NE(qobject_cast<QTreeView *>(form->mainItems()), nullptr);

    form->viewFormatButton(ViewStyle::SmallIcons)->click();
    EXPECT_EQ(form->viewStyle(), ViewStyle::SmallIcons);
    EXPECT_TRUE(form->viewFormatAction(ViewStyle::SmallIcons)->isChecked());
    EXPECT_EQ(qobject_cast<QTreeView *>(form->mainItems()), nullptr);

    // A layout from a hand-edited file with a code no format has leaves the format alone.
    TMainFormLayout target(*form);
    TWinLayout layout = target.GetSettings();
    layout.Style = 7;
    target.ApplySettings(layout);
    EXPECT_EQ(form->viewStyle(), ViewStyle::SmallIcons);
}

TEST_F(MainFormTest, SplitterDragNeedsMoreThanFourPixelsEitherWay)
{
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    QWidget *panel = form->splitterPanel();

    // The tree's new width is where the pointer is in the panel, which moves with
    // the tree's edge once the layout has run.
    QTest::mousePress(panel, Qt::LeftButton, {}, QPoint(0, 10));
    for (const auto &[x, width] : {std::pair{4, 201}, {5, 206}, {-4, 206}, {-5, 201}}) {
        QTest::mouseMove(panel, QPoint(x, 10));
        QCoreApplication::processEvents();
        EXPECT_EQ(form->treeWidth(), width) << x;
    }
    QTest::mouseRelease(panel, Qt::LeftButton, {}, QPoint(-5, 10));
    // Without a press, moves do nothing.
    QTest::mouseMove(panel, QPoint(40, 10));
    EXPECT_EQ(form->treeWidth(), 201);
}

TEST_F(MainFormTest, HintsLandInTheFirstStatusPanel)
{
    form->deleteAction()->showStatusText(form.get());
    EXPECT_EQ(form->statusText(StatusPanel::Hint), QStringLiteral("Delete the selected item(s)"));
}

TEST_F(MainFormTest, BatchChangesKeepSelectionAndOpenFolders)
{
    TZEBObject *friends = add(ItemKind::Folder, QStringLiteral("Friends"));
    TZEBObject *kim = add(ItemKind::Person, QStringLiteral("Kim"), friends->Node());
    add(ItemKind::Team, QStringLiteral("Crew"), kim->Node());
    TZEBObject *closed = add(ItemKind::Folder, QStringLiteral("Closed"));
    add(ItemKind::Person, QStringLiteral("Lou"), closed->Node());
    form->SelectNode(kim->Node());
    TFolderTreeModel *model = form->folderModel();

    // An import reads into the root as one batch.
    const QString file = dir.filePath(QStringLiteral("more.mbd"));
    ExportSubtree(closed->Node(), file);
    ImportFile(root, file);

    EXPECT_EQ(form->SelectedNode(), kim->Node());
    EXPECT_EQ(listCaptions(), QStringList{"Crew"});
    EXPECT_TRUE(form->folders()->isExpanded(model->indexOf(root)));
    EXPECT_TRUE(form->folders()->isExpanded(model->indexOf(friends->Node())));
    EXPECT_FALSE(form->folders()->isExpanded(model->indexOf(closed->Node())));

    // A batch that takes the selected node away leaves the root selected.
    form->Nodes().BeginUpdate();
    form->Nodes().Delete(friends->Node());
    form->Nodes().EndUpdate();
    EXPECT_EQ(form->SelectedNode(), root);
    EXPECT_EQ(form->statusText(StatusPanel::Folder), QStringLiteral("My Contacts"));
}

TEST_F(MainFormTest, RemoteFolderRefreshesAndAFailureIsReportedOnce)
{
    // First a good source, so the folder has contents to lose.
    TZEBObject *source = add(ItemKind::Folder, QStringLiteral("Source"));
    add(ItemKind::Person, QStringLiteral("Lee"), source->Node());
    add(ItemKind::Phone, QStringLiteral("Desk"), source->Node(), QStringLiteral("555-0199"));
    const QString file = dir.filePath(QStringLiteral("shared.mbd"));
    ExportSubtree(source->Node(), file);
    TZEBObject *remote = add(ItemKind::Folder, QStringLiteral("Remote"), nullptr, file);
    form->SelectNode(remote->Node());
    EXPECT_EQ(form->statusText(StatusPanel::Hint), QStringLiteral("Updating remote folder..."));
    ASSERT_GT(remote->Node()->Count(), 0);
    // The count covers the refreshed contents: child nodes and leaves.
    EXPECT_EQ(form->statusText(StatusPanel::Count), QString::number(remote->Node()->Count() + remote->ChildCount()) + " item(s)");
    form->SelectNode(root);

    // Then the source goes bad.
    WriteBytes(file, "{x 3 }Bob~~~~~~12\r\n{Pers}~~~~\r\n");
    QFile changed(file);
    ASSERT_TRUE(changed.open(QIODevice::ReadWrite));
    changed.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime);
    QStringList shown;
    QObject listening;
    onMessageBoxes(&listening, [&shown](QMessageBox *box) {
        shown << box->text();
        press(box, QMessageBox::Ok);
        return false;
    });
    form->SelectNode(remote->Node());
    QTest::qWait(100);
    EXPECT_EQ(shown.size(), 1) << shown.join('|').toStdString();
    EXPECT_EQ(form->SelectedNode(), remote->Node());
}
