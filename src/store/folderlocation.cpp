#include "folderlocation.h"

#include "folderobject.h"

namespace {
const QString httpScheme = QStringLiteral("http://");
}

FolderLocation::FolderLocation(const QString &location)
    : m_remote(!location.isEmpty()), m_internet(m_remote && isHttp(location)), m_text(location)
{
}

bool FolderLocation::isHttp(const QString &location)
{
    return location.startsWith(httpScheme) || location.startsWith(QLatin1String("https://"));
}

void FolderLocation::setInternet(bool internet)
{
    m_internet = internet;
    if (m_internet && !isHttp(m_text))
        m_text = httpScheme;
    else if (!m_internet && isHttp(m_text))
        m_text.clear();
}

QString FolderLocation::result() const
{
    if (!m_remote)
        return QString();
    if (m_internet && !isHttp(m_text))
        return httpScheme + m_text;
    return m_text;
}

void ApplyFolderDialog(TFolderObject &folder, const QString &title, const QString &comment, const QString &location)
{
    folder.SetTitle(title);
    folder.SetComment(comment);
    folder.SetValue(location);
}
