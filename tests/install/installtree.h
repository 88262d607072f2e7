#pragma once

// What `cmake --install` of the build directory puts below its prefix, and running
// the tools that look at it.
#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

struct ToolRun
{
    int code = -1; // -1: did not start or did not end normally
    QByteArray out, err;
};

inline ToolRun RunTool(const QString &program, const QStringList &arguments,
                       const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment())
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(program, arguments);
    if (!p.waitForFinished(180000) || p.exitStatus() != QProcess::NormalExit)
        return {-1, p.readAllStandardOutput(), p.readAllStandardError() + p.errorString().toUtf8()};
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}

inline const QString AppId = QStringLiteral(MIRABOOK_APP_ID);
inline const QList<int> IconSizes{16, 22, 24, 32, 48, 64, 128, 256};

// The files below the prefix, relative to it and sorted.
inline QStringList ExpectedFiles()
{
    QStringList files{"bin/mira",
                      "bin/mirabook",
                      "libexec/mirabook/mira",
                      "share/applications/" + AppId + ".desktop",
                      "share/dbus-1/services/MiRa.Application.service",
                      "share/icons/hicolor/scalable/apps/" + AppId + ".svg",
                      "share/man/man1/mira.1.gz",
                      "share/man/man1/mirabook.1.gz",
                      "share/metainfo/" + AppId + ".metainfo.xml",
                      "share/mime/packages/" + AppId + ".xml"};
    for (int size : IconSizes)
        files << QStringLiteral("share/icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(AppId);
    for (const QString &page : QDir(MIRABOOK_SOURCE_DIR "/docs/help").entryList(QDir::Files))
        files << "share/mirabook/help/" + page;
    for (const char *folder : {"icons", "backgrounds"})
        for (const QString &image : QDir(QStringLiteral(MIRABOOK_SOURCE_DIR "/data/web-graphics/") + folder).entryList(QDir::Files))
            files << QStringLiteral("share/mirabook/web-graphics/%1/%2").arg(folder, image);
    files.sort();
    return files;
}

// Every file below dir (links too), relative to it and sorted.
inline QStringList FilesBelow(const QString &dir)
{
    QStringList files;
    QDirIterator it(dir, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(dir).relativeFilePath(it.next());
    files.sort();
    return files;
}
