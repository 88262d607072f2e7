#pragma once

#include "envguard.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

// Stand-ins for desktop programs (xdg-open, xdg-email, sendfax...), found first on PATH
// for the life of the object. Each records the argument vector of every run.
class FakePrograms
{
public:
    explicit FakePrograms(const QStringList &names)
        : m_path("PATH", (m_dir.path() + u':' + qEnvironmentVariable("PATH")).toUtf8())
    {
        for (const QString &name : names) {
            QFile script(program(name));
            script.open(QIODevice::WriteOnly);
            // The status is taken before the run is recorded: a test that changes it once
            // it sees this run must not change how this run ends.
            script.write("#!/bin/sh\n"
                         "s=0; [ -e \"$0.exit\" ] && s=$(cat \"$0.exit\")\n"
                         "n=0; while [ -e \"$0.$n.args\" ]; do n=$((n+1)); done\n"
                         "for a in \"$@\"; do printf '%s\\0' \"$a\"; done > \"$0.$n.tmp\"\n"
                         "mv \"$0.$n.tmp\" \"$0.$n.args\"\n"
                         "exit $s\n");
            script.close();
            script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
    }

    QString program(const QString &name) const { return m_dir.filePath(name); }
    // The next runs of name end with this status.
    void exitWith(const QString &name, int status)
    {
        QFile f(program(name) + ".exit");
        f.open(QIODevice::WriteOnly);
        f.write(QByteArray::number(status));
    }
    // The argument vector of each run of name so far.
    QList<QStringList> runs(const QString &name) const
    {
        QList<QStringList> out;
        for (int n = 0;; ++n) {
            QFile f(program(name) + QStringLiteral(".%1.args").arg(n));
            if (!f.open(QIODevice::ReadOnly))
                return out;
            QStringList args;
            const QList<QByteArray> parts = f.readAll().split('\0');
            for (qsizetype i = 0; i + 1 < parts.size(); ++i)
                args << QString::fromUtf8(parts[i]);
            out << args;
        }
    }
    // Waits until name has run count times (programs may be started detached).
    bool waitForRuns(const QString &name, int count) const
    {
        return QTest::qWaitFor([&] { return runs(name).size() >= count; }, 10000);
    }

private:
    QTemporaryDir m_dir;
    EnvGuard m_path;
};
