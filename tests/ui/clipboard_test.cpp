// Cut, copy, paste and select all of the main window, through the real clipboard of the
// platform, and entries dragged within the window.
#include "mainformfixture.h"
#include "support/fakeservices.h"
#include "support/filebytes.h"

#include "comms/callerhistory.h"
#include "store/cliprecords.h"
#include "store/recordfile.h"
#include "ui/itemdrag.h"

#include <QClipboard>
#include <QDateTime>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMimeData>
#include <QScopeGuard>
#include <QScopedValueRollback>

namespace {

const QMimeData *clipboardData() { return QGuiApplication::clipboard()->mimeData(); }
QByteArray clipboardRecords() { return clipboardData() ? clipboardData()->data(ClipRecords::Format) : QByteArray(); }

// What a copy of the program in another process leaves on the clipboard: the block as
// its bytes, zero-terminated.
void putForeignRecords(const QByteArray &bytes)
{
    auto *mime = new QMimeData;
    mime->setData(ClipRecords::Format, bytes + QByteArray(1, '\0'));
    QGuiApplication::clipboard()->setMimeData(mime);
}

} // namespace

class ClipboardTest : public MainFormTest
{
protected:
    void SetUp() override
    {
        MainFormTest::SetUp();
        QGuiApplication::clipboard()->clear();
    }

    void selectNode(TTreeNode *node)
    {
        form->SelectNode(node);
        form->SetActivePane(TMainForm::Pane::Folders);
    }

    // The items of the tree below node as paths, leaves after "|".
    QStringList outline(const TTreeNode *node) const
    {
        QStringList out;
        const std::function<void(const TTreeNode *, const QString &)> walk = [&](const TTreeNode *n, const QString &path) {
            for (int i = 0; i < n->Item()->ChildCount(); ++i)
                out << path + u'|' + n->Item()->ChildAt(i)->Title();
            for (int i = 0; i < n->Count(); ++i) {
                const QString p = path.isEmpty() ? n->Child(i)->Text() : path + u'/' + n->Child(i)->Text();
                out << p;
                walk(n->Child(i), p);
            }
        };
        walk(node, QString());
        return out;
    }

    // Hides items with these categories, through the item services of the tree.
    auto hideCategories(qint32 hidden)
    {
        fake.filter = [hidden](qint32 categories) { return categories == hidden; };
        form->Nodes().Context().SetServices(&fake);
        return qScopeGuard([this] { form->Nodes().Context().SetServices(&form->services()); });
    }

    FakeServices fake;
};

TEST_F(ClipboardTest, TheEditCommandsAreThereAndEnabled)
{
    for (QAction *a : {form->cutAction(), form->copyAction(), form->pasteAction(), form->selectAllAction()})
        EXPECT_TRUE(a->isEnabled()) << a->text().toStdString();
    EXPECT_EQ(form->cutAction()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_X));
    EXPECT_EQ(form->copyAction()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_C));
    EXPECT_EQ(form->pasteAction()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_V));
}

TEST_F(ClipboardTest, CutOfAPhoneRowPutsRecordAndNumberOnTheClipboardAndPastesElsewhere)
{
    TZEBObject *kim = add(ItemKind::Person, "Kim");
    TZEBObject *phone = add(ItemKind::Phone, "Home", kim->Node(), "217-555-0100");
    TZEBObject *other = add(ItemKind::Folder, "Other");
    form->SelectNode(kim->Node());
    selectRows({phone});

    form->CutBtnClick(); // no question
    EXPECT_EQ(kim->ChildCount(), 0);
    EXPECT_TRUE(clipboardRecords().startsWith("{1 6 }Home~~217-555-0100~~"));
    EXPECT_EQ(clipboardData()->text(), "217-555-0100");
    EXPECT_EQ(ReadBytes(RecordFile::ClipboardFileName), QByteArray()) << "a single leaf goes straight to the clipboard";

    selectNode(other->Node());
    form->PasteBtnClick();
    form->PasteBtnClick(); // the clipboard keeps it
    EXPECT_EQ(outline(other->Node()), QStringList({"|Home", "|Home"}));
    EXPECT_EQ(other->ChildAt(0)->Value(), "217-555-0100");
}

TEST_F(ClipboardTest, CopyOfAnOrganizationRowPastesItWithItsPeopleAndPhones)
{
    TZEBObject *org = add(ItemKind::Organization, "Acme");
    for (const char *name : {"Ann", "Bob"})
        add(ItemKind::Phone, "Desk", add(ItemKind::Person, name, org->Node())->Node(), "555");
    TZEBObject *other = add(ItemKind::Folder, "Other");
    form->SelectNode(root);
    selectRows({org});
    form->CopyBtnClick();
    EXPECT_EQ(clipboardRecords(), ReadBytes(RecordFile::ClipboardFileName));

    selectNode(other->Node());
    form->PasteBtnClick();
    EXPECT_EQ(outline(other->Node()), QStringList({"Acme", "Acme/Ann", "Acme/Ann|Desk", "Acme/Bob", "Acme/Bob|Desk"}));
    EXPECT_EQ(outline(org->Node()), QStringList({"Ann", "Ann|Desk", "Bob", "Bob|Desk"})) << "a copy leaves them";
}

TEST_F(ClipboardTest, TheTreePaneCopiesWhatTheFilterShowsTheListEverything)
{
    TZEBObject *f = add(ItemKind::Folder, "F");
    f->SetCategories(3);
    add(ItemKind::Folder, "Hidden", f->Node())->SetCategories(8);
    add(ItemKind::Folder, "Shown", f->Node())->SetCategories(1);
    const auto restore = hideCategories(8);

    selectNode(f->Node());
    form->CopyBtnClick();
    const QByteArray fromTree = clipboardRecords();
    form->SelectNode(root);
    selectRows({f});
    form->CopyBtnClick();
    const QByteArray fromList = clipboardRecords();

    EXPECT_EQ(fromTree, CrLf({"{1 0 }F~~~~~~" + QByteArray::number(f->Id()), "{Fold}0",
                              "{2 0 }Shown~~~~~~" + QByteArray::number(f->Node()->Child(1)->Item()->Id()), "{Fold}0"}));
    EXPECT_TRUE(fromList.contains("}Hidden~~"));
    EXPECT_TRUE(fromList.contains("{Fold}3\r\n"));
    EXPECT_TRUE(fromList.contains("{Fold}8\r\n"));
}

TEST_F(ClipboardTest, CutTakesEverythingAndDeletesOnlyOnceTheClipboardHoldsIt)
{
    TZEBObject *f = add(ItemKind::Folder, "F");
    f->SetCategories(2);
    TZEBObject *hidden = add(ItemKind::Folder, "Hidden", f->Node());
    hidden->SetCategories(8);
    add(ItemKind::Phone, "Phone", hidden->Node(), "1");
    {
        const auto restore = hideCategories(8);
        // Nothing selected in the list: nothing copied, nothing deleted.
        form->SelectNode(f->Node());
        selectRows({});
        form->CutBtnClick();
        EXPECT_EQ(outline(root), QStringList({"F", "F/Hidden", "F/Hidden|Phone"}));

        // The file cannot be written: the folder stays where it is, and the user is told.
        QDir().mkdir(RecordFile::ClipboardFileName);
        selectNode(f->Node());
        QString said;
        answerNextBox(form.get(), QMessageBox::Ok, &said);
        form->CutBtnClick();
        EXPECT_TRUE(said.contains(RecordFile::ClipboardFileName)) << said.toStdString();
        EXPECT_EQ(outline(root), QStringList({"F", "F/Hidden", "F/Hidden|Phone"}));
        QDir().rmdir(RecordFile::ClipboardFileName);

        // Cut from the tree: hidden items and categories go too, then the folder.
        selectNode(f->Node());
        form->CutBtnClick();
        EXPECT_EQ(outline(root), QStringList());
    }
    selectNode(root);
    form->PasteBtnClick();
    EXPECT_EQ(outline(root), QStringList({"F", "F/Hidden", "F/Hidden|Phone"}));
    EXPECT_EQ(root->Child(0)->Item()->Categories(), 2);
    EXPECT_EQ(root->Child(0)->Child(0)->Item()->Categories(), 8);
}

TEST_F(ClipboardTest, RecordsFromAnotherCopyOfTheProgramPaste)
{
    TZEBObject *target = add(ItemKind::Folder, "Target");
    putForeignRecords(CrLf({"{1 3 }Kim Lee~~ Kim Lee~~~~12345", "{Pers}~~Kim~~~~Lee~~~~~~~~~~~~0",
                            "{2 6 }Home~~217-555-0100~~~~12346", "{Phon}~~0"}));
    selectNode(target->Node());
    form->PasteBtnClick();
    EXPECT_EQ(outline(target->Node()), QStringList({"Kim Lee", "Kim Lee|Home"}));
    EXPECT_EQ(target->Node()->Child(0)->Item()->Id(), 12345);

    // Nothing selected: into the root.
    form->folders()->selectionModel()->clearCurrentIndex();
    form->PasteBtnClick();
    EXPECT_EQ(outline(root).count("Kim Lee"), 1);
}

TEST_F(ClipboardTest, DamagedClipboardDataIsRefusedWithAMessageAndChangesNothing)
{
    TZEBObject *target = add(ItemKind::Folder, "Target");
    selectNode(target->Node());
    const QStringList before = outline(root);
    putForeignRecords(CrLf({"{1 0 }Good~~~~~~1", "{Fold}0", "{1 0 x}Bad"}) + QByteArray("\xff\xfe{", 3));
    QString said;
    answerNextBox(form.get(), QMessageBox::Ok, &said);
    form->PasteBtnClick();
    EXPECT_TRUE(said.startsWith("The clipboard does not hold items Mirabook can read")) << said.toStdString();
    EXPECT_EQ(outline(root), before);

    // Text of other programs is not pasted at all.
    QGuiApplication::clipboard()->setText("{1 0 }Plain~~~~~~1\r\n{Fold}0\r\n");
    form->PasteBtnClick();
    EXPECT_EQ(outline(root), before);
}

TEST_F(ClipboardTest, NothingIsPastedOrCutIntoOrOutOfARemoteFolder)
{
    TZEBObject *remote = add(ItemKind::Folder, "Shared", root, "/nowhere/shared.mbd");
    TZEBObject *inside = nullptr;
    {
        QScopedValueRollback loading(form->Nodes().Context().RemoteLoadingFlag(), true);
        inside = add(ItemKind::Person, "Inside", remote->Node());
    }
    putForeignRecords(CrLf({"{1 0 }New~~~~~~1", "{Fold}0"}));
    form->SelectNode(remote->Node()); // its refresh fails quietly: no such file
    form->SetActivePane(TMainForm::Pane::Folders);
    QString said;
    answerNextBox(form.get(), QMessageBox::Ok, &said);
    form->PasteBtnClick();
    EXPECT_EQ(said, "Cannot create new records within a remote (read-only) folder");

    // Cut out of it is refused; copy works.
    selectNode(inside->Node());
    answerNextBox(form.get(), QMessageBox::Ok, &said);
    form->CutBtnClick();
    EXPECT_TRUE(said.contains("cannot be moved out")) << said.toStdString();
    EXPECT_EQ(outline(remote->Node()), QStringList({"Inside"}));
    form->CopyBtnClick();
    selectNode(root);
    form->PasteBtnClick();
    EXPECT_TRUE(outline(root).contains("Inside"));
}

TEST_F(ClipboardTest, SelectAllSelectsEveryRowOfTheList)
{
    for (const char *name : {"A", "B", "C"})
        add(ItemKind::Phone, name, root, "1");
    add(ItemKind::Folder, "F");
    selectNode(root);
    form->SelectAll1Click();
    EXPECT_EQ(form->selectedItems().size(), 4);
    EXPECT_EQ(form->ActivePane(), TMainForm::Pane::MainItems);
}

class DragTest : public ClipboardTest
{
protected:
    void SetUp() override
    {
        ClipboardTest::SetUp();
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }

    // Drops mime on the tree at node's label, as the window system delivers a drag.
    bool dropOnNode(TTreeNode *node, const QMimeData *mime)
    {
        form->ExpandNode(node->Parent());
        QTest::qWait(0);
        const QRect r = form->folders()->visualRect(form->folderModel()->indexOf(node));
        return deliver(form->folders()->viewport(), r.center(), mime);
    }
    bool dropOnRow(TZEBObject *item, const QMimeData *mime)
    {
        QAbstractItemView *view = form->mainItems();
        return deliver(view->viewport(), view->visualRect(rowIndex(item)).center(), mime);
    }
    // Entries of the window and calls are only ever moved; files from the desktop copied.
    static bool deliver(QWidget *target, QPoint at, const QMimeData *mime)
    {
        const Qt::DropActions actions = mime->hasUrls() ? Qt::CopyAction : Qt::MoveAction;
        QDragEnterEvent enter(at, actions, mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &enter);
        QDragMoveEvent move(at, actions, mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &move);
        if (!move.isAccepted())
            return false;
        QDropEvent drop(at, actions, mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &drop);
        return drop.isAccepted();
    }
};

TEST_F(DragTest, ANodeDraggedInTheTreeMovesButNeverIntoItself)
{
    TZEBObject *a = add(ItemKind::Folder, "A");
    TZEBObject *sub = add(ItemKind::Folder, "Sub", a->Node());
    TZEBObject *b = add(ItemKind::Folder, "B");
    TItemDrag fromTree(TItemDrag::Source::Folders);

    selectNode(a->Node());
    dropOnNode(sub->Node(), &fromTree);
    dropOnNode(a->Node(), &fromTree);
    EXPECT_EQ(outline(root), QStringList({"A", "A/Sub", "B"}));

    dropOnNode(b->Node(), &fromTree);
    EXPECT_EQ(outline(root), QStringList({"B", "B/A", "B/A/Sub"}));
    EXPECT_EQ(form->SelectedNode(), a->Node());
}

TEST_F(DragTest, RowsDraggedFromTheListMoveIntoANodeOfTheTree)
{
    TZEBObject *from = add(ItemKind::Folder, "From");
    TZEBObject *to = add(ItemKind::Folder, "To");
    TZEBObject *kim = add(ItemKind::Person, "Kim", from->Node());
    TZEBObject *phone = add(ItemKind::Phone, "Phone", from->Node(), "1");
    add(ItemKind::Phone, "Stays", from->Node(), "2");
    phone->SetAlert(true);
    selectNode(from->Node());
    TItemDrag fromList(TItemDrag::Source::MainItems);

    // Onto its own node, or onto the shown node where the rows are already: nothing moves.
    selectRows({kim});
    dropOnNode(kim->Node(), &fromList);
    selectRows({kim, phone});
    dropOnNode(from->Node(), &fromList);
    EXPECT_EQ(outline(from->Node()), QStringList({"|Phone", "|Stays", "Kim"}));

    EXPECT_TRUE(dropOnNode(to->Node(), &fromList));
    EXPECT_EQ(outline(root), QStringList({"From", "From|Stays", "To", "To|Phone", "To/Kim"}));
    EXPECT_EQ(listCaptions(), QStringList({"Stays"}));
    EXPECT_EQ(to->AlertCount(), 1);
    EXPECT_EQ(from->AlertCount(), 0);
}

TEST_F(DragTest, DropsIntoARemoteFolderAreRefusedWithTheRemoteFolderMessage)
{
    TZEBObject *remote = add(ItemKind::Folder, "Shared", root, "/nowhere/shared.mbd");
    TZEBObject *kim = add(ItemKind::Person, "Kim");
    selectNode(kim->Node());
    TItemDrag fromTree(TItemDrag::Source::Folders);
    QString said;
    answerNextBox(form.get(), QMessageBox::Ok, &said);
    dropOnNode(remote->Node(), &fromTree);
    EXPECT_EQ(said, "Cannot create new records within a remote (read-only) folder");
    EXPECT_EQ(kim->Node()->Parent(), root);
}

TEST_F(DragTest, ACallFromTheHistoryDroppedOnANodeBecomesItsPhone)
{
    TCallerHistory history;
    history.Add("Pizza Place", "217-555-0177", QDateTime::currentDateTime());
    TZEBObject *food = add(ItemKind::Folder, "Food");
    std::unique_ptr<QMimeData> rows(history.mimeData({history.index(0, 0)}));
    EXPECT_TRUE(dropOnNode(food->Node(), rows.get()));
    ASSERT_EQ(food->ChildCount(), 1);
    EXPECT_EQ(food->ChildAt(0)->Value(), "217-555-0177");
    EXPECT_EQ(food->ChildAt(0)->Comment(), "");
    EXPECT_EQ(history.Count(), 0);
}

TEST_F(DragTest, ADocumentDroppedOnAContactOffersTheFaxThenTheMailWhateverTheFirstAnswer)
{
    TZEBObject *kim = CreateItem(ItemKind::Person, "Kim", " Kim", QString(), root,
                                 "{Pers}~~Kim~~~~~~~~~~Office fax~~Mail~~~~0", 0);
    add(ItemKind::Fax, "Office fax", kim->Node(), "217-555-0101");
    add(ItemKind::EMail, "Mail", kim->Node(), "kim@example.org");
    TZEBObject *pat = add(ItemKind::Person, "Pat"); // nothing to send to
    WriteBytes(dir.filePath("letter.txt"), "Dear Kim");
    TZEBObject *doc = add(ItemKind::Document, "letter.txt", root, dir.filePath("letter.txt"));
    selectNode(root);
    selectRows({doc});
    TItemDrag fromList(TItemDrag::Source::MainItems);

    QStringList asked;
    const auto answer = [&asked](QMessageBox::StandardButton first, QMessageBox::StandardButton second) {
        return [&asked, first, second](QMessageBox *box) {
            asked << box->text();
            press(box, asked.size() % 2 ? first : second);
            return asked.size() % 2 == 0;
        };
    };
    onMessageBoxes(form.get(), answer(QMessageBox::Cancel, QMessageBox::No));
    EXPECT_TRUE(dropOnRow(kim, &fromList));
    EXPECT_EQ(asked, QStringList({"Send document via Fax to Kim?", "Send document as an E-Mail attachment to Kim?"}));

    // Nothing to send to, or no document dragged: the drop is not taken.
    EXPECT_FALSE(dropOnRow(pat, &fromList));
    selectRows({pat});
    EXPECT_FALSE(dropOnRow(kim, &fromList));
    EXPECT_EQ(asked.size(), 2);

    // A file from the file manager dropped on Kim: a document, and the same questions.
    QMimeData file;
    file.setUrls({QUrl::fromLocalFile(dir.filePath("letter.txt"))});
    onMessageBoxes(form.get(), answer(QMessageBox::No, QMessageBox::No));
    EXPECT_TRUE(dropOnRow(kim, &file));
    EXPECT_EQ(asked.size(), 4);
    EXPECT_EQ(asked.mid(2), asked.mid(0, 2));
    EXPECT_EQ(root->Item()->ChildCount(), 2);
}
