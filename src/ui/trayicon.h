#pragma once

#include <QSystemTrayIcon>

// The notification-area icon of the logical form. Its tooltip holds at most
// MaxTipLength characters.
class TTrayIcon : public QSystemTrayIcon
{
    Q_OBJECT
public:
    static constexpr int MaxTipLength = 62;

    explicit TTrayIcon(const QIcon &icon, QObject *parent = nullptr);

    // The tooltip text as shown: cut to its first MaxTipLength characters.
    static QString CutTip(const QString &text);
    void SetTip(const QString &text);

signals:
    // The left button was released on the icon (a double click has no meaning).
    void Click();
};
