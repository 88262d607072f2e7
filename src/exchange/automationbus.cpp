#include "automationbus.h"

#include "automationclients.h"
#include "automationerror.h"
#include "miraapp.h"

#include <QDBusConnectionInterface>
#include <QDBusError>
#include <QDBusServiceWatcher>

namespace {

QString ErrorName(EAutomation::Code code)
{
    switch (code) {
    case EAutomation::Code::InvalidArgs:
        return QDBusError::errorString(QDBusError::InvalidArgs);
    case EAutomation::Code::NotSupported:
        return QDBusError::errorString(QDBusError::NotSupported);
    case EAutomation::Code::RemoteParent:
        return QStringLiteral("MiRa.Application.Error.RemoteParent");
    case EAutomation::Code::ReadOnly:
        return QStringLiteral("MiRa.Application.Error.ReadOnly");
    case EAutomation::Code::Busy:
        return QStringLiteral("MiRa.Application.Error.Busy");
    case EAutomation::Code::ItemGone:
        return QStringLiteral("MiRa.Application.Error.ItemGone");
    case EAutomation::Code::Failed:
        break;
    }
    return QStringLiteral("MiRa.Application.Error.Failed");
}

} // namespace

AutomationBus::AutomationBus(AutomationClients &clients, QObject *parent)
    : QObject(parent), m_clients(clients), m_watcher(new QDBusServiceWatcher(this)),
      m_connection(QStringLiteral("(none)"))
{
    m_watcher->setWatchMode(QDBusServiceWatcher::WatchForUnregistration);
    connect(m_watcher, &QDBusServiceWatcher::serviceUnregistered, this, &AutomationBus::clientLeft);
}

AutomationBus::~AutomationBus()
{
    if (m_connection.isConnected()) {
        m_connection.unregisterObject(QLatin1String(ObjectPath));
        m_connection.unregisterService(QLatin1String(ServiceName));
    }
}

bool AutomationBus::Register(const QDBusConnection &connection)
{
    m_connection = connection;
    if (!m_connection.isConnected()) {
        m_error = QStringLiteral("no session bus: %1").arg(m_connection.lastError().message());
        return false;
    }
    m_watcher->setConnection(m_connection);
    if (!m_connection.registerObject(QLatin1String(ObjectPath), this, QDBusConnection::ExportAllSlots)) {
        m_error = QStringLiteral("the object path %1 is taken").arg(QLatin1String(ObjectPath));
        return false;
    }
    if (!m_connection.registerService(QLatin1String(ServiceName))) {
        m_error = QStringLiteral("the bus name %1 is taken: %2")
                      .arg(QLatin1String(ServiceName), m_connection.lastError().message());
        m_connection.unregisterObject(QLatin1String(ObjectPath));
        return false;
    }
    return true;
}

TMiraApp &AutomationBus::caller()
{
    const QString name = message().service();
    if (!m_clients.HasClient(name)) {
        // Watched before the object is made, so a client that leaves at once is still heard.
        m_watcher->addWatchedService(name);
        QDBusConnectionInterface *bus = connection().interface();
        if (bus && !bus->isServiceRegistered(name).value())
            throw EAutomation(EAutomation::Code::Failed, QStringLiteral("The caller has left the bus"));
    }
    return m_clients.Client(name);
}

void AutomationBus::clientLeft(const QString &name)
{
    m_watcher->removeWatchedService(name);
    m_clients.Release(name);
}

template <typename Result, typename Member>
Result AutomationBus::dispatch(Result fallback, Member member)
{
    try {
        return member(caller());
    } catch (const EAutomation &e) {
        sendErrorReply(ErrorName(e.code()), e.message());
    } catch (const std::exception &e) {
        sendErrorReply(ErrorName(EAutomation::Code::Failed), QString::fromUtf8(e.what()));
    }
    return fallback;
}

template <typename Member>
void AutomationBus::dispatch(Member member)
{
    dispatch(0, [&](TMiraApp &app) {
        member(app);
        return 0;
    });
}

void AutomationBus::Insert(int Kind, const QString &Title, const QString &Target, const QString &Comment,
                           const QString &Data)
{
    dispatch([&](TMiraApp &app) { app.Insert(Kind, Title, Target, Comment, Data); });
}

void AutomationBus::CopyClipboard()
{
    dispatch([](TMiraApp &app) { app.CopyClipboard(); });
}

void AutomationBus::DoDefaultAction()
{
    // Answered before the action runs: dialing, say, holds its window open until the
    // user closes it, far longer than a client waits for a reply.
    const QDBusMessage call = message();
    QDBusConnection bus = connection();
    dispatch([&](TMiraApp &app) {
        app.DoDefaultAction([&] {
            setDelayedReply(true);
            bus.send(call.createReply());
        });
    });
}

int AutomationBus::miraID()
{
    return dispatch(0, [](TMiraApp &app) { return app.miraID(); });
}

int AutomationBus::miraClass()
{
    return dispatch(0, [](TMiraApp &app) { return app.miraClass(); });
}

QString AutomationBus::miraTitle()
{
    return dispatch(QString(), [](TMiraApp &app) { return app.miraTitle(); });
}

void AutomationBus::set_miraTitle(const QString &value)
{
    dispatch([&](TMiraApp &app) { app.set_miraTitle(value); });
}

QString AutomationBus::miraTarget()
{
    return dispatch(QString(), [](TMiraApp &app) { return app.miraTarget(); });
}

void AutomationBus::set_miraTarget(const QString &value)
{
    dispatch([&](TMiraApp &app) { app.set_miraTarget(value); });
}

QString AutomationBus::miraComment()
{
    return dispatch(QString(), [](TMiraApp &app) { return app.miraComment(); });
}

void AutomationBus::set_miraComment(const QString &value)
{
    dispatch([&](TMiraApp &app) { app.set_miraComment(value); });
}

QString AutomationBus::miraField(const QString &Name)
{
    return dispatch(QString(), [&](TMiraApp &app) { return app.miraField(Name); });
}

void AutomationBus::set_miraField(const QString &Name, const QString &value)
{
    dispatch([&](TMiraApp &app) { app.set_miraField(Name, value); });
}

int AutomationBus::ItemCount()
{
    return dispatch(0, [](TMiraApp &app) { return app.ItemCount(); });
}

bool AutomationBus::Items(int Index)
{
    return dispatch(false, [&](TMiraApp &app) { return app.Items(Index); });
}

int AutomationBus::CurrentItemIndex()
{
    return dispatch(0, [](TMiraApp &app) { return app.CurrentItemIndex(); });
}

int AutomationBus::NextSiblingIndex()
{
    return dispatch(0, [](TMiraApp &app) { return app.NextSiblingIndex(); });
}

int AutomationBus::ChildCount()
{
    return dispatch(0, [](TMiraApp &app) { return app.ChildCount(); });
}

bool AutomationBus::Child(int Index)
{
    return dispatch(false, [&](TMiraApp &app) { return app.Child(Index); });
}

int AutomationBus::SelectCount()
{
    return dispatch(0, [](TMiraApp &app) { return app.SelectCount(); });
}

bool AutomationBus::UserSelected(int Index)
{
    return dispatch(false, [&](TMiraApp &app) { return app.UserSelected(Index); });
}

bool AutomationBus::NextItemWithTitle(const QString &Title)
{
    return dispatch(false, [&](TMiraApp &app) { return app.NextItemWithTitle(Title); });
}

bool AutomationBus::ItemWithId(int Id)
{
    return dispatch(false, [&](TMiraApp &app) { return app.ItemWithId(Id); });
}
