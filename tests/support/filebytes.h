#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <initializer_list>

// Lines joined with CR LF, each one ended by it.
inline QByteArray CrLf(std::initializer_list<const char *> lines)
{
    QByteArray out;
    for (const char *line : lines) {
        out += line;
        out += "\r\n";
    }
    return out;
}

inline void WriteBytes(const QString &name, const QByteArray &bytes)
{
    QFile f(name);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

inline QByteArray ReadBytes(const QString &name)
{
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
