#pragma once

#include <QString>

class TTreeNode;

// Small rules of the main window's panes, kept apart so they can be checked alone.
namespace PaneRules {

// The splitter moves the left pane only when the wanted width is more than
// 4 pixels away from the current one, so a drag does not jitter.
bool SplitterShouldResize(int currentWidth, int wantedWidth);

// Node texts from the top node down to node, joined by "/".
QString NodePath(const TTreeNode *node);

// "[" + path + "]", cut to the 62 characters a tray tooltip holds.
QString TrayTipText(const QString &path);

// "12 item(s)"
QString ItemCountText(int rows);

// What the delete question names: one row's caption, or "the N selected items".
QString DeleteDescription(int selectedCount, const QString &firstCaption);
QString DeleteQuestion(const QString &description);

} // namespace PaneRules
