#pragma once

#include <QObject>
#include <QPointer>
#include <QList>

class QAction;

// While closed, the keyboard shortcuts of a window's commands do nothing, but for the
// ones let through: a disabled menu bar does not stop the shortcuts of its entries.
class TShortcutGate : public QObject
{
    Q_OBJECT
public:
    explicit TShortcutGate(QWidget *window);

    // Closes the gate over every command of the window except those given.
    void Close(const QList<QAction *> &letThrough);
    void Open();
    bool IsClosed() const { return !m_gated.isEmpty(); }

signals:
    // A shortcut was pressed while the gate was closed.
    void refused();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_window;
    QList<QPointer<QAction>> m_gated;
};
