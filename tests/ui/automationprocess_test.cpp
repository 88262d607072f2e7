// The desktop program driven through the bus as other programs drive it: started by the
// bus itself from an activation file, called by clients in this process, by gdbus and by
// the example script, then ended with SIGTERM.
#ifdef MIRABOOK_BIN

#include "platform/instancelock.h"
#include "store/recordfile.h"
#include "support/filebytes.h"
#include "support/privatebus.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QFileInfo>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>

namespace {

class AutomationProcessTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(home.isValid() && services.isValid());
        WriteBytes(QDir(services.path()).filePath("MiRa.Application.service"),
                   "[D-BUS Service]\nName=MiRa.Application\nExec=" MIRABOOK_BIN " HIDEWIN\n");
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("MIRABOOK_HOME", home.path());
        env.insert("QT_QPA_PLATFORM", "offscreen");
        bus = std::make_unique<PrivateBus>(services.path(), env);
        ASSERT_FALSE(bus->address().isEmpty()) << bus->errorString().toStdString();
        scriptEnv = env;
        scriptEnv.insert("DBUS_SESSION_BUS_ADDRESS", bus->address());
    }
    void TearDown() override
    {
        if (HasFailure() && bus)
            std::fprintf(stderr, "--- the bus and the program said:\n%s\n", bus->log().constData());
        if (pid > 0 && InstanceLock::holderPid(home.path()) == pid)
            ::kill(pid_t(pid), SIGKILL);
        clients.clear();
        bus.reset();
    }

    AutomationClient &client(const QString &name)
    {
        clients.push_back(std::make_unique<AutomationClient>(bus->address(), name));
        return *clients.back();
    }

    QTemporaryDir home, services;
    std::unique_ptr<PrivateBus> bus;
    QProcessEnvironment scriptEnv;
    std::vector<std::unique_ptr<AutomationClient>> clients;
    qint64 pid = 0;
};

TEST_F(AutomationProcessTest, ClientsDriveTheRunningProgramAndItsDatabaseKeepsTheirWork)
{
    AutomationClient &first = client("first");
    // The first call starts the program through the activation file.
    ASSERT_EQ(first.value("ItemCount").toInt(), 1);
    pid = first.connection().interface()->servicePid("MiRa.Application").value();
    ASSERT_GT(pid, 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return InstanceLock::holderPid(home.path()) == pid; }, 20000));

    // Another process: gdbus inserts a person at the root (each gdbus call starts there).
    const ClientRun gdbus = RunWhileServing(
        "gdbus", {"call", "--address", bus->address(), "--dest", "MiRa.Application", "--object-path", "/MiRa/Application",
                  "--method", "MiRa.Application.Insert", "3", "Ann Smith", "Ann Smith", "",
                  "{Pers}~~Ann~~~~Smith~~~~Mobile~~~~~~~~0"});
    ASSERT_EQ(gdbus.code, 0) << gdbus.err.constData();

    ASSERT_TRUE(first.value("Items", {1}).toBool());
    EXPECT_EQ(first.value("miraTitle").toString(), "Ann Smith");
    first.value("Insert", {6, "Mobile", "555-0142", "", "{Phon}~~0"});
    EXPECT_EQ(first.value("miraField", {"Phone Number"}).toString(), "\"555-0142\",");
    // No address yet: one is made as an import makes it, which needs its first line.
    EXPECT_EQ(first.errorOf("set_miraField", {"City", "Springfield"}), "org.freedesktop.DBus.Error.InvalidArgs");
    first.value("set_miraField", {"Address Line 1", "1 Elm St"});
    first.value("set_miraField", {"City", "Springfield"});
    EXPECT_EQ(first.value("miraField", {"Address Line 1"}).toString(), "\"1 Elm St\",");

    AutomationClient &second = client("second");
    EXPECT_EQ(second.value("miraClass").toInt(), 11);
    EXPECT_EQ(second.errorOf("set_miraTitle", {"Everyone"}), "MiRa.Application.Error.ReadOnly");
    EXPECT_EQ(second.errorOf("Insert", {42, "x", "", "", ""}), "org.freedesktop.DBus.Error.InvalidArgs");

    {
        AutomationClient &leaving = client("leaving");
        ASSERT_TRUE(leaving.value("Items", {1}).toBool());
        ASSERT_TRUE(leaving.value("Child", {0}).toBool());
        leaving.leave();
    }
    EXPECT_EQ(first.value("ChildCount").toInt(), 2); // the phone and the address
    EXPECT_EQ(first.value("miraTitle").toString(), "Ann Smith");

    // The system's Python, which has the dbus module of python3-dbus.
    const QString python = QFileInfo::exists("/usr/bin/python3") ? "/usr/bin/python3" : "python3";
    const ClientRun script = RunWhileServing(python, {MIRABOOK_SOURCE_DIR "/docs/automation/list-phones.py"}, scriptEnv);
    EXPECT_EQ(script.code, 0) << script.err.constData();
    EXPECT_EQ(script.out, "Ann Smith\t555-0142\n");

    ::kill(pid_t(pid), SIGTERM);
    EXPECT_TRUE(QTest::qWaitFor([&] { return InstanceLock::holderPid(home.path()) != pid; }, 20000));
    const QByteArray saved = ReadBytes(QDir(home.path()).filePath(RecordFile::DatabaseName));
    EXPECT_TRUE(saved.contains("Ann Smith~~Ann Smith~~")) << saved.constData();
    EXPECT_TRUE(saved.contains("Mobile~~555-0142~~")) << saved.constData();
    EXPECT_TRUE(saved.contains("Springfield")) << saved.constData();
}

} // namespace

#endif
