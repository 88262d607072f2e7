#include "platform/instancelock.h"
#include "ui/singlecopy.h"

#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <cstring>
#include <future>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

class SingleCopyTest : public ::testing::Test
{
protected:
    // Makes this the running copy of home.
    void startFirst()
    {
        first = std::make_unique<TPBJustOne>(home.path(), CommandLine::Request{"/", {"mirabook"}});
        ASSERT_EQ(first->outcome(), TPBJustOne::Outcome::OnlyCopy) << first->errorString().toStdString();
    }
    // A later start, run on its own thread: it blocks until the running copy answers,
    // and the running copy answers from this thread's event loop.
    TPBJustOne::Outcome startLater(const CommandLine::Request &request)
    {
        auto later = std::async(std::launch::async, [&] { return TPBJustOne(home.path(), request).outcome(); });
        EXPECT_TRUE(QTest::qWaitFor([&] { return later.wait_for(std::chrono::seconds(0)) == std::future_status::ready; },
                                    20000));
        return later.get();
    }

    QTemporaryDir home;
    std::unique_ptr<TPBJustOne> first;
};

} // namespace

TEST_F(SingleCopyTest, LaterStartHandsItsCommandLineToTheRunningCopy)
{
    startFirst();
    QSignalSpy received(first.get(), &TPBJustOne::commandLineReceived);
    const CommandLine::Request request{"/home/kim", {"/usr/bin/mirabook", "My Files/list.mbd", "HIDEWIN"}};
    EXPECT_EQ(startLater(request), TPBJustOne::Outcome::HandedOver);
    ASSERT_EQ(received.count(), 1);
    const auto got = received.at(0).at(0).value<CommandLine::Request>();
    EXPECT_EQ(got.workingDir, request.workingDir);
    EXPECT_EQ(got.arguments, request.arguments);

    // Every later start is heard, not only the first.
    EXPECT_EQ(startLater({"/tmp", {"mirabook"}}), TPBJustOne::Outcome::HandedOver);
    EXPECT_EQ(received.count(), 2);

    // Another data directory has its own copy.
    QTemporaryDir other;
    EXPECT_EQ(TPBJustOne(other.path(), {"/", {"mirabook"}}).outcome(), TPBJustOne::Outcome::OnlyCopy);
}

TEST_F(SingleCopyTest, CommandLineThatComesBeforeAnyoneListensIsKeptForThem)
{
    // At start-up a message box runs the event loop before the window is connected.
    startFirst();
    EXPECT_EQ(startLater({"/tmp", {"mirabook", "early.mbd"}}), TPBJustOne::Outcome::HandedOver);
    QSignalSpy received(first.get(), &TPBJustOne::commandLineReceived);
    EXPECT_TRUE(QTest::qWaitFor([&] { return received.count() > 0; }, 5000));
    ASSERT_EQ(received.count(), 1);
    EXPECT_EQ(received.at(0).at(0).value<CommandLine::Request>().arguments.value(1), "early.mbd");
}

TEST_F(SingleCopyTest, SocketLeftByACopyThatDiedIsTakenOver)
{
    const QString name = instanceServerName(home.path());
    // A copy that was killed leaves its socket file behind, with nobody listening.
    const QByteArray path = QFile::encodeName(QDir::temp().filePath(name));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    ASSERT_LT(size_t(path.size()), sizeof(address.sun_path));
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof(address)), 0);
    ::close(fd);
    ASSERT_TRUE(QFile::exists(QFile::decodeName(path)));
    startFirst();
}

TEST_F(SingleCopyTest, LockHeldWithoutAListenerIsWaitedForThenRefused)
{
    // The command-line tool holds the lock while it works on the database.
    InstanceLock tool(home.path());
    ASSERT_TRUE(tool.tryLock());
    TPBJustOne blocked(home.path(), {"/", {"mirabook"}}, 300);
    EXPECT_EQ(blocked.outcome(), TPBJustOne::Outcome::Failed);
    EXPECT_FALSE(blocked.errorString().isEmpty());
    tool.unlock();
    TPBJustOne after(home.path(), {"/", {"mirabook"}}, 300);
    EXPECT_EQ(after.outcome(), TPBJustOne::Outcome::OnlyCopy);
}

TEST_F(SingleCopyTest, LockThatCannotBeMadeIsSaidAsItIs)
{
    // Not another copy: waiting would not help, and "already running" would mislead.
    ASSERT_TRUE(QDir(home.path()).mkdir("mirabook.lock"));
    TPBJustOne blocked(home.path(), {"/", {"mirabook"}}, 300);
    EXPECT_EQ(blocked.outcome(), TPBJustOne::Outcome::Failed);
    EXPECT_TRUE(blocked.errorString().contains("is a directory")) << blocked.errorString().toStdString();
}

TEST_F(SingleCopyTest, ForeignClientsDoNotDisturbTheRunningCopy)
{
    startFirst();
    QSignalSpy received(first.get(), &TPBJustOne::commandLineReceived);
    // A stranger's bytes are dropped with its connection.
    QLocalSocket stranger;
    stranger.connectToServer(first->serverName());
    ASSERT_TRUE(stranger.waitForConnected(2000));
    stranger.write(QByteArray("\xff\xff\xff\xffGET / HTTP/1.0\r\n\r\n"));
    stranger.flush();
    EXPECT_TRUE(QTest::qWaitFor([&] { return stranger.state() == QLocalSocket::UnconnectedState; }, 5000));

    // A half message followed by a disconnect gives nothing; a real start still works.
    QLocalSocket half;
    half.connectToServer(first->serverName());
    ASSERT_TRUE(half.waitForConnected(2000));
    half.write(CommandLine::Encode({"/", {"mirabook", "x.mbd"}}).left(10));
    half.flush();
    half.disconnectFromServer();
    EXPECT_EQ(startLater({"/", {"mirabook", "y.mbd"}}), TPBJustOne::Outcome::HandedOver);
    ASSERT_EQ(received.count(), 1);
    EXPECT_EQ(received.at(0).at(0).value<CommandLine::Request>().arguments.value(1), "y.mbd");
}
