#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

class Profile;

// The web browser: opening an address in it, and reading the page it shows.
namespace BrowserLink {

// Only these reach the browser: http, https, ftp, mailto and news addresses.
bool IsBrowsable(const QString &url);

struct Command
{
    QString program;
    QStringList arguments;
};
// The browser program of zeb.ini ("Browser", "Path"; a trailing ".exe" is dropped)
// with the address as its one argument, or the desktop's default browser (xdg-open).
Command OpenCommand(const QString &url, const QString &configuredPath);
QString ConfiguredPath(const Profile &profile);

// Starts the browser on url. False, with the reason, for an address that is not
// browsable or a program that cannot start.
bool OpenURL(const QString &url, QString *error);

// The remote-debugging endpoint of a Chromium-family browser on this machine:
// "Browser", "DebugPort" in zeb.ini, 9222 by default.
int DebugPort(const Profile &profile);
QString DebugListUrl(int port);

struct Page
{
    QString url;
    QString title;
};
// The first page a /json/list answer names (the one most recently in front) whose
// address is browsable, holds no control characters and is at most MaxUrlLength long;
// its title without control characters and at most MaxTitleLength characters.
std::optional<Page> PageFromDebugList(const QByteArray &json);

constexpr qsizetype MaxTitleLength = 255;
constexpr qsizetype MaxUrlLength = 4096;
QString CleanTitle(const QString &title);

} // namespace BrowserLink
