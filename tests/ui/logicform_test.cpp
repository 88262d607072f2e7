#include "mainformfixture.h"

#include "ui/dialogs/dialogtesting.h"

#include "store/recordfile.h"
#include "store/toolitems.h"
#include "support/fakeservices.h"
#include "support/filebytes.h"
#include "ui/logicform.h"
#include "ui/mainwinstate.h"
#include "ui/trayicon.h"

#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QSignalSpy>
#include <QStatusBar>
#include <QToolBar>
#include <QTimer>

namespace {

// The main window with its logical form, made by each test for its own command line.
class LogicFormTest : public MainFormTest
{
protected:
    void TearDown() override
    {
        logic.reset();
        MainFormTest::TearDown();
    }
    void make(const QStringList &arguments = {"mirabook"})
    {
        logic.reset();
        form.reset();
        form = std::make_unique<TMainForm>();
        logic = std::make_unique<TLogicForm>(*form, CommandLine::Request{dir.path(), arguments});
    }
    QByteArray database() const { return ReadBytes(dir.filePath(RecordFile::DatabaseName)); }
    // An export with one folder, beside the data.
    void writeExport(const QString &name, const QString &folderTitle)
    {
        WriteBytes(dir.filePath(name), "{1 0 }" + folderTitle.toUtf8() + "~~~~~~1\r\n{Fold}0\r\n");
    }
    QStringList topTitles() const
    {
        QStringList titles;
        for (int i = 0; i < form->RootNode()->Count(); ++i)
            titles << form->RootNode()->Child(i)->Text();
        return titles;
    }

    std::unique_ptr<TLogicForm> logic;
};

QStringList entryTexts(const QMenu *menu)
{
    QStringList texts;
    for (const QAction *a : menu->actions())
        texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return texts;
}

} // namespace

TEST_F(LogicFormTest, TrayMenuToolsAndTip)
{
    make();
    const QList<QAction *> entries = logic->trayMenu()->actions();
    ASSERT_EQ(entries.size(), 7);
    EXPECT_EQ(entries[3]->text(), "&Get Browser URL");
    EXPECT_TRUE(entries[3]->isEnabled());
    // Caller ID comes later: shown, but disabled.
    EXPECT_TRUE(entries[4]->isCheckable());
    EXPECT_FALSE(entries[4]->isEnabled());

    // A click on the icon shows the window.
    EXPECT_FALSE(form->isVisible());
    emit logic->trayIcon()->activated(QSystemTrayIcon::Trigger);
    EXPECT_TRUE(form->isVisible());

    // The tip follows the main window's selection, never longer than 62.
    emit form->trayTipChanged("[My Contacts/" + QString(70, u'f') + "]");
    EXPECT_EQ(logic->trayIcon()->toolTip(), ("[My Contacts/" + QString(70, u'f')).left(62));

    // The tools submenu is made again as soon as the tools change, without waiting
    // for the menu to be opened (some tray hosts never say so).
    QMenu *tools = entries[2]->menu();
    ASSERT_NE(tools, nullptr);
    form->Nodes().Context().Tools().Add(std::make_unique<TToolItem>("Notes", "/usr/bin/notes", "", "0"));
    form->Nodes().Context().Tools().Add(std::make_unique<TToolItem>("R&D", "/usr/bin/calc", "", "0"));
    form->BuildToolMenus();
    EXPECT_EQ(entryTexts(tools), QStringList({"Notes", "R&&D"}));
    form->Nodes().Context().Tools().Delete("Notes");
    form->BuildToolMenus();
    EXPECT_EQ(entryTexts(tools), QStringList({"R&&D"}));
    form->Nodes().Context().Tools().Clear();
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
    EXPECT_FALSE(QFile::exists(dir.filePath(RecordFile::DatabaseName))); // nothing saved

    logic->trayMenu()->actions().at(0)->trigger(); // "&Restore"
    EXPECT_TRUE(form->isVisible());

    logic->SetHidesOnClose(false);
    EXPECT_FALSE(form->close());
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(form->isMinimized());
    logic->Restore();
    EXPECT_FALSE(form->isMinimized());
}

TEST_F(LogicFormTest, OwnCommandLineIsImportedOnFirstShowALaterOneWhenNoDialogIsOpen)
{
    writeExport("family.mbd", "Cousins");
    writeExport("club.mbd", "Chess Club");
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
    logic->HandleCommandLine({dir.path(), {"/usr/bin/mirabook", dir.filePath("family.mbd"), "FAMILY.MBD"}});
    EXPECT_EQ(topTitles(), QStringList({"Cousins", "Cousins"}));

    // ... but not while a dialog is open.
    QDialog dialog(form.get());
    QStringList duringDialog{"not run"};
    QTimer::singleShot(0, &dialog, [&] {
        logic->HandleCommandLine({dir.path(), {"mirabook", "club.mbd"}});
        duringDialog = topTitles();
        dialog.accept();
    });
    dialog.exec();
    EXPECT_EQ(duringDialog, QStringList({"Cousins", "Cousins"}));
    ASSERT_TRUE(handled.wait(5000));
    EXPECT_EQ(topTitles(), QStringList({"Chess Club", "Cousins", "Cousins"}));
}

TEST_F(LogicFormTest, ACommandLineImportSaysWhatItCouldNotRead)
{
    WriteBytes(dir.filePath("torn.mbd"), "{1 0 }Torn~~~~~~1\r\n{Fold}0\r\n{1 0 }Half~~\r\n");
    WriteBytes(dir.filePath("empty.mbd"), "");
    make();
    FakeServices answers; // errors are recorded, not shown
    form->Nodes().Context().SetServices(&answers);
    WriteBytes(dir.filePath("kept.mbd.bak"), "");
    logic->HandleCommandLine({dir.path(), {"mirabook", "torn.mbd", "empty.mbd", "kept.mbd.bak"}}); // the last is no export file
    EXPECT_EQ(topTitles(), QStringList({"Torn"}));
    EXPECT_EQ(answers.errors, QStringList({"\"torn.mbd\": line 3 could not be read. The other records were imported.",
                                           "\"empty.mbd\": nothing to import."}));
}

TEST_F(LogicFormTest, ExitAfterAFailedSaveAsksAndNoKeepsTheProgramAndItsData)
{
    make();
    CreateItem(ItemKind::Folder, "Neighbours", {}, {}, form->RootNode(), {}, 0);
    const auto failSaves = [this] {
        form->Nodes().Context().SetSaveFaultHook([](RecordFile::SaveStep step) { return step == RecordFile::SaveStep::WriteRecords; });
    };
    // Answers the save's error box with OK and the question after it with reply.
    QStringList shown;
    QObject answering;
    const auto answerBoxes = [&shown, &answering](QMessageBox::StandardButton reply) {
        shown.clear();
        onMessageBoxes(&answering, [&shown, reply](QMessageBox *box) {
            if (!shown.isEmpty() && shown.last() == box->text())
                return false; // still closing
            shown << box->text();
            const bool question = box->button(reply);
            press(box, question ? reply : QMessageBox::Ok);
            return question;
        });
    };

    failSaves();
    answerBoxes(QMessageBox::No);
    logic->Exit();
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(shown.at(1), QString::fromLatin1(TLogicForm::ExitUnsavedQuestion));
    EXPECT_FALSE(logic->Ended());

    // With room on the disk again, the next Exit writes what was kept; once ended, a
    // second end writes nothing more.
    form->Nodes().Context().SetSaveFaultHook({});
    logic->Exit();
    EXPECT_TRUE(logic->Ended());
    EXPECT_TRUE(database().contains("Neighbours"));
    QFile::remove(dir.filePath(RecordFile::DatabaseName));
    EXPECT_TRUE(logic->EndProgram());
    EXPECT_FALSE(QFile::exists(dir.filePath(RecordFile::DatabaseName)));

    // Yes ends the program without the save.
    make();
    failSaves();
    answerBoxes(QMessageBox::Yes);
    logic->Exit();
    EXPECT_EQ(shown.size(), 2);
    EXPECT_TRUE(logic->Ended());
}

TEST_F(LogicFormTest, AnEndDuringANewItemsDialogCancelsItBeforeTheSave)
{
    make();
    CreateItem(ItemKind::Folder, "Neighbours", {}, {}, form->RootNode(), {}, 0);
    form->SelectNode(form->RootNode()->Child(0));
    // A signal arrives while the new person's dialog, and a question above it, are open.
    bool endedWhileOpen = true;
    int dialogResult = -1;
    form->services().dialogRunner = [&](TZEBObject &, bool) {
        QDialog dialog(form.get());
        QTimer::singleShot(0, &dialog, [&] {
            QTimer::singleShot(0, form.get(), [&] {
                logic->Exit();
                endedWhileOpen = logic->Ended();
            });
            QMessageBox::question(&dialog, "Mirabook", "Above the dialog");
        });
        dialogResult = dialog.exec();
        return dialogResult == QDialog::Accepted;
    };
    form->newItemAction(ItemKind::Person)->trigger();
    EXPECT_EQ(dialogResult, QDialog::Rejected);
    EXPECT_FALSE(endedWhileOpen); // nothing saved while the dialogs were open
    EXPECT_TRUE(QTest::qWaitFor([&] { return logic->Ended(); }, 5000));
    EXPECT_TRUE(database().contains("Neighbours"));
    EXPECT_FALSE(database().contains("New Person"));
}

TEST_F(LogicFormTest, RevertAsksThenLoadsTheSavedDatabaseAgain)
{
    WriteBytes(dir.filePath(RecordFile::DatabaseName),
               "{Params}\r\n{0 11 }My Contacts~~~~~~32892645\r\n{1 0 }Saved Folder~~~~~~77\r\n");
    make();
    FakeServices answers; // errors are recorded, not shown
    form->Nodes().Context().SetServices(&answers);
    CreateItem(ItemKind::Folder, "Unsaved", {}, {}, form->RootNode(), {}, 0);
    form->SelectNode(form->RootNode()->Child(1));
    QString asked;
    answerNextBox(form.get(), QMessageBox::Cancel, &asked);
    form->revertAction()->trigger();
    EXPECT_EQ(asked, "This option will lose all changes made during this session. Are you sure?");
    EXPECT_EQ(topTitles(), QStringList({"Saved Folder", "Unsaved"}));

    answerNextBox(form.get(), QMessageBox::Ok);
    form->revertAction()->trigger();
    EXPECT_EQ(topTitles(), QStringList({"Saved Folder"}));
    EXPECT_EQ(form->SelectedNode(), form->RootNode());
    EXPECT_TRUE(answers.errors.isEmpty());
}

TEST_F(LogicFormTest, RevertGivesTheTreeAFreshStartLoads)
{
    WriteBytes(dir.filePath(RecordFile::DatabaseName),
               "{Params}\r\n{0 11 }My Contacts~~~~~~32892645\r\n{1 6 }Home~~555~~~~41\r\n{Phon}~~0\r\n"
               "{1 0 }Saved Folder~~~~~~77\r\n{Fold}0\r\n{2 7 }Box~~a@b.c~~~~78\r\n{Mail}~~0\r\n");
    make();
    form->saveDatabaseAction()->trigger();
    const QByteArray fresh = database();
    // Leaves and folders directly in My Contacts, new and changed, and deeper changes.
    TTreeNode *top = form->RootNode();
    add(ItemKind::Phone, QStringLiteral("Unsaved"), top);
    add(ItemKind::Folder, QStringLiteral("Unsaved Folder"), top);
    top->Item()->ChildAt(0)->SetTitle(QStringLiteral("Renamed"));
    add(ItemKind::Fax, QStringLiteral("Deep"), top->Child(0));

    answerNextBox(form.get(), QMessageBox::Ok);
    form->revertAction()->trigger();
    EXPECT_EQ(listCaptions(), QStringList({"Saved Folder", "Home"}));
    form->saveDatabaseAction()->trigger();
    EXPECT_EQ(database(), fresh);
}

TEST_F(LogicFormTest, LayoutsReachTheWindowAndComeBack)
{
    make();
    form->show();
    // The user hides the tip bar by the bar's own means: the View entry follows.
    form->tipBar()->toggleViewAction()->trigger();
    EXPECT_FALSE(form->tipBarAction()->isChecked());

    form->toggleMainWindowAction()->trigger();
    EXPECT_EQ(form->treeWidth(), 1);
    EXPECT_EQ(form->size(), QSize(300, 480));
    EXPECT_FALSE(form->findBar()->isVisibleTo(form.get()));
    EXPECT_TRUE(form->statusBarWidget()->isVisibleTo(form.get()));

    form->toggleMainWindowAction()->trigger();
    EXPECT_EQ(form->treeWidth(), 201);
    EXPECT_TRUE(form->findBar()->isVisibleTo(form.get()));
    EXPECT_FALSE(form->tipBar()->isVisibleTo(form.get()));
    EXPECT_FALSE(form->tipBarAction()->isChecked());
}

TEST_F(LogicFormTest, VCardArgumentsImportUnderMyContactsAskingAboutOrganizations)
{
    static const char kNul[] = "BEGIN:VCARD\r\nFN:N\0L\r\nEND:VCARD\r\n";
    WriteBytes(dir.filePath("cards.vcf"), "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Kim Lee\r\nEND:VCARD\r\n"
                                          "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Smith;John;;Dr.\r\nORG:Acme\r\nEND:VCARD\r\n" +
                                              QByteArray(kNul, sizeof kNul - 1));
    make();
    FakeServices answers;
    form->Nodes().Context().SetServices(&answers);
    QStringList shown;
    whenModalShows([&shown](QDialog *dialog) {
        shown << dialog->windowTitle() << control<QLabel>(dialog, "NameLabel")->text()
              << control<QLabel>(dialog, "OrgLabel")->text();
        control<QPushButton>(dialog, "OrgButton")->click();
    });
    logic->HandleCommandLine({dir.path(), {"mirabook", "cards.vcf", "missing.vcf", "CARDS.VCF"}});
    EXPECT_EQ(shown, QStringList({"vCard Import", "Dr. John Smith", "Acme"}));
    EXPECT_EQ(topTitles(), QStringList({"Acme", "Kim Lee"}));
    EXPECT_EQ(form->RootNode()->Child(0)->Item()->Kind(), ItemKind::Organization);
    EXPECT_EQ(answers.errors,
              QStringList({"\"cards.vcf\": 1 card could not be read (bytes that are no text, or a line longer than "
                           "65536 characters) and was skipped, the first at line 10. The other cards were imported."}));
}
