// Caller ID from the modem's RING and caller-ID block to the history, "callid.dat"
// and the caller's place in the database.
#include "comms/callermonitor.h"
#include "comms/dialsettings.h"
#include "platform/telephonyline.h"
#include "store/phonesearch.h"
#include "support/fakemodem.h"
#include "support/filebytes.h"
#include "support/storefixture.h"

#include <QCoreApplication>
#include <QSignalSpy>

namespace {

class CallerIdMonitorTest : public StoreFixture
{
protected:
    static void SetUpTestSuite() { ensureCoreApplication(); }
    void SetUp() override
    {
        StoreFixture::SetUp();
        ASSERT_TRUE(modem.isValid());
        const QString path = modem.path();
        monitor = std::make_unique<CallerIdMonitor>(
            [path] { return std::make_unique<TetLine>(nullptr, [path] { return QStringList{path}; }); },
            dir.filePath("callid.dat"));
        settings.DeviceName = path;
    }

    static bool caught(QSignalSpy &spy, int n = 1)
    {
        for (int i = 0; i < 50 && spy.count() < n; ++i)
            spy.wait(100);
        return spy.count() >= n;
    }

    FakeModem modem;
    TDialSettings settings{dir.filePath("registry.ini")};
    std::unique_ptr<CallerIdMonitor> monitor;
};

} // namespace

TEST_F(CallerIdMonitorTest, ACallGoesFromTheModemToTheHistoryFileAndIsFound)
{
    TZEBObject *john = add(ItemKind::Person, "John Public", nullptr);
    add(ItemKind::Phone, "Home", john->Node(), "(212) 555-1234");

    ASSERT_TRUE(monitor->SetCallerId(true, settings));
    ASSERT_TRUE(modem.waitForCommands(1));
    EXPECT_EQ(modem.commands().first(), "AT+VCID=1");
    QSignalSpy arrived(monitor.get(), &CallerIdMonitor::callArrived);
    QSignalSpy ended(monitor.get(), &CallerIdMonitor::callEnded);
    monitor->line().SetRingTimeout(300);

    modem.ring();
    modem.sendCallerId("2125551234", "JOHN Q PUBLIC");
    modem.ring();
    ASSERT_TRUE(caught(arrived));
    EXPECT_EQ(monitor->name(), "John Q Public");
    EXPECT_EQ(monitor->number(), "212-555-1234");
    EXPECT_TRUE(monitor->findEnabled());
    ASSERT_EQ(monitor->history().Count(), 1);
    EXPECT_EQ(monitor->history().Item(0)->Title(), "John Q Public");

    // Written at once, as a phone record.
    const QByteArray file = ReadBytes(dir.filePath("callid.dat"));
    EXPECT_TRUE(file.startsWith("{1 6 }John Q Public~~212-555-1234~~")) << file.constData();

    // "Find": the stored number has other punctuation, the digits match.
    const PhoneHit hit = LocatePhone(nodes, nullptr, monitor->number());
    EXPECT_EQ(hit.node, john->Node());
    ASSERT_TRUE(hit.item);
    EXPECT_EQ(hit.item->Title(), "Home");

    // The rings stop: the labels go back to "None", and one call made one entry.
    ASSERT_TRUE(caught(ended));
    EXPECT_EQ(monitor->name(), "None");
    EXPECT_EQ(monitor->number(), "None");
    EXPECT_FALSE(monitor->findEnabled());
    EXPECT_EQ(arrived.count(), 1);
    EXPECT_EQ(monitor->history().Count(), 1);
}

TEST_F(CallerIdMonitorTest, APrivateCallerIsKeptAsSuch)
{
    ASSERT_TRUE(monitor->SetCallerId(true, settings));
    ASSERT_TRUE(modem.waitForCommands(1));
    QSignalSpy arrived(monitor.get(), &CallerIdMonitor::callArrived);
    modem.ring();
    modem.send("NMBR = P");
    modem.send("NAME = P");
    ASSERT_TRUE(caught(arrived));
    EXPECT_EQ(monitor->number(), "*Private");
    EXPECT_EQ(monitor->history().Item(0)->Value(), "*Private");
    // Nothing to look for: no digits, nothing found.
    add(ItemKind::Phone, "No digits", nullptr, "ask operator");
    EXPECT_FALSE(LocatePhone(nodes, nullptr, monitor->number()).node);
}

TEST_F(CallerIdMonitorTest, TheDialerBorrowsTheLineAndGivesItBack)
{
    EXPECT_FALSE(monitor->Suspend()); // not monitoring: nothing to give back
    ASSERT_TRUE(monitor->SetCallerId(true, settings));
    ASSERT_TRUE(modem.waitForCommands(1));
    const bool wasOn = monitor->Suspend();
    EXPECT_TRUE(wasOn);
    EXPECT_FALSE(monitor->IsActive());
    monitor->Resume(wasOn);
    EXPECT_TRUE(monitor->IsActive());
    ASSERT_TRUE(modem.waitForCommands(2));
    EXPECT_EQ(modem.commands(), (QList<QByteArray>{"AT+VCID=1", "AT+VCID=1"}));
    EXPECT_TRUE(monitor->SetCallerId(false, settings));
    EXPECT_FALSE(monitor->IsActive());
}

TEST_F(CallerIdMonitorTest, AModemThatCannotBeOpenedIsReported)
{
    settings.DeviceName = "/dev/ttyACM9";
    settings.DeviceID = 4;
    QSignalSpy errors(monitor.get(), &CallerIdMonitor::lineError);
    EXPECT_FALSE(monitor->SetCallerId(true, settings));
    EXPECT_FALSE(monitor->IsActive());
    ASSERT_TRUE(caught(errors));
    EXPECT_EQ(errors.first().first().toString(), "LINEERR_BADDEVICEID");
}

TEST_F(CallerIdMonitorTest, DraggedCallsBecomePhonesWhereTheyAreDropped)
{
    TCallerHistory &history = monitor->history();
    history.Add("Pizza Place", "217-555-0177", QDateTime::currentDateTime());
    history.Add("Kim", "217-555-0100", QDateTime::currentDateTime());
    std::unique_ptr<QMimeData> rows(history.mimeData({history.index(1, 0), history.index(1, 2)}));
    EXPECT_TRUE(rows->hasFormat(TCallerRows::Format));
    EXPECT_EQ(rows->text(), "Pizza Place\t217-555-0177\n");
    history.Add("Later", "1", QDateTime::currentDateTime()); // a call during the drag

    TZEBObject *folder = add(ItemKind::Folder, "Food", nullptr);
    EXPECT_EQ(DropCallerRows(rows.get(), folder->Node()), 1);
    ASSERT_EQ(folder->ChildCount(), 1);
    TZEBObject *phone = folder->ChildAt(0);
    EXPECT_EQ(phone->Kind(), ItemKind::Phone);
    EXPECT_EQ(phone->Title(), "Pizza Place");
    EXPECT_EQ(phone->Value(), "217-555-0177");
    EXPECT_EQ(phone->Comment(), "");
    EXPECT_EQ(phone->Node(), folder->Node());
    EXPECT_EQ(history.Count(), 2);
    EXPECT_EQ(history.RowOf(phone), -1);
    // Dropped again: the row is gone, nothing moves.
    EXPECT_EQ(DropCallerRows(rows.get(), folder->Node()), 0);

    // Not into a remote folder's contents.
    std::unique_ptr<QMimeData> more(history.mimeData({history.index(0, 0)}));
    TZEBObject *remote = add(ItemKind::Folder, "Shared", nullptr, "/nowhere/shared.mbd");
    EXPECT_THROW(DropCallerRows(more.get(), remote->Node()), ERemoteParent);
    EXPECT_EQ(history.Count(), 2);
    // Anything else dropped is no call.
    QMimeData plain;
    plain.setText("Pizza Place");
    EXPECT_EQ(DropCallerRows(&plain, folder->Node()), 0);
}

TEST_F(CallerIdMonitorTest, EveryChangeOfTheHistoryIsWritten)
{
    const QString file = dir.filePath("callid.dat");
    TCallerHistory &history = monitor->history();
    history.Add("Ann", "1", QDateTime::currentDateTime());
    history.Add("Bob", "2", QDateTime::currentDateTime());
    EXPECT_EQ(ReadBytes(file).count("{1 6 }"), 2);
    history.setData(history.index(1, 0), "Annie");
    EXPECT_TRUE(ReadBytes(file).contains("Annie~~1~~"));
    history.Remove({0});
    EXPECT_EQ(ReadBytes(file).count("{1 6 }"), 1);
}

TEST_F(CallerIdMonitorTest, ModemsAreLookedForOnlyOnceCallerIdIsWanted)
{
    int made = 0;
    const QString path = modem.path();
    CallerIdMonitor lazy(
        [&made, path] {
            ++made;
            return std::make_unique<TetLine>(nullptr, [path] { return QStringList{path}; });
        },
        dir.filePath("other.dat"));
    EXPECT_TRUE(lazy.SetCallerId(false, settings));
    EXPECT_FALSE(lazy.Suspend());
    lazy.Resume(false);
    EXPECT_EQ(made, 0);
    ASSERT_TRUE(lazy.SetCallerId(true, settings));
    ASSERT_TRUE(lazy.SetCallerId(true, settings));
    EXPECT_EQ(made, 1);
}
