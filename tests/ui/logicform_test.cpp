#include "platform/paths.h"
#include "platform/profile.h"
#include "store/itemfactory.h"
#include "store/kinds.h"
#include "store/recordfile.h"
#include "store/toolitems.h"
#include "store/treenodes.h"
#include "store/zebobject.h"
#include "support/fakeservices.h"
#include "support/filebytes.h"
#include "ui/logicform.h"
#include "ui/mainform.h"
#include "ui/mainwinstate.h"
#include "ui/trayicon.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMessageBox>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <gtest/gtest.h>

namespace {

// A main window and its logical form on a fresh data directory.
class LogicFormTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(home.isValid());
        previous = QDir::currentPath();
        Paths::setHomeOverride(home.path());
        QDir::setCurrent(home.path());
    }
    void TearDown() override
    {
        logic.reset();
        form.reset();
        Paths::setHomeOverride(QString());
        QDir::setCurrent(previous);
    }
    void make(const QStringList &arguments = {"mirabook"})
    {
        form = std::make_unique<TMainForm>();
        logic = std::make_unique<TLogicForm>(*form, CommandLine::Request{home.path(), arguments});
    }
    QByteArray database() const { return ReadBytes(home.filePath(RecordFile::DatabaseName)); }
    // An export with one folder, beside the data.
    void writeExport(const QString &name, const QString &folderTitle)
    {
        WriteBytes(home.filePath(name), "{1 0 }" + folderTitle.toUtf8() + "~~~~~~1\r\n{Fold}0\r\n");
    }
    QStringList topTitles() const
    {
        QStringList titles;
        for (int i = 0; i < form->RootNode()->Count(); ++i)
            titles << form->RootNode()->Child(i)->Text();
        return titles;
    }

    QTemporaryDir home;
    QString previous;
    std::unique_ptr<TMainForm> form;
    std::unique_ptr<TLogicForm> logic;
};

QStringList entryTexts(const QMenu *menu)
{
    QStringList texts;
    for (const QAction *a : menu->actions())
        texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return texts;
}

// Clicks button on the next message box and notes its text.
void answerNextBox(QObject *context, QMessageBox::StandardButton button, QString *text)
{
    QTimer::singleShot(0, context, [context, button, text] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return answerNextBox(context, button, text); // not up yet
        *text = box->text();
        box->button(button)->click();
    });
}

} // namespace

TEST_F(LogicFormTest, TrayMenuAndTip)
{
    make();
    const QList<QAction *> entries = logic->trayMenu()->actions();
    ASSERT_EQ(entries.size(), 7);
    // Browser link and caller ID come later: shown, but disabled.
    EXPECT_FALSE(entries[3]->isEnabled());
    EXPECT_TRUE(entries[4]->isCheckable());
    EXPECT_FALSE(entries[4]->isEnabled());

    // A click on the icon shows the window.
    EXPECT_FALSE(form->isVisible());
    emit logic->trayIcon()->activated(QSystemTrayIcon::Trigger);
    EXPECT_TRUE(form->isVisible());

    // The tip follows the main window's selection, never longer than 62.
    emit form->trayTipChanged("[My Contacts/" + QString(70, u'f') + "]");
    EXPECT_EQ(logic->trayIcon()->toolTip().size(), 62);
    EXPECT_TRUE(logic->trayIcon()->toolTip().startsWith("[My Contacts/fff"));
}

TEST_F(LogicFormTest, ToolsSubmenuListsTheToolsWhenOpened)
{
    make();
    QMenu *tools = logic->trayMenu()->actions().at(2)->menu();
    ASSERT_NE(tools, nullptr);
    EXPECT_TRUE(tools->actions().isEmpty());
    ToolItems().Add(std::make_unique<TToolItem>("Notes", "/usr/bin/notes", "", "0"));
    ToolItems().Add(std::make_unique<TToolItem>("Calculator", "/usr/bin/calc", "", "0"));
    emit tools->aboutToShow();
    EXPECT_EQ(entryTexts(tools), QStringList({"Notes", "Calculator"}));
    ToolItems().Delete("Notes");
    emit tools->aboutToShow();
    EXPECT_EQ(entryTexts(tools), QStringList({"Calculator"}));
    ToolItems().Clear();
}

TEST_F(LogicFormTest, ClosingTheWindowHidesOrMinimisesAndNeverEnds)
{
    make();
    logic->SetHidesOnClose(true);
    logic->Restore();
    ASSERT_TRUE(form->isVisible());
    EXPECT_FALSE(form->close());
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(logic->Ended());
    EXPECT_FALSE(QFile::exists(home.filePath(RecordFile::DatabaseName))); // nothing saved

    logic->trayMenu()->actions().at(0)->trigger(); // "&Restore"
    EXPECT_TRUE(form->isVisible());

    logic->SetHidesOnClose(false);
    EXPECT_FALSE(form->close());
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(form->isMinimized());
    logic->Restore();
    EXPECT_FALSE(form->isMinimized());
}

TEST_F(LogicFormTest, FirstShowImportsTheOwnCommandLineOnce)
{
    writeExport("family.mbd", "Cousins");
    make({"mirabook", "family.mbd", "HIDEWIN"});
    QSignalSpy handled(logic.get(), &TLogicForm::commandLineHandled);
    EXPECT_TRUE(topTitles().isEmpty());
    logic->Restore();
    ASSERT_TRUE(handled.wait(5000));
    EXPECT_EQ(topTitles(), QStringList({"Cousins"}));
    form->hide();
    logic->Restore();
    QTest::qWait(50);
    EXPECT_EQ(topTitles(), QStringList({"Cousins"}));

    // A later start's command line is handled like the own one.
    logic->HandleCommandLine({home.path(), {"/usr/bin/mirabook", home.filePath("family.mbd"), "FAMILY.MBD"}});
    EXPECT_EQ(topTitles(), QStringList({"Cousins", "Cousins"}));
}

TEST_F(LogicFormTest, LaterStartWaitsForAnOpenDialog)
{
    writeExport("club.mbd", "Chess Club");
    make();
    logic->Restore();
    QSignalSpy handled(logic.get(), &TLogicForm::commandLineHandled);
    ASSERT_TRUE(handled.wait(5000)); // the first show
    QDialog dialog(form.get());
    QStringList duringDialog{"not run"};
    QTimer::singleShot(0, &dialog, [&] {
        logic->HandleCommandLine({home.path(), {"mirabook", "club.mbd"}});
        duringDialog = topTitles();
        dialog.accept();
    });
    dialog.exec();
    EXPECT_TRUE(duringDialog.isEmpty());
    ASSERT_TRUE(handled.wait(5000));
    EXPECT_EQ(topTitles(), QStringList({"Chess Club"}));
}

TEST_F(LogicFormTest, ExitAfterAFailedSaveAsksAndNoKeepsTheProgramAndItsData)
{
    make();
    CreateItem(Kinds::Folder, "Neighbours", {}, {}, form->RootNode(), {}, 0);
    RecordFile::SetSaveFaultHook([](RecordFile::SaveStep step) { return step == RecordFile::SaveStep::WriteRecords; });
    // Answers the save's error box with OK and the question after it with reply.
    QStringList shown;
    QObject answering;
    const auto answerBoxes = [&shown, &answering](QMessageBox::StandardButton reply) {
        shown.clear();
        auto *timer = new QTimer(&answering);
        QObject::connect(timer, &QTimer::timeout, timer, [timer, reply, &shown] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box || (!shown.isEmpty() && shown.last() == box->text()))
                return;
            shown << box->text();
            if (box->button(reply)) {
                timer->deleteLater();
                box->button(reply)->click();
            } else {
                box->button(QMessageBox::Ok)->click();
            }
        });
        timer->start(5);
    };

    answerBoxes(QMessageBox::No);
    logic->Exit();
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(shown.at(1), QString::fromLatin1(TLogicForm::ExitUnsavedQuestion));
    EXPECT_FALSE(logic->Ended());

    // With room on the disk again, the next Exit writes what was kept; once ended, a
    // second end writes nothing more.
    RecordFile::SetSaveFaultHook({});
    logic->Exit();
    EXPECT_TRUE(logic->Ended());
    EXPECT_TRUE(database().contains("Neighbours"));
    QFile::remove(home.filePath(RecordFile::DatabaseName));
    EXPECT_TRUE(logic->EndProgram());
    EXPECT_FALSE(QFile::exists(home.filePath(RecordFile::DatabaseName)));

    // Yes ends the program without the save.
    logic.reset();
    form.reset();
    make();
    RecordFile::SetSaveFaultHook([](RecordFile::SaveStep step) { return step == RecordFile::SaveStep::WriteRecords; });
    answerBoxes(QMessageBox::Yes);
    logic->Exit();
    RecordFile::SetSaveFaultHook({});
    EXPECT_EQ(shown.size(), 2);
    EXPECT_TRUE(logic->Ended());
}

TEST_F(LogicFormTest, RevertAsksThenLoadsTheSavedDatabaseAgain)
{
    WriteBytes(home.filePath(RecordFile::DatabaseName),
               "{Params}\r\n{0 11 }My Contacts~~~~~~32892645\r\n{1 0 }Saved Folder~~~~~~77\r\n");
    make();
    FakeServices answers; // errors are recorded, not shown
    EXPECT_EQ(topTitles(), QStringList({"Saved Folder"}));
    CreateItem(Kinds::Folder, "Unsaved", {}, {}, form->RootNode(), {}, 0);
    form->SelectNode(form->RootNode()->Child(1));
    QString asked;
    answerNextBox(form.get(), QMessageBox::Cancel, &asked);
    form->revertAction()->trigger();
    EXPECT_EQ(asked, "This option will lose all changes made during this session. Are you sure?");
    EXPECT_EQ(topTitles(), QStringList({"Saved Folder", "Unsaved"}));

    answerNextBox(form.get(), QMessageBox::Ok, &asked);
    form->revertAction()->trigger();
    EXPECT_EQ(topTitles(), QStringList({"Saved Folder"}));
    EXPECT_EQ(form->SelectedNode(), form->RootNode());
    EXPECT_TRUE(answers.errors.isEmpty());
}

TEST_F(LogicFormTest, LayoutsReachTheWindowAndComeBack)
{
    make();
    form->show();
    TMainWinState &state = logic->winState();
    // A fresh start: the normal layout with every bar and a 201-pixel tree.
    EXPECT_TRUE(form->toolBar()->isVisibleTo(form.get()));
    EXPECT_EQ(form->treeWidth(), 201);

    // The user hides the tip bar by the bar's own means: the View entry follows.
    form->tipBar()->toggleViewAction()->trigger();
    EXPECT_FALSE(form->tipBarAction()->isChecked());

    form->toggleMainWindowAction()->trigger();
    EXPECT_TRUE(state.AlternateActive());
    EXPECT_FALSE(state.Normal().Tipbar);
    EXPECT_EQ(form->treeWidth(), 1);
    EXPECT_EQ(form->size(), QSize(300, 480));
    EXPECT_FALSE(form->findBar()->isVisibleTo(form.get()));
    EXPECT_TRUE(form->statusBarWidget()->isVisibleTo(form.get()));

    form->toggleMainWindowAction()->trigger();
    EXPECT_FALSE(state.AlternateActive());
    EXPECT_EQ(form->treeWidth(), 201);
    EXPECT_TRUE(form->findBar()->isVisibleTo(form.get()));
    EXPECT_FALSE(form->tipBar()->isVisibleTo(form.get()));
    EXPECT_FALSE(form->tipBarAction()->isChecked());
}
