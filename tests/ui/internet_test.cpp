#include "mainformfixture.h"

#include "comms/httptransport.h"
#include "platform/programinfo.h"
#include "store/folderobject.h"
#include "support/fakeprograms.h"
#include "support/filebytes.h"
#include "support/scriptedhttpserver.h"
#include "ui/logicform.h"

#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QToolBar>

namespace {

const QByteArray ClubList = CrLf({"{1 0 }Club~~~~~~1", "{Fold}0"});

class InternetTest : public MainFormTest
{
protected:
    void SetUp() override
    {
        MainFormTest::SetUp();
        form->http().proxy = nullptr;
    }
    // An endpoint that answers /json/list as a browser with one page would.
    void writeDebugPort(quint16 port)
    {
        WriteBytes(dir.filePath("zeb.ini"), "[Browser]\r\nDebugPort=" + QByteArray::number(port) + "\r\n");
    }
    ScriptedHttpServer server;
};

} // namespace

TEST_F(InternetTest, SelectingAnHttpFolderReadsItsSource)
{
    server.answer("HTTP/1.1 200 OK",
                  {"Last-Modified: Sun, 06 Nov 1994 08:49:37 GMT", "Content-Length: " + QByteArray::number(ClubList.size())},
                  ClubList);
    TZEBObject *folder = add(ItemKind::Folder, "Shared", nullptr, server.url("/list.mbd"));
    form->SelectNode(folder->Node());
    EXPECT_EQ(listCaptions(), QStringList{"Club"});
    EXPECT_EQ(server.requests.size(), 2);
}

TEST_F(InternetTest, WhileATransferRunsTheWindowWaitsAndCanCancel)
{
    server.answer({{"HTTP/1.1 200 OK\r\n"}, 0, false}); // and then nothing, for a long time
    TZEBObject *folder = add(ItemKind::Folder, "Shared", nullptr, server.url("/list.mbd"));
    bool seenBusy = false;
    QTimer::singleShot(50, form.get(), [&] {
        seenBusy = form->TransferRunning() && !form->menuBar()->isEnabled() && !form->folders()->isEnabled() &&
                   !form->toolBar()->isEnabled() && !form->cancelTransferButton()->isHidden();
        form->cancelTransferButton()->click();
    });
    QString shown;
    answerNextBox(form.get(), QMessageBox::Ok, &shown);
    form->SelectNode(folder->Node());
    EXPECT_TRUE(seenBusy);
    EXPECT_FALSE(form->TransferRunning());
    EXPECT_TRUE(form->menuBar()->isEnabled());
    EXPECT_TRUE(form->folders()->isEnabled());
    EXPECT_TRUE(form->cancelTransferButton()->isHidden());
    QTest::qWait(50);
    EXPECT_EQ(shown, ""); // the user's own cancel is not an error
    EXPECT_TRUE(listCaptions().isEmpty());
}

TEST_F(InternetTest, CommandShortcutsDoNothingWhileATransferRuns)
{
    server.answer({{"HTTP/1.1 200 OK\r\n"}, 0, false});
    TZEBObject *folder = add(ItemKind::Folder, "Shared", nullptr, server.url("/list.mbd"));
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    QString asked;
    QString hint;
    // The folder being read is the selected node: deleting it now would pull the tree
    // from under the transfer.
    QTimer::singleShot(50, form.get(), [&] {
        answerNextBox(form.get(), QMessageBox::No, &asked);
        QTest::keyClick(form.get(), Qt::Key_Delete, Qt::ShiftModifier);
        hint = form->statusText(StatusPanel::Hint);
        form->cancelTransferButton()->click();
    });
    form->SelectNode(folder->Node());
    EXPECT_EQ(asked, "");
    EXPECT_EQ(hint, "Wait for the transfer to end, or cancel it");
    EXPECT_EQ(root->Count(), 1);
    // Once it has ended the same key asks again.
    QTest::qWait(50);
    form->folders()->setFocus();
    answerNextBox(form.get(), QMessageBox::No, &asked);
    QTest::keyClick(form->folders(), Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(asked, "Are you sure you want to delete Shared and all sub-items?");
}

TEST_F(InternetTest, ExitDuringATransferCancelsItFirst)
{
    server.answer({{"HTTP/1.1 200 OK\r\n"}, 0, false});
    TLogicForm logic(*form, CommandLine::Request{});
    TZEBObject *folder = add(ItemKind::Folder, "Shared", nullptr, server.url("/list.mbd"));
    bool exitedDuringTransfer = false;
    QTimer::singleShot(50, form.get(), [&] {
        logic.Exit();
        exitedDuringTransfer = logic.Ended();
    });
    form->SelectNode(folder->Node());
    EXPECT_FALSE(exitedDuringTransfer);
    EXPECT_TRUE(QTest::qWaitFor([&] { return logic.Ended(); }, 5000));
    EXPECT_TRUE(QFile::exists(dir.filePath("mira.dat")));
}

TEST_F(InternetTest, GetBrowserUrlMakesAWebsiteOfTheBrowsersPage)
{
    server.answer("HTTP/1.1 200 OK", {},
                  R"([{"type": "page", "url": "https://example.org/a", "title": "Example\tPage &amp; Co&#10;"}])");
    writeDebugPort(server.port());
    TZEBObject *folder = add(ItemKind::Folder, "Links");
    form->SelectNode(folder->Node());
    form->browserUrlAction()->trigger();
    ASSERT_EQ(folder->Node()->Count(), 1);
    TZEBObject *site = folder->Node()->Child(0)->Item();
    EXPECT_EQ(site->Kind(), ItemKind::Website);
    // Chromium escapes the title as HTML.
    EXPECT_EQ(site->Title(), "Example Page & Co");
    EXPECT_EQ(site->Value(), "https://example.org/a");
    EXPECT_TRUE(form->folders()->isExpanded(form->folderModel()->indexOf(folder->Node())));
}

TEST_F(InternetTest, GetBrowserUrlWithoutABrowserSaysSoAndMakesNothing)
{
    quint16 port = 0;
    {
        QTcpServer closed;
        closed.listen(QHostAddress::LocalHost, 0);
        port = closed.serverPort();
    }
    writeDebugPort(port);
    FakePrograms programs({"xdg-open"});
    QString shown;
    answerNextBox(form.get(), QMessageBox::Ok, &shown);
    form->browserUrlAction()->trigger();
    EXPECT_TRUE(shown.startsWith(QStringLiteral("No browser answers on port %1").arg(port))) << shown.toStdString();
    EXPECT_EQ(root->Count(), 0);
    QTest::qWait(100);
    EXPECT_TRUE(programs.runs("xdg-open").isEmpty()); // no browser is started
}

TEST_F(InternetTest, WebsitesAndTheHomepageOpenInTheBrowser)
{
    FakePrograms programs({"xdg-open", "my-browser"});
    const QString hostile = "http://example.org/?q=$(touch x)&r=`id`;|";
    TZEBObject *site = add(ItemKind::Website, "Odd", nullptr, hostile);
    form->SelectNode(root);
    form->MainItemsDblClick(rowIndex(site));
    ASSERT_TRUE(programs.waitForRuns("xdg-open", 1));
    EXPECT_EQ(programs.runs("xdg-open")[0], QStringList{hostile});

    // A configured browser program gets the address as its one argument.
    WriteBytes(dir.filePath("zeb.ini"), "[Browser]\r\nPath=" + programs.program("my-browser").toUtf8() + "\r\n");
    form->homepageAction()->trigger();
    ASSERT_TRUE(programs.waitForRuns("my-browser", 1));
    EXPECT_EQ(programs.runs("my-browser")[0], QStringList{ProgramHomePage});

    // Nothing but web addresses reaches a browser.
    TZEBObject *local = add(ItemKind::Website, "Local", nullptr, "file:///etc/passwd");
    QString shown;
    answerNextBox(form.get(), QMessageBox::Ok, &shown);
    local->Browse();
    EXPECT_EQ(shown, "\"file:///etc/passwd\" is not a web address the browser may open.");
    QTest::qWait(100);
    EXPECT_EQ(programs.runs("my-browser").size(), 1);
}
