#pragma once

#include <QDBusConnection>
#include <QDBusContext>
#include <QObject>
#include <QString>

class AutomationClients;
class QDBusServiceWatcher;
class TMiraApp;

// The automation object on a D-Bus connection: service and interface "MiRa.Application"
// at /MiRa/Application. Each caller (by its unique bus name) gets its own object with its
// own cursor, freed when the caller leaves the bus. Failures reach the caller as D-Bus
// errors: MiRa.Application.Error.RemoteParent, .ReadOnly, .Busy, .ItemGone, .Failed, and
// org.freedesktop.DBus.Error.InvalidArgs and .NotSupported.
class AutomationBus : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "MiRa.Application")
public:
    static constexpr const char *ServiceName = "MiRa.Application";
    static constexpr const char *ObjectPath = "/MiRa/Application";

    explicit AutomationBus(AutomationClients &clients, QObject *parent = nullptr);
    ~AutomationBus() override;

    // Puts the object on the connection and takes the service name. False (with the
    // reason in errorString) when either is refused, as when another copy has the name.
    bool Register(const QDBusConnection &connection);
    QString errorString() const { return m_error; }

public slots:
    void Insert(int Kind, const QString &Title, const QString &Target, const QString &Comment, const QString &Data);
    void CopyClipboard();
    void DoDefaultAction();
    int miraID();
    int miraClass();
    QString miraTitle();
    void set_miraTitle(const QString &value);
    QString miraTarget();
    void set_miraTarget(const QString &value);
    QString miraComment();
    void set_miraComment(const QString &value);
    QString miraField(const QString &Name);
    void set_miraField(const QString &Name, const QString &value);
    int ItemCount();
    bool Items(int Index);
    int CurrentItemIndex();
    int NextSiblingIndex();
    int ChildCount();
    bool Child(int Index);
    int SelectCount();
    bool UserSelected(int Index);
    bool NextItemWithTitle(const QString &Title);
    bool ItemWithId(int Id);

private:
    // Runs member on the caller's object; a failure becomes the error reply.
    template <typename Result, typename Member>
    Result dispatch(Result fallback, Member member);
    template <typename Member>
    void dispatch(Member member);
    TMiraApp &caller();
    void clientLeft(const QString &name);

    AutomationClients &m_clients;
    QDBusServiceWatcher *m_watcher;
    QDBusConnection m_connection;
    QString m_error;
};
