// The dialer's work against a fake modem: what reaches the modem, what the user sees.
#include "comms/dialersession.h"
#include "platform/telephonyline.h"
#include "support/fakemodem.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class Dialer : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { ensureCoreApplication(); }
    void SetUp() override
    {
        ASSERT_TRUE(modem.isValid());
        settings.AreaCode = "212";
        settings.LocalPrefix = "9";
        settings.LongPrefix = "8";
        settings.DeviceName = modem.path();
    }

    std::unique_ptr<DialerSession> makeSession()
    {
        const QString path = modem.path();
        auto line = std::make_unique<TetLine>(nullptr, [path] { return QStringList{"/dev/none", path}; });
        auto session = std::make_unique<DialerSession>(settings, std::move(line));
        errors = std::make_unique<QSignalSpy>(session.get(), &DialerSession::errorRaised);
        return session;
    }

    static void settle()
    {
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    // The commands after the caller-ID switch that opening the line sends.
    QList<QByteArray> sent() const { return modem.commands().mid(1); }

    QTemporaryDir dir;
    TDialSettings settings{dir.filePath("registry.ini")};
    FakeModem modem;
    std::unique_ptr<QSignalSpy> errors;
};

} // namespace

TEST_F(Dialer, DialsTheComposedNumberOnTheChosenModem)
{
    auto session = makeSession();
    session->Start("(212) 555-1234");
    ASSERT_TRUE(modem.waitForCommands(2));
    // The area code is dropped, the blanks never reach the modem.
    EXPECT_EQ(sent(), QList<QByteArray>{"ATDT95551234;"});
    EXPECT_EQ(session->status(), "Dial 9  5551234");
    EXPECT_EQ(session->keptNumber(), " 5551234");
    EXPECT_TRUE(session->offersLongDistance());
    EXPECT_EQ(session->line().Device().ID, 1);
    settle();
    EXPECT_EQ(errors->count(), 0);
}

TEST_F(Dialer, TalkDropsTheModemAndHangupDoesNotDropTwice)
{
    auto session = makeSession();
    QSignalSpy talk(session.get(), &DialerSession::talkEnabledChanged);
    session->Start("18005550100");
    ASSERT_TRUE(modem.waitForCommands(2));
    settle();
    session->Talk();
    EXPECT_FALSE(session->talkEnabled());
    ASSERT_TRUE(modem.waitForCommands(3));
    EXPECT_EQ(modem.commands().last(), "ATH");
    session->Hangup();
    EXPECT_TRUE(session->talkEnabled());
    EXPECT_EQ(talk.count(), 2);
    session->Close();
    settle();
    // The call went idle with the first ATH; neither Hangup nor Close sends another.
    EXPECT_EQ(sent(), (QList<QByteArray>{"ATDT818005550100;", "ATH"}));
}

TEST_F(Dialer, ClosingWhileTheModemStillDialsDropsTheCall)
{
    modem.scriptDial({}); // no reply yet: the modem is still dialing
    auto session = makeSession();
    session->Start("5551234");
    ASSERT_TRUE(modem.waitForCommands(2));
    session->Hangup(); // queued behind the dial's reply
    session.reset();
    ASSERT_TRUE(modem.waitForCommands(3));
    EXPECT_EQ(modem.commands().last(), "ATH");
}

TEST_F(Dialer, RedialAsLongDistanceWaitsForTheOldCall)
{
    auto session = makeSession();
    session->Start("555-1234");
    ASSERT_TRUE(modem.waitForCommands(2));
    settle();
    session->SetLongDistance(true);
    session->Redial();
    ASSERT_TRUE(modem.waitForCommands(4));
    settle();
    EXPECT_EQ(sent(), (QList<QByteArray>{"ATDT95551234;", "ATH", "ATDT82125551234;"}));
    EXPECT_EQ(session->status(), "Dial 8 2125551234");
    EXPECT_EQ(errors->count(), 0);
}

TEST_F(Dialer, RedialGivesUpWaitingForAModemThatNeverDrops)
{
    modem.script("ATH", {}); // the drop is never answered
    auto session = makeSession();
    session->SetRedialWait(50);
    session->Start("5551234");
    ASSERT_TRUE(modem.waitForCommands(2));
    settle();
    session->Redial();
    for (int i = 0; i < 50 && errors->isEmpty(); ++i)
        errors->wait(100);
    // No second dial over a call still being dropped: the user is told instead.
    ASSERT_EQ(errors->count(), 1);
    EXPECT_TRUE(errors->first().first().toString().contains("LINEERR_INVALCALLSTATE"));
    EXPECT_EQ(sent(), (QList<QByteArray>{"ATDT95551234;", "ATH"}));
}

TEST_F(Dialer, AFailedCallIsAnErrorTheUserSees)
{
    for (const char *reply : {"BUSY", "NO DIALTONE", "NO CARRIER", "ERROR"}) {
        modem.scriptDial({reply});
        auto session = makeSession();
        session->Start("5551234");
        for (int i = 0; i < 50 && errors->isEmpty(); ++i)
            errors->wait(100);
        ASSERT_EQ(errors->count(), 1) << reply;
        EXPECT_EQ(errors->first().first().toString(),
                  QStringLiteral("An error occurred while attempting to dial: %1. Please verify your dialer "
                                 "settings by selecting the View...Options menu item.")
                      .arg(QLatin1String(reply)));
        settle();
        EXPECT_EQ(session->status(), ""); // idle empties the status bar
    }
}

TEST_F(Dialer, AHostileNumberNeverReachesTheModem)
{
    auto session = makeSession();
    session->Start("555-1234;ATZ");
    for (int i = 0; i < 50 && errors->isEmpty(); ++i)
        errors->wait(100);
    ASSERT_EQ(errors->count(), 1);
    EXPECT_TRUE(errors->first().first().toString().contains("LINEERR_INVALADDRESS"));
    settle();
    EXPECT_TRUE(sent().isEmpty());
}

TEST_F(Dialer, AModemThatIsGoneIsReported)
{
    settings.DeviceName = "/dev/ttyACM9";
    settings.DeviceID = 7;
    auto session = makeSession();
    session->Start("5551234");
    for (int i = 0; i < 50 && errors->isEmpty(); ++i)
        errors->wait(100);
    ASSERT_EQ(errors->count(), 1);
    EXPECT_TRUE(errors->first().first().toString().contains("LINEERR_BADDEVICEID"));
    EXPECT_TRUE(modem.commands().isEmpty());
}

TEST(DialerText, DurationReadsHoursMinutesSeconds)
{
    EXPECT_EQ(DialerSession::FormatDuration(0), "0:00:00");
    EXPECT_EQ(DialerSession::FormatDuration(3725), "1:02:05");
    EXPECT_EQ(DialerSession::FormatDuration(36000 + 59), "10:00:59");
}
