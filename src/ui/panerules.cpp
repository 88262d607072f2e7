#include "panerules.h"

#include "store/treenodes.h"
#include "trayicon.h"

#include <QCoreApplication>
#include <QStringList>

namespace PaneRules {

bool SplitterShouldResize(int currentWidth, int wantedWidth)
{
    return currentWidth > wantedWidth + 4 || currentWidth < wantedWidth - 4;
}

QString NodePath(const TTreeNode *node)
{
    QStringList parts;
    for (const TTreeNode *n = node; n; n = n->Parent())
        parts.prepend(n->Text());
    return parts.join(QLatin1Char('/'));
}

QString TrayTipText(const QString &path)
{
    return TTrayIcon::CutTip(QLatin1Char('[') + path + QLatin1Char(']'));
}

QString ItemCountText(int rows)
{
    return QString::number(rows) + QStringLiteral(" item(s)");
}

QString DeleteDescription(int selectedCount, const QString &firstCaption)
{
    if (selectedCount > 1)
        return QStringLiteral("the %1 selected items").arg(selectedCount);
    return firstCaption;
}

QString DeleteQuestion(const QString &description)
{
    return QCoreApplication::translate("PaneRules", "Are you sure you want to delete ") + description + QStringLiteral(" and all sub-items?");
}

} // namespace PaneRules
