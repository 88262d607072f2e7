#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <optional>

// Sets or clears an environment variable for one test and puts it back after.
class EnvGuard
{
public:
    EnvGuard(const char *name, const QByteArray &value)
        : m_name(name), m_old(qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt)
    {
        value.isNull() ? qunsetenv(name) : qputenv(name, value);
    }
    ~EnvGuard() { m_old ? qputenv(m_name, *m_old) : qunsetenv(m_name); }
    EnvGuard(const EnvGuard &) = delete;
    EnvGuard &operator=(const EnvGuard &) = delete;

private:
    const char *m_name;
    std::optional<QByteArray> m_old;
};
