#include "aboutbox.h"

#include "platform/paths.h"

#include <QCoreApplication>
#include <QMessageBox>

void ShowAboutBox(QWidget *parent)
{
    const QString text = QStringLiteral(
        "<h3>Mirabook %1</h3>"
        "<p>A contact manager for the Linux desktop: folders, organizations, teams and persons "
        "with their addresses, phone and fax numbers, e-mail addresses, websites, reminders, "
        "documents and tools.</p>"
        "<p>Data directory: %2</p>")
        .arg(QCoreApplication::applicationVersion().toHtmlEscaped(), Paths::dataDir().toHtmlEscaped());
    QMessageBox::about(parent, QCoreApplication::translate("AboutBox", "About Mirabook"), text);
}
