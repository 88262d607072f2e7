#include "shortcutgate.h"

#include <QAction>
#include <QEvent>
#include <QWidget>

TShortcutGate::TShortcutGate(QWidget *window) : QObject(window), m_window(window) {}

void TShortcutGate::Close(const QList<QAction *> &letThrough)
{
    Open();
    for (QAction *action : m_window->findChildren<QAction *>()) {
        if (letThrough.contains(action))
            continue;
        action->installEventFilter(this);
        m_gated.append(action);
    }
}

void TShortcutGate::Open()
{
    for (const QPointer<QAction> &action : std::as_const(m_gated))
        if (action)
            action->removeEventFilter(this);
    m_gated.clear();
}

bool TShortcutGate::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Shortcut) {
        emit refused();
        return true;
    }
    return QObject::eventFilter(watched, event);
}
