#include "mainformfixture.h"

#include "support/filebytes.h"

#include <QLineEdit>
#include <QMimeData>
#include <QToolBar>
#include <QUrl>

TEST_F(MainFormTest, DeleteAsksFirstAndProtectsTheRoot)
{
    // The root: nothing asked (a box would wait forever), nothing deleted.
    form->SetActivePane(TMainForm::Pane::Folders);
    form->deleteAction()->trigger();
    EXPECT_EQ(form->RootNode(), root);

    TZEBObject *friends = add(ItemKind::Folder, QStringLiteral("Friends"));
    add(ItemKind::Person, QStringLiteral("Kim"), friends->Node());
    form->SelectNode(friends->Node());
    QString asked;
    answerNextBox(form.get(), QMessageBox::No, &asked);
    form->DeleteBtnClick();
    EXPECT_EQ(asked, QStringLiteral("Are you sure you want to delete Friends and all sub-items?"));
    EXPECT_EQ(root->Count(), 1);

    answerNextBox(form.get(), QMessageBox::Yes);
    form->DeleteBtnClick();
    EXPECT_EQ(root->Count(), 0);
    EXPECT_EQ(form->SelectedNode(), root);
    EXPECT_EQ(form->statusText(StatusPanel::Count), QStringLiteral("0 item(s)")); // the list let go of the deleted items
}

TEST_F(MainFormTest, DeleteFromTheListNamesOneRowOrTheCount)
{
    TZEBObject *team = add(ItemKind::Team, QStringLiteral("Crew"));
    add(ItemKind::Person, QStringLiteral("Inside"), team->Node());
    TZEBObject *phone = add(ItemKind::Phone, QStringLiteral("Main line"));
    TZEBObject *mail = add(ItemKind::EMail, QStringLiteral("Office"));
    TZEBObject *keep = add(ItemKind::Fax, QStringLiteral("Keep"));
    form->SelectNode(root);

    selectRows({phone});
    QString asked;
    answerNextBox(form.get(), QMessageBox::No, &asked);
    form->DeleteBtnClick();
    EXPECT_EQ(asked, QStringLiteral("Are you sure you want to delete Main line and all sub-items?"));
    EXPECT_EQ(form->itemModel()->rowCount(), 4);

    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    form->mainItems()->setFocus();
    selectRows({team, phone, mail});
    answerNextBox(form.get(), QMessageBox::Yes, &asked);
    QTest::keyClick(form->mainItems(), Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(asked, QStringLiteral("Are you sure you want to delete the 3 selected items and all sub-items?"));
    EXPECT_EQ(root->Count(), 0);
    EXPECT_EQ(root->Item()->ChildCount(), 1);
    EXPECT_EQ(listCaptions(), QStringList{"Keep"});
    EXPECT_EQ(form->statusText(StatusPanel::Count), QStringLiteral("1 item(s)"));

    // Cut deletes without asking.
    selectRows({keep});
    form->DeleteBtnClick(true);
    EXPECT_EQ(root->Item()->ChildCount(), 0);
}

TEST_F(MainFormTest, DeleteActsOnlyOnWhatIsStillThereWhenTheQuestionIsAnswered)
{
    // The question runs an event loop, in which a remote folder's refresh may take
    // down the nodes it was asked about; answering Yes then deletes nothing else.
    TZEBObject *crew = add(ItemKind::Team, QStringLiteral("Crew"));
    TZEBObject *other = add(ItemKind::Team, QStringLiteral("Other"));
    form->SelectNode(root);
    const auto goneWhileAsking = [this](TTreeNode *node) {
        onMessageBoxes(form.get(), [this, node](QMessageBox *box) {
            form->Nodes().Delete(node);
            press(box, QMessageBox::Yes);
            return true;
        });
    };

    selectRows({crew});
    goneWhileAsking(crew->Node());
    form->DeleteBtnClick();
    ASSERT_EQ(root->Count(), 1); // only Other is left

    TZEBObject *inner = add(ItemKind::Folder, QStringLiteral("Inner"), other->Node());
    form->SelectNode(inner->Node());
    form->SetActivePane(TMainForm::Pane::Folders);
    goneWhileAsking(inner->Node());
    form->DeleteBtnClick();
    EXPECT_EQ(root->Count(), 1);
}

TEST_F(MainFormTest, NewItemsStayOnlyWhenTheirDialogIsAccepted)
{
    // Cancelled, a new node or leaf leaves no trace.
    form->services().dialogRunner = [](TZEBObject &item, bool isNew) {
        EXPECT_TRUE(isNew);
        if (item.Kind() == ItemKind::Website)
            item.SetTitle(QStringLiteral("Example site"));
        return item.Kind() == ItemKind::Website || item.Kind() == ItemKind::Address;
    };
    form->newItemAction(ItemKind::Person)->trigger();
    form->NewItem(ItemKind::Phone);
    form->NewItem(ItemKind::Website);
    form->newItemBar()->actions().at(KindCode(ItemKind::Address))->trigger(); // the buttons are in kind order
    EXPECT_EQ(root->Count(), 1);
    EXPECT_EQ(root->Item()->ChildCount(), 1);
    EXPECT_EQ(listCaptions(), (QStringList{"Example site", "New Address"}));

    // A folder keeps its default title when its label edit is left alone.
    form->show();
    form->newItemAction(ItemKind::Folder)->trigger();
    auto *editor = form->folders()->findChild<QLineEdit *>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), QStringLiteral("New Folder"));
    QTest::keyClick(editor, Qt::Key_Escape);
    EXPECT_EQ(root->Child(0)->Text(), QStringLiteral("New Folder"));
}

TEST_F(MainFormTest, NoNewItemsInsideARemoteFolder)
{
    TZEBObject *remote = add(ItemKind::Folder, QStringLiteral("Shared"), nullptr, QStringLiteral("absent.mbd"));
    form->SelectNode(remote->Node());
    QString shown;
    answerNextBox(form.get(), QMessageBox::Ok, &shown);
    form->NewItem(ItemKind::Person);
    EXPECT_EQ(shown, QStringLiteral("Cannot create new records within a remote (read-only) folder"));
    EXPECT_EQ(remote->Node()->Count(), 0);
}

TEST_F(MainFormTest, DroppingFilesMakesOneDocumentForTheFirst)
{
    QList<QUrl> urls;
    for (const char *name : {"letter.txt", "two.txt", "three.txt"}) {
        WriteBytes(dir.filePath(name), "");
        urls.append(QUrl::fromLocalFile(dir.filePath(name)));
    }
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    // The way the desktop delivers it: a drop of URLs on the list's viewport.
    QMimeData data;
    data.setUrls(urls);
    QWidget *target = form->mainItems()->viewport();
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);

    ASSERT_EQ(root->Item()->ChildCount(), 1);
    EXPECT_EQ(root->Item()->ChildAt(0)->Kind(), ItemKind::Document);
    EXPECT_EQ(root->Item()->ChildAt(0)->Value(), urls.first().toLocalFile());
    EXPECT_EQ(listCaptions(), QStringList{"letter.txt"});
}

TEST_F(MainFormTest, OpenFromTheListSelectsThePersonsNode)
{
    TZEBObject *kim = add(ItemKind::Person, QStringLiteral("Kim"));
    form->SelectNode(root);
    form->PreparePopupFor(kim);
    EXPECT_FALSE(form->listPopup()->actions().at(3)->isVisible()); // Dial: no primary phone
    selectRows({kim});
    form->ListPaneOpenClick();
    EXPECT_EQ(form->SelectedNode(), kim->Node());
}

TEST_F(MainFormTest, KindsWithoutTheirDialogYetOfferNoCommandThatWouldDoNothing)
{
    int dialogs = 0;
    form->services().dialogRunner = [&dialogs](TZEBObject &, bool) { return ++dialogs, true; };
    QAction *remindButton = nullptr;
    for (QAction *a : form->newItemBar()->actions())
        if (a->text() == QStringLiteral("&Remind"))
            remindButton = a;
    ASSERT_NE(remindButton, nullptr);
    EXPECT_TRUE(remindButton->isEnabled()); // every kind has its dialog now
    EXPECT_TRUE(form->newItemAction(ItemKind::Document)->isEnabled());
    EXPECT_EQ(root->Item()->ChildCount(), 0);
    EXPECT_EQ(dialogs, 0);
    EXPECT_TRUE(form->newItemAction(ItemKind::Fax)->isEnabled());

    // Properties follows the item the pop-up is for; the root has none either.
    TZEBObject *person = add(ItemKind::Person, QStringLiteral("Kim"));
    for (ItemKind kind : {ItemKind::Reminder, ItemKind::Document, ItemKind::Tool}) {
        TZEBObject *item = add(kind, QStringLiteral("Leaf"), person->Node());
        form->PreparePopupFor(item);
        EXPECT_TRUE(form->propertiesAction()->isEnabled()) << KindCode(kind);
    }
    form->PreparePopupFor(root->Item());
    EXPECT_FALSE(form->propertiesAction()->isEnabled());
    form->PreparePopupFor(person);
    EXPECT_TRUE(form->propertiesAction()->isEnabled());
}
