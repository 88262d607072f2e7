// The modem line driven against a fake modem on a pseudo-terminal.
#include "platform/telephonyerrors.h"
#include "platform/telephonyline.h"
#include "support/fakemodem.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <gtest/gtest.h>
#include <memory>

namespace {

class TelephonyLine : public ::testing::Test
{
protected:
    // Before the fixture's modem is made: its notifier needs the application.
    static void SetUpTestSuite() { ensureCoreApplication(); }
    void SetUp() override { ASSERT_TRUE(modem.isValid()); }

    std::unique_ptr<TetLine> makeLine()
    {
        const QString path = modem.path();
        return std::make_unique<TetLine>(nullptr, [path] { return QStringList{path}; });
    }

    // Opens the line and lets caller ID be switched on.
    std::unique_ptr<TetLine> openLine(int commands = 1)
    {
        auto line = makeLine();
        EXPECT_TRUE(line->SetActive(true)) << line->Error().Text.toStdString();
        EXPECT_TRUE(modem.waitForCommands(commands));
        settle();
        return line;
    }

    // True once spy has seen n signals, counting those already caught.
    static bool caught(QSignalSpy &spy, int n = 1)
    {
        for (int i = 0; i < 50 && spy.count() < n; ++i)
            spy.wait(100);
        return spy.count() >= n;
    }

    static void settle()
    {
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }

    FakeModem modem;
};

} // namespace

TEST_F(TelephonyLine, ListsDevicesAndRefusesABadId)
{
    auto line = makeLine();
    EXPECT_EQ(line->Device().Count, 1);
    EXPECT_EQ(line->Device().List, QStringList{modem.path()});
    EXPECT_EQ(line->Device().Name, modem.path());
    EXPECT_EQ(line->IndexOfDevice(modem.path()), 0);
    QSignalSpy errors(line.get(), &TetLine::OnError);
    EXPECT_FALSE(line->SetDeviceID(1));
    EXPECT_EQ(line->Error().Text, "LINEERR_BADDEVICEID");
    EXPECT_EQ(line->Error().Hex, "80000002");
    EXPECT_EQ(line->Device().ID, 0);
    EXPECT_TRUE(caught(errors));
}

TEST_F(TelephonyLine, DialsAVoiceCallAndHangsUp)
{
    auto line = openLine();
    QSignalSpy idle(line.get(), &TetLine::OnIdle);
    QSignalSpy errors(line.get(), &TetLine::OnError);
    line->SetPhoneNumber(" 0 18005550100 $1234");
    ASSERT_TRUE(line->Dial());
    ASSERT_TRUE(modem.waitForCommands(2));
    settle();
    EXPECT_EQ(line->State(), TetLine::CallState::Connected);
    ASSERT_TRUE(line->Hangup());
    ASSERT_TRUE(modem.waitForCommands(3));
    EXPECT_TRUE(caught(idle));
    EXPECT_EQ(modem.commands(), QList<QByteArray>({"AT+VCID=1", "ATDT018005550100W1234;", "ATH"}));
    EXPECT_FALSE(line->HasCall());
    settle();
    EXPECT_EQ(idle.count(), 1);
    EXPECT_EQ(errors.count(), 0);
    // A second hang-up has no call to drop.
    EXPECT_TRUE(line->Hangup());
    settle();
    EXPECT_EQ(modem.commands().size(), 3);
}

TEST_F(TelephonyLine, RedialWaitsForTheDroppedCallToGoIdle)
{
    auto line = openLine();
    QSignalSpy idle(line.get(), &TetLine::OnIdle);
    line->SetPhoneNumber("5551234");
    ASSERT_TRUE(line->Dial());
    ASSERT_TRUE(line->Hangup());
    EXPECT_FALSE(line->Dial());
    EXPECT_EQ(line->Error().Text, "LINEERR_INVALCALLSTATE");
    ASSERT_TRUE(caught(idle));
    ASSERT_TRUE(line->Dial());
    ASSERT_TRUE(modem.waitForCommands(4));
    settle();
    EXPECT_EQ(modem.commands(), QList<QByteArray>({"AT+VCID=1", "ATDT5551234;", "ATH", "ATDT5551234;"}));
    EXPECT_EQ(line->State(), TetLine::CallState::Connected);
    EXPECT_EQ(idle.count(), 1);
}

TEST_F(TelephonyLine, EmptyNumberDoesNothing)
{
    auto line = openLine();
    line->SetPhoneNumber("");
    EXPECT_TRUE(line->Dial());
    settle();
    EXPECT_EQ(modem.commands().size(), 1);
    EXPECT_FALSE(line->HasCall());
}

TEST_F(TelephonyLine, HostileNumbersNeverReachTheModem)
{
    auto line = openLine();
    QSignalSpy errors(line.get(), &TetLine::OnError);
    for (const char *number : {"5551234\rATZ", "555;ATH", "5551234\r\nAT&F", "dial me"}) {
        line->SetPhoneNumber(QString::fromLatin1(number));
        EXPECT_FALSE(line->Dial());
        EXPECT_EQ(line->Error().Text, "LINEERR_INVALADDRESS");
    }
    settle();
    EXPECT_EQ(modem.commands(), QList<QByteArray>({"AT+VCID=1"}));
    EXPECT_EQ(errors.count(), 4);
    EXPECT_FALSE(line->HasCall());
}

TEST_F(TelephonyLine, FailedCallsAreErrorsThenIdleOnce)
{
    for (const char *reply : {"BUSY", "NO DIALTONE", "NO CARRIER", "ERROR"}) {
        FakeModem busy;
        busy.script("ATDT5551234;", {reply});
        const QString path = busy.path();
        TetLine line(nullptr, [path] { return QStringList{path}; });
        QSignalSpy errors(&line, &TetLine::OnError);
        QSignalSpy idle(&line, &TetLine::OnIdle);
        ASSERT_TRUE(line.SetActive(true));
        line.SetPhoneNumber("5551234");
        ASSERT_TRUE(line.Dial()); // the reply comes later
        ASSERT_TRUE(busy.waitForCommands(2));
        EXPECT_TRUE(caught(idle)) << reply;
        // The modem's closing words after the failure do not end the call twice.
        busy.send("NO CARRIER");
        settle();
        EXPECT_EQ(errors.count(), 1) << reply;
        EXPECT_EQ(idle.count(), 1) << reply;
        EXPECT_EQ(line.Error().Text, reply);
        EXPECT_FALSE(line.HasCall());
    }
}

TEST_F(TelephonyLine, CallerIdFallsBackToTheOlderCommand)
{
    modem.script("AT+VCID=1", {"ERROR"});
    auto line = openLine(2);
    EXPECT_EQ(modem.commands(), QList<QByteArray>({"AT+VCID=1", "AT#CID=1"}));
    EXPECT_EQ(line->Error().Number, 0);

    // A modem that knows neither still dials; the line says it is not fully capable.
    FakeModem plain;
    plain.script("AT+VCID=1", {"ERROR"});
    plain.script("AT#CID=1", {"ERROR"});
    const QString path = plain.path();
    TetLine other(nullptr, [path] { return QStringList{path}; });
    QSignalSpy errors(&other, &TetLine::OnError);
    ASSERT_TRUE(other.SetActive(true));
    ASSERT_TRUE(plain.waitForCommands(2));
    EXPECT_TRUE(caught(errors));
    EXPECT_EQ(other.Error().Number, LineError::NotCompliant);
    EXPECT_TRUE(other.Device().Active);
}

TEST_F(TelephonyLine, RingsAndOneCallerIdPerCall)
{
    auto line = openLine();
    line->SetRingTimeout(300);
    QList<int> rings;
    QList<QString> callers;
    QObject::connect(line.get(), &TetLine::OnRing, [&](int count) { rings.append(count); });
    QObject::connect(line.get(), &TetLine::OnCallerID,
            [&] { callers.append(line->CallerID().Name + " / " + line->CallerID().Number); });
    QSignalSpy idle(line.get(), &TetLine::OnIdle);

    modem.ring();
    modem.sendCallerId("2125551234", "JOHN Q PUBLIC");
    modem.ring();
    modem.sendCallerId("9999999999", "SOMEONE ELSE"); // repeated: still one event
    modem.ring();
    EXPECT_TRUE(caught(idle)); // the rings stopped
    EXPECT_EQ(rings, QList<int>({1, 2, 3}));
    EXPECT_EQ(callers, QList<QString>({"John Q Public / 212-555-1234"}));
    EXPECT_EQ(idle.count(), 1);

    // The next call starts afresh; a block without a name closes at the next ring.
    modem.sendCallerId("P", "P");
    modem.ring();
    EXPECT_TRUE(caught(idle, 2));
    EXPECT_EQ(callers.size(), 2);
    EXPECT_EQ(callers.last(), " / *Private");
    EXPECT_TRUE(line->CallerID().Blocked);

    modem.ring();
    modem.send("NMBR = 5551234");
    modem.ring();
    EXPECT_TRUE(caught(idle, 3));
    EXPECT_EQ(callers.last(), " / 5551234");
}

TEST_F(TelephonyLine, EchoIsTolerated)
{
    modem.setEcho(true);
    auto line = openLine();
    QSignalSpy errors(line.get(), &TetLine::OnError);
    line->SetPhoneNumber("5551234");
    ASSERT_TRUE(line->Dial());
    ASSERT_TRUE(modem.waitForCommands(2));
    settle();
    EXPECT_EQ(line->State(), TetLine::CallState::Connected);
    EXPECT_EQ(errors.count(), 0);
}

TEST_F(TelephonyLine, AnswersAnOfferedCall)
{
    auto line = openLine();
    EXPECT_FALSE(line->Answer()); // nothing rings
    EXPECT_EQ(line->Error().Text, "LINEERR_INVALCALLHANDLE");
    modem.ring();
    QSignalSpy rang(line.get(), &TetLine::OnRing);
    ASSERT_TRUE(caught(rang));
    ASSERT_TRUE(line->Answer());
    ASSERT_TRUE(modem.waitForCommands(2));
    settle();
    EXPECT_EQ(modem.commands().last(), "ATA");
    EXPECT_EQ(line->State(), TetLine::CallState::Connected);
}

TEST_F(TelephonyLine, PortIsHeldExclusively)
{
    auto line = openLine();
    auto second = makeLine();
    QSignalSpy errors(second.get(), &TetLine::OnError);
    EXPECT_FALSE(second->SetActive(true));
    EXPECT_EQ(second->Error().Text, "LINEERR_INUSE");
    EXPECT_FALSE(second->Device().Active);
    EXPECT_TRUE(caught(errors));
    // Closing releases it.
    EXPECT_TRUE(line->SetActive(false));
    EXPECT_TRUE(second->SetActive(true));
}

TEST_F(TelephonyLine, AnUnpluggedModemEndsTheCallWithADeviceError)
{
    auto line = openLine();
    QSignalSpy errors(line.get(), &TetLine::OnError);
    QSignalSpy idle(line.get(), &TetLine::OnIdle);
    line->SetPhoneNumber("5551234");
    ASSERT_TRUE(line->Dial());
    ASSERT_TRUE(modem.waitForCommands(2));
    modem.unplug();
    ASSERT_TRUE(caught(idle));
    EXPECT_EQ(errors.count(), 1);
    EXPECT_EQ(line->Error().Text, "LINE_ERROR_DEVICE");
    EXPECT_FALSE(line->Device().Active);
    EXPECT_FALSE(line->HasCall());
}

TEST_F(TelephonyLine, AModemThatNeverAnswersIsAnError)
{
    modem.script("ATDT5551234;", {});
    auto line = openLine();
    line->SetReplyTimeout(0);
    QSignalSpy errors(line.get(), &TetLine::OnError);
    QSignalSpy idle(line.get(), &TetLine::OnIdle);
    line->SetPhoneNumber("5551234");
    ASSERT_TRUE(line->Dial());
    ASSERT_TRUE(caught(idle));
    EXPECT_EQ(errors.count(), 1);
    EXPECT_EQ(line->Error().Text, "NO REPLY");
    // The line still works afterwards.
    line->SetReplyTimeout(30000);
    line->SetPhoneNumber("5550000");
    ASSERT_TRUE(line->Dial());
    ASSERT_TRUE(modem.waitForCommands(3));
    settle();
    EXPECT_EQ(line->State(), TetLine::CallState::Connected);
}

TEST_F(TelephonyLine, MissingDeviceIsADeviceError)
{
    TetLine line(nullptr, [] { return QStringList{"/nonexistent/ttyACM9"}; });
    EXPECT_FALSE(line.SetActive(true));
    EXPECT_EQ(line.Error().Text, "LINE_ERROR_DEVICE");
    EXPECT_FALSE(line.Device().Active);
}

TEST_F(TelephonyLine, EventsWaitForTheEventLoopAndDieWithTheLine)
{
    auto line = openLine();
    int delivered = 0;
    QObject receiver;
    QObject::connect(line.get(), &TetLine::OnError, &receiver, [&] { ++delivered; });
    line->SetPhoneNumber("555;ATZ");
    EXPECT_FALSE(line->Dial());
    // Not from inside Dial: the caller's own state is settled before any handler runs.
    EXPECT_EQ(delivered, 0);
    settle();
    EXPECT_EQ(delivered, 1);

    // An owner that goes away before the loop runs takes its pending events along.
    EXPECT_FALSE(line->Dial());
    line.reset();
    settle();
    EXPECT_EQ(delivered, 1);
}
