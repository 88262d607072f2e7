#include "mainformfixture.h"

#include "ui/imagelist.h"

#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>

namespace {
void rightClick(QWidget *viewport, const QPoint &at)
{
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, viewport->mapToGlobal(at));
    QCoreApplication::sendEvent(viewport, &event);
}
} // namespace

class MainFormShownTest : public MainFormTest
{
protected:
    void SetUp() override
    {
        MainFormTest::SetUp();
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }
    void TearDown() override
    {
        form->listPopup()->close();
        MainFormTest::TearDown();
    }
    QRect rowRect(TZEBObject *item) const { return form->mainItems()->visualRect(rowIndex(item)); }
};

TEST_F(MainFormShownTest, PopupNeedsASelectionAndIsPreparedForIt)
{
    TZEBObject *phone = add(ItemKind::Phone, QStringLiteral("Desk"), nullptr, QStringLiteral("555-0100"));
    TZEBObject *web = add(ItemKind::Website, QStringLiteral("Site"), nullptr, QStringLiteral("http://example.org"));
    form->SelectNode(root);
    QWidget *viewport = form->mainItems()->viewport();
    const QList<QAction *> actions = form->listPopup()->actions();

    // Pressing on empty space with nothing selected: no menu.
    rightClick(viewport, QPoint(viewport->width() - 5, viewport->height() - 5));
    EXPECT_FALSE(form->listPopup()->isVisible());

    form->mainItems()->setFocus();
    QTest::mouseClick(viewport, Qt::LeftButton, {}, rowRect(phone).center());
    rightClick(viewport, rowRect(phone).center());
    ASSERT_TRUE(form->listPopup()->isVisible());
    EXPECT_EQ(form->ActivePaneName(), QStringLiteral("MainItems"));
    EXPECT_FALSE(actions.at(0)->isVisible()); // no Open entry for a phone
    EXPECT_TRUE(actions.at(3)->isVisible());  // Dial
    EXPECT_FALSE(actions.at(3)->isEnabled()); // dialing has not landed
    form->listPopup()->close();

    // In the tree a right click selects the node first.
    QTreeView *tree = form->folders();
    rightClick(tree->viewport(), tree->visualRect(form->folderModel()->indexOf(web->Node())).center());
    EXPECT_EQ(form->SelectedNode(), web->Node());
    ASSERT_TRUE(form->listPopup()->isVisible());
    EXPECT_TRUE(actions.at(0)->isVisible());  // Open
    EXPECT_TRUE(actions.at(4)->isVisible());  // Browse
    EXPECT_TRUE(actions.at(4)->isEnabled());
    EXPECT_FALSE(actions.at(3)->isVisible());
}

TEST_F(MainFormShownTest, DoubleClickOpensTheRowsItem)
{
    TZEBObject *org = add(ItemKind::Organization, QStringLiteral("Acme"));
    add(ItemKind::Person, QStringLiteral("Boss"), org->Node());
    form->SelectNode(root);
    const QModelIndex orgIndex = form->folderModel()->indexOf(org->Node());
    EXPECT_FALSE(form->folders()->isExpanded(orgIndex));
    QWidget *viewport = form->mainItems()->viewport();
    const QPointF at = rowRect(org).center();
    const QPointF global = viewport->mapToGlobal(at);
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonPress,
                              QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
        const bool down = type != QEvent::MouseButtonRelease;
        QMouseEvent event(type, at, global, Qt::LeftButton, down ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &event);
    }
    EXPECT_TRUE(form->folders()->isExpanded(orgIndex));
    EXPECT_EQ(form->SelectedNode(), root); // opening a container only expands it
}

TEST_F(MainFormShownTest, AlertMarksShowOnTheNodesAbove)
{
    TZEBObject *folder = add(ItemKind::Folder, QStringLiteral("Family"));
    TZEBObject *person = add(ItemKind::Person, QStringLiteral("Pat"), folder->Node());
    TZEBObject *phone = add(ItemKind::Phone, QStringLiteral("Home"), person->Node());
    TFolderTreeModel *tree = form->folderModel();
    const QModelIndex folderIndex = tree->indexOf(folder->Node());
    const qint64 plain = tree->data(folderIndex, Qt::DecorationRole).value<QIcon>().cacheKey();

    phone->SetAlert(true);
    EXPECT_EQ(tree->data(folderIndex, Qt::DecorationRole).value<QIcon>().cacheKey(),
              form->imageList().IconWithState(0, 1).cacheKey());
    // The person's row in the folder's list carries the mark too.
    form->SelectNode(folder->Node());
    EXPECT_EQ(rowIndex(person).data(Qt::DecorationRole).value<QIcon>().cacheKey(),
              form->imageList().IconWithState(ImageIndex(Image::Person), StateImageIndex(StateImage::Alert)).cacheKey());

    phone->SetAlert(false);
    EXPECT_EQ(tree->data(folderIndex, Qt::DecorationRole).value<QIcon>().cacheKey(), plain);
}

TEST_F(MainFormShownTest, PropertiesAndRenameActOnTheClickedRowNeverTheRoot)
{
    QStringList edited;
    form->services().dialogRunner = [&edited](TZEBObject &item, bool isNew) {
        edited.append(item.Title() + (isNew ? " new" : " old"));
        item.SetTitle(QStringLiteral("Zed"));
        return true;
    };
    TZEBObject *person = add(ItemKind::Person, QStringLiteral("Amy"));
    add(ItemKind::Person, QStringLiteral("Bob"));
    form->SelectNode(root);
    // The root has no properties, and its label is never opened.
    form->SetActivePane(TMainForm::Pane::Folders);
    form->propertiesAction()->trigger();
    form->renameAction()->trigger();
    EXPECT_TRUE(edited.isEmpty());
    EXPECT_EQ(form->folders()->findChild<QLineEdit *>(), nullptr);

    form->mainItems()->setFocus();
    QTest::mouseClick(form->mainItems()->viewport(), Qt::LeftButton, {}, rowRect(person).center());
    form->propertiesAction()->trigger();
    EXPECT_EQ(edited, QStringList{"Amy old"});
    EXPECT_EQ(form->itemModel()->captionAt(1), QStringLiteral("Zed")); // re-sorted after Bob

    // The row moved to its new place with its selection.
    form->renameAction()->trigger();
    auto *editor = form->mainItems()->findChild<QLineEdit *>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), QStringLiteral("Zed"));
    editor->setText(QStringLiteral("Abe"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents(); // the delegate commits on the next turn of the loop
    EXPECT_EQ(person->Title(), QStringLiteral("Abe"));
}

TEST_F(MainFormShownTest, KeysOfThePopupNewEntriesWorkFromEitherPane)
{
    form->services().dialogRunner = [](TZEBObject &, bool) { return true; };
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    form->mainItems()->setFocus();
    QTest::keyClick(form->mainItems(), Qt::Key_A, Qt::ControlModifier); // not "select all": a new address
    form->folders()->setFocus();
    QTest::keyClick(form->folders(), Qt::Key_N, Qt::ControlModifier);
    ASSERT_EQ(root->Item()->ChildCount(), 2);
    EXPECT_EQ(root->Item()->ChildAt(0)->Kind(), ItemKind::Address);
    EXPECT_EQ(root->Item()->ChildAt(1)->Kind(), ItemKind::Phone);
}

TEST_F(MainFormTest, NewEntriesOfTheMenusAndTheDistinctFilterTips)
{
    const auto texts = [](const QList<QAction *> &actions) {
        QStringList t;
        for (const QAction *a : actions)
            t.append(a->text());
        return t;
    };
    QMenu *popupNew = nullptr;
    for (QAction *a : form->listPopup()->actions())
        if (a->text() == QStringLiteral("Ne&w"))
            popupNew = a->menu();
    ASSERT_NE(popupNew, nullptr);
    EXPECT_EQ(texts(popupNew->actions()), (QStringList{"&Website", "&Address", "&Phone", "&E-Mail", "&Fax",
                                                       "&Reminder", "&Document"}));
    QMenu *fileNew = nullptr;
    for (QAction *menu : form->menuBar()->actions())
        for (QAction *a : menu->menu()->actions())
            if (a->text() == QStringLiteral("&New"))
                fileNew = a->menu();
    ASSERT_NE(fileNew, nullptr);
    EXPECT_EQ(texts(fileNew->actions()), (QStringList{"&Folder", "&Organization", "&Team", "&Person", "&Website"}));

    auto *any = form->findChild<QAction *>(QStringLiteral("FilterBtn1"));
    auto *all = form->findChild<QAction *>(QStringLiteral("FilterBtn2"));
    ASSERT_TRUE(any && all);
    EXPECT_EQ(any->toolTip(), QStringLiteral("Show items matching ANY selected category"));
    EXPECT_EQ(all->toolTip(), QStringLiteral("Show items matching ALL selected categories"));
}
