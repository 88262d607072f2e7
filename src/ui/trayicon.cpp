#include "trayicon.h"

TTrayIcon::TTrayIcon(const QIcon &icon, QObject *parent)
    : QSystemTrayIcon(icon, parent)
{
    connect(this, &QSystemTrayIcon::activated, this, [this](ActivationReason reason) {
        if (reason == Trigger)
            emit Click();
    });
}

QString TTrayIcon::CutTip(const QString &text)
{
    if (text.size() <= MaxTipLength)
        return text;
    // Never leave half of a surrogate pair at the end.
    const int length = text.at(MaxTipLength - 1).isHighSurrogate() ? MaxTipLength - 1 : MaxTipLength;
    return text.left(length);
}

void TTrayIcon::SetTip(const QString &text) { setToolTip(CutTip(text)); }
