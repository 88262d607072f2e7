#include "helptopics.h"

#include "store/itemservices.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>

#ifndef MIRABOOK_DOCS_DIR
#define MIRABOOK_DOCS_DIR ""
#endif

namespace HelpTopics {

QString PageForTopic(int topic)
{
    switch (topic) {
    case MainWindow:
        return QStringLiteral("mainwindow.html");
    case ItemDialogs:
        return QStringLiteral("itemdialogs.html");
    case Options:
        return QStringLiteral("options.html");
    default:
        return QStringLiteral("index.html");
    }
}

QString HelpDir()
{
    const QString installed =
        QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(QStringLiteral("../share/mirabook/help"));
    if (QFileInfo::exists(QDir(installed).filePath(QStringLiteral("index.html"))))
        return QDir::cleanPath(installed);
    return QStringLiteral(MIRABOOK_DOCS_DIR);
}

QUrl UrlForTopic(int topic) { return QUrl::fromLocalFile(QDir(HelpDir()).filePath(PageForTopic(topic))); }

bool ShowTopic(int topic)
{
    const QUrl url = UrlForTopic(topic);
    if (QFileInfo::exists(url.toLocalFile()) && QDesktopServices::openUrl(url))
        return true;
    Services().ShowError(QStringLiteral("Cannot open the help page %1").arg(url.toLocalFile()));
    return false;
}

} // namespace HelpTopics
