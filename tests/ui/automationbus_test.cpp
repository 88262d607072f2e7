// The automation object on a bus of the test's own, called by clients in this process and
// by gdbus and busctl in others.
#include "exchange/automationbus.h"
#include "exchange/automationclients.h"
#include "support/fakeautomationhost.h"
#include "support/privatebus.h"
#include "support/storefixture.h"

#include <QDBusConnection>
#include <QDBusPendingCall>
#include <QStandardPaths>
#include <QTest>

namespace {

// Dialing holds its window open until the user closes it: onDial runs meanwhile.
class DialingServices : public FakeServices
{
public:
    std::function<void()> onDial;
    void Dial(const QString &recipient, const QString &number) override
    {
        FakeServices::Dial(recipient, number);
        if (onDial)
            onDial();
    }
};

class AutomationBusTest : public StoreFixture
{
protected:
    void SetUp() override
    {
        StoreFixture::SetUp();
        ASSERT_FALSE(bus.address().isEmpty()) << bus.errorString().toStdString();
        friends = add(ItemKind::Folder, "Friends", root)->Node();
        add(ItemKind::Person, "Kim Lee", friends, "Kim Lee", "{Pers}~~Kim~~~~Lee~~~~~~~~~~~~0");
        host.nodes = &nodes;
        server = std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(bus.address(), "server"));
        adaptor = std::make_unique<AutomationBus>(clients);
        ASSERT_TRUE(adaptor->Register(*server)) << adaptor->errorString().toStdString();
    }
    void TearDown() override
    {
        adaptor.reset();
        QDBusConnection::disconnectFromBus("server");
        StoreFixture::TearDown();
    }

    std::unique_ptr<AutomationClient> client(const char *name)
    {
        return std::make_unique<AutomationClient>(bus.address(), name);
    }
    QStringList gdbus(const QStringList &arguments)
    {
        const ClientRun run = RunWhileServing("gdbus", QStringList{"call", "--address", bus.address(), "--dest",
                                                                   "MiRa.Application", "--object-path",
                                                                   "/MiRa/Application", "--method"} + arguments);
        return {QString::number(run.code), QString::fromUtf8(run.out).trimmed(), QString::fromUtf8(run.err).trimmed()};
    }

    PrivateBus bus;
    FakeAutomationHost host;
    AutomationClients clients{nodes, host};
    std::unique_ptr<QDBusConnection> server;
    std::unique_ptr<AutomationBus> adaptor;
    TTreeNode *friends = nullptr;
};

TEST_F(AutomationBusTest, EachConnectionHasItsOwnCursor)
{
    auto c1 = client("c1");
    auto c2 = client("c2");
    EXPECT_EQ(c1->value("Items", {1}).toBool(), true);
    EXPECT_EQ(c1->value("miraTitle").toString(), "Friends");
    EXPECT_EQ(c2->value("miraTitle").toString(), "My Contacts");
    EXPECT_EQ(c2->value("miraClass").toInt(), 11);
    EXPECT_EQ(clients.ClientCount(), 2);

    // Inserted by one, read back by the other.
    c1->call("Insert", {6, "Desk", "555-0100", "", "{Phon}12~~0"});
    EXPECT_EQ(c2->value("ItemWithId", {friends->Item()->ChildAt(0)->Id()}).toBool(), true);
    EXPECT_EQ(c2->value("miraField", {"Extension"}).toString(), "\"12\",");
    c2->call("set_miraField", {"Phone Number", "555-0199"});
    EXPECT_EQ(c1->value("Child", {1}).toBool(), true);
    EXPECT_EQ(c1->value("miraTarget").toString(), "555-0199");
}

TEST_F(AutomationBusTest, FailuresReachTheCallerAsNamedErrors)
{
    auto c1 = client("c1");
    EXPECT_EQ(c1->errorOf("Insert", {11, "Root", "", "", ""}), "org.freedesktop.DBus.Error.InvalidArgs");
    EXPECT_EQ(c1->errorOf("set_miraTitle", {"Everyone"}), "MiRa.Application.Error.ReadOnly");
    ASSERT_TRUE(c1->value("Items", {2}).toBool()); // Kim Lee
    EXPECT_EQ(c1->errorOf("set_miraField", {"Nickname", "K"}), "org.freedesktop.DBus.Error.InvalidArgs");
    // Arguments of the wrong type never reach the object.
    EXPECT_EQ(c1->errorOf("Items", {"one"}), "org.freedesktop.DBus.Error.UnknownMethod");

    host.busy = true;
    EXPECT_EQ(c1->errorOf("ItemCount"), "MiRa.Application.Error.Busy");
    host.busy = false;

    ASSERT_TRUE(c1->value("Items", {1}).toBool());
    nodes.Delete(friends);
    const QDBusMessage gone = c1->call("miraTitle");
    EXPECT_EQ(gone.errorName(), "MiRa.Application.Error.ItemGone");
    EXPECT_FALSE(gone.errorMessage().isEmpty());
    EXPECT_EQ(c1->value("miraTitle").toString(), "My Contacts");

    host.canLocate = false;
    EXPECT_EQ(c1->errorOf("NextItemWithTitle", {"Kim"}), "org.freedesktop.DBus.Error.NotSupported");
}

TEST_F(AutomationBusTest, TheDefaultActionIsAnsweredBeforeItsWindowCloses)
{
    DialingServices dialing;
    nodes.Context().SetServices(&dialing);
    const qint32 id = CreateItem(ItemKind::Phone, "Desk", "555-0100", {}, root, "{Phon}~~0", 0)->Id();
    auto c1 = client("c1");
    auto c2 = client("c2");
    ASSERT_TRUE(c1->value("ItemWithId", {id}).toBool());

    const QDBusPendingCall pending = c1->connection().asyncCall(QDBusMessage::createMethodCall(
        AutomationBus::ServiceName, AutomationBus::ObjectPath, "MiRa.Application", "DoDefaultAction"));
    bool answeredWhileOpen = false;
    QString otherClient;
    dialing.onDial = [&] {
        answeredWhileOpen = QTest::qWaitFor([&] { return pending.isFinished(); }, 10000) && !pending.isError();
        otherClient = c2->errorOf("ItemCount"); // no second call runs inside the first
    };
    EXPECT_TRUE(QTest::qWaitFor([&] { return !dialing.calls.isEmpty(); }, 10000));
    EXPECT_TRUE(answeredWhileOpen);
    EXPECT_EQ(otherClient, "MiRa.Application.Error.Busy");
    EXPECT_EQ(dialing.calls, QStringList{"dial Desk|555-0100"});
    EXPECT_EQ(c2->value("ItemCount").toInt(), 3); // and afterwards it does
    nodes.Context().SetServices(&services);
}

TEST_F(AutomationBusTest, AClientLeavingMidWalkIsForgottenAndTheOthersGoOn)
{
    auto c1 = client("c1");
    {
        auto c3 = client("c3");
        ASSERT_TRUE(c3->value("Items", {2}).toBool());
        EXPECT_EQ(clients.ClientCount(), 1);
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return clients.ClientCount() == 0; }, 10000));
    EXPECT_EQ(c1->value("ItemCount").toInt(), 3);
    EXPECT_EQ(clients.ClientCount(), 1);
}

TEST_F(AutomationBusTest, OtherProgramsSeeTheInterfaceAndCallIt)
{
    const ClientRun introspect = RunWhileServing(
        "gdbus", {"introspect", "--address", bus.address(), "--dest", "MiRa.Application", "--object-path", "/MiRa/Application"});
    ASSERT_EQ(introspect.code, 0) << introspect.err.constData();
    const QString text = QString::fromUtf8(introspect.out);
    EXPECT_TRUE(text.contains("interface MiRa.Application {"));
    for (const char *member :
         {"Insert(in  i Kind,", "in  s Data);", "CopyClipboard();", "DoDefaultAction();", "miraID(out i ",
          "miraClass(out i ", "miraTitle(out s ", "set_miraTitle(in  s value);", "miraTarget(out s ",
          "set_miraTarget(in  s value);", "miraComment(out s ", "set_miraComment(in  s value);",
          "miraField(in  s Name,", "set_miraField(in  s Name,", "ItemCount(out i ", "Items(in  i Index,",
          "CurrentItemIndex(out i ", "NextSiblingIndex(out i ", "ChildCount(out i ", "Child(in  i Index,",
          "SelectCount(out i ", "UserSelected(in  i Index,", "NextItemWithTitle(in  s Title,",
          "ItemWithId(in  i Id,"})
        EXPECT_TRUE(text.contains(member)) << member;

    // Every gdbus call is a client of its own, so each starts at the root.
    EXPECT_EQ(gdbus({"MiRa.Application.Items", "1"}), QStringList({"0", "(true,)", ""}));
    EXPECT_EQ(gdbus({"MiRa.Application.miraTitle"}), QStringList({"0", "('My Contacts',)", ""}));
    EXPECT_EQ(gdbus({"MiRa.Application.Insert", "3", "Ann Smith", "Ann Smith", "", ""})[0], "0");
    EXPECT_EQ(root->Count(), 2); // Friends and the new person
    const QStringList refused = gdbus({"MiRa.Application.Insert", "11", "x", "", "", ""});
    EXPECT_NE(refused[0], "0");
    EXPECT_TRUE(refused[2].contains("org.freedesktop.DBus.Error.InvalidArgs")) << refused[2].toStdString();
    EXPECT_TRUE(QTest::qWaitFor([&] { return clients.ClientCount() == 0; }, 10000)); // each gone with its process

    if (QStandardPaths::findExecutable("busctl").isEmpty())
        return; // busctl comes with systemd
    const ClientRun busctl = RunWhileServing("busctl", {"--address=" + bus.address(), "call", "MiRa.Application",
                                                       "/MiRa/Application", "MiRa.Application", "ItemCount"});
    EXPECT_EQ(busctl.out, "i 4\n") << busctl.err.constData();
}

} // namespace
