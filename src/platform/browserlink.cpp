#include "browserlink.h"

#include "profile.h"
#include "programsettings.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <algorithm>

namespace BrowserLink {

bool IsBrowsable(const QString &url)
{
    static const char *const Schemes[] = {"http://", "https://", "ftp://", "mailto:", "news:"};
    for (const char *scheme : Schemes)
        if (url.startsWith(QLatin1String(scheme), Qt::CaseInsensitive) && url.size() > qsizetype(strlen(scheme)))
            return true;
    return false;
}

QString ConfiguredPath(const Profile &profile) { return Settings::BrowserProgram(profile); }

Command OpenCommand(const QString &url, const QString &configuredPath)
{
    if (!configuredPath.isEmpty())
        return {configuredPath, {url}};
    return {QStringLiteral("xdg-open"), {url}};
}

bool OpenURL(const QString &url, QString *error)
{
    if (!IsBrowsable(url)) {
        if (error)
            *error = QStringLiteral("\"%1\" is not a web address the browser may open.").arg(url);
        return false;
    }
    const Command command = OpenCommand(url, ConfiguredPath(Profile()));
    QProcess process;
    process.setProgram(command.program);
    process.setArguments(command.arguments);
    process.setStandardInputFile(QProcess::nullDevice());
    if (process.startDetached())
        return true;
    if (error)
        *error = QStringLiteral("Cannot start the browser %1: %2").arg(command.program, process.errorString());
    return false;
}

int DebugPort(const Profile &profile)
{
    const int port = profile.readInteger(QStringLiteral("Browser"), QStringLiteral("DebugPort"), 9222);
    return port > 0 && port < 65536 ? port : 9222;
}

QString DebugListUrl(int port) { return QStringLiteral("http://127.0.0.1:%1/json/list").arg(port); }

QString CleanTitle(const QString &title)
{
    QString clean;
    clean.reserve(qMin(title.size(), MaxTitleLength));
    for (QChar c : title) {
        if (clean.size() >= MaxTitleLength)
            break;
        // Line breaks and tabs part words; other controls and direction marks go.
        const QChar::Category cat = c.category();
        if (cat == QChar::Other_Control || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            clean += u' ';
        else if (cat != QChar::Other_Format)
            clean += c;
    }
    // A cut must not leave half a surrogate pair.
    if (!clean.isEmpty() && clean.back().isHighSurrogate())
        clean.chop(1);
    return clean.simplified();
}

std::optional<Page> PageFromDebugList(const QByteArray &json)
{
    const QJsonDocument doc = QJsonDocument::fromJson(json);
    if (!doc.isArray())
        return std::nullopt;
    for (const QJsonValue &entry : doc.array()) {
        const QJsonObject target = entry.toObject();
        if (target.value(QLatin1String("type")).toString() != QLatin1String("page"))
            continue;
        const QString url = target.value(QLatin1String("url")).toString();
        if (!IsBrowsable(url) || url.size() > MaxUrlLength ||
            std::any_of(url.begin(), url.end(), [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7f; }))
            continue;
        return Page{url, CleanTitle(target.value(QLatin1String("title")).toString())};
    }
    return std::nullopt;
}

} // namespace BrowserLink
