#include "helptopics.h"

#include "store/itemservices.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

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
    // Installed under one of the standard data directories (/usr/share, /usr/local/share,
    // ~/.local/share ...); a run from the build tree reads the sources' pages.
    const QString index =
        QStandardPaths::locate(QStandardPaths::GenericDataLocation, QStringLiteral("mirabook/help/index.html"));
    if (!index.isEmpty())
        return QFileInfo(index).absolutePath();
    return QStringLiteral(MIRABOOK_DOCS_DIR);
}

QUrl UrlForTopic(int topic) { return QUrl::fromLocalFile(QDir(HelpDir()).filePath(PageForTopic(topic))); }

bool ShowTopic(int topic, ItemServices &services)
{
    const QUrl url = UrlForTopic(topic);
    if (QFileInfo::exists(url.toLocalFile()) && QDesktopServices::openUrl(url))
        return true;
    services.ShowError(QCoreApplication::translate("HelpTopics", "Cannot open the help page %1").arg(url.toLocalFile()));
    return false;
}

} // namespace HelpTopics
