#include "registry.h"

#include "paths.h"

QString registryFilePath() { return Paths::configDir() + QStringLiteral("/registry.ini"); }

namespace {

const QLatin1String kDwordPrefix("dword:");

QString normalizedKey(const QString &key)
{
    return key.split(u'\\', Qt::SkipEmptyParts).join(u'\\');
}

bool isBelow(const QString &section, const QString &key)
{
    return section.size() > key.size() + 1 && section.at(key.size()) == u'\\'
           && section.startsWith(key, Qt::CaseInsensitive);
}

// Strings are kept in double quotes so blanks at either end survive, with
// backslash escapes for the quote, the backslash and line breaks.
QString encodeString(const QString &value)
{
    QString out = QStringLiteral("\"");
    for (const QChar c : value) {
        switch (c.unicode()) {
        case '\\': out += QLatin1String("\\\\"); break;
        case '"': out += QLatin1String("\\\""); break;
        case '\r': out += QLatin1String("\\r"); break;
        case '\n': out += QLatin1String("\\n"); break;
        default: out += c;
        }
    }
    return out + u'"';
}

std::optional<QString> decodeString(const QString &stored)
{
    if (stored.size() < 2 || !stored.startsWith(u'"') || !stored.endsWith(u'"'))
        return std::nullopt;
    QString out;
    for (qsizetype i = 1; i + 1 < stored.size(); ++i) {
        QChar c = stored.at(i);
        if (c == u'\\' && i + 2 < stored.size()) {
            c = stored.at(++i);
            if (c == u'r')
                c = u'\r';
            else if (c == u'n')
                c = u'\n';
        }
        out += c;
    }
    return out;
}

} // namespace

Registry::Registry(const QString &filePath)
    : m_store(filePath)
{
}

bool Registry::fail(const QString &message)
{
    m_error = message;
    return false;
}

bool Registry::openKey(const QString &key, bool canCreate)
{
    const QString path = normalizedKey(key);
    if (path.isEmpty())
        return fail(QStringLiteral("Empty key name"));
    if (!m_store.reload())
        return fail(m_store.errorString());
    if (!m_store.hasSection(path)) {
        if (!canCreate)
            return fail(QStringLiteral("Key %1 does not exist").arg(path));
        const QStringList parts = path.split(u'\\');
        for (qsizetype i = 1; i <= parts.size(); ++i)
            if (!m_store.ensureSection(parts.mid(0, i).join(u'\\')))
                return fail(m_store.errorString());
        if (!m_store.save())
            return fail(m_store.errorString());
    }
    m_current = path;
    return true;
}

void Registry::closeKey() { m_current.clear(); }

bool Registry::keyExists(const QString &key)
{
    m_store.reload();
    return m_store.hasSection(normalizedKey(key));
}

std::optional<QString> Registry::readString(const QString &name) const
{
    if (m_current.isEmpty() || !m_store.hasKey(m_current, name))
        return std::nullopt;
    return decodeString(m_store.readRawString(m_current, name));
}

std::optional<qint32> Registry::readInteger(const QString &name) const
{
    if (m_current.isEmpty())
        return std::nullopt;
    const QString stored = m_store.readRawString(m_current, name);
    if (!stored.startsWith(kDwordPrefix))
        return std::nullopt;
    bool ok = false;
    const quint32 v = stored.mid(kDwordPrefix.size()).toUInt(&ok, 16);
    if (!ok)
        return std::nullopt;
    return qint32(v);
}

bool Registry::valueExists(const QString &name) const
{
    return !m_current.isEmpty() && m_store.hasKey(m_current, name);
}

bool Registry::write(const QString &name, const QString &encoded)
{
    if (m_current.isEmpty())
        return fail(QStringLiteral("No key is open"));
    if (!m_store.writeString(m_current, name, encoded) || !m_store.save())
        return fail(m_store.errorString());
    return true;
}

bool Registry::writeString(const QString &name, const QString &value) { return write(name, encodeString(value)); }

bool Registry::writeInteger(const QString &name, qint32 value)
{
    return write(name, kDwordPrefix + QStringLiteral("%1").arg(quint32(value), 8, 16, QLatin1Char('0')));
}

QStringList Registry::keyNames() const
{
    QStringList names;
    if (m_current.isEmpty())
        return names;
    for (const QString &section : m_store.sectionNames()) {
        if (!isBelow(section, m_current))
            continue;
        const QString child = section.mid(m_current.size() + 1).section(u'\\', 0, 0);
        if (!names.contains(child, Qt::CaseInsensitive))
            names.append(child);
    }
    return names;
}

bool Registry::deleteKey(const QString &key)
{
    const QString path = normalizedKey(key);
    if (path.isEmpty())
        return fail(QStringLiteral("Empty key name"));
    if (!m_store.reload())
        return fail(m_store.errorString());
    if (!m_store.hasSection(path))
        return fail(QStringLiteral("Key %1 does not exist").arg(path));
    for (const QString &section : m_store.sectionNames())
        if (section.compare(path, Qt::CaseInsensitive) == 0 || isBelow(section, path))
            m_store.eraseSection(section);
    if (!m_store.save())
        return fail(m_store.errorString());
    if (m_current.compare(path, Qt::CaseInsensitive) == 0 || isBelow(m_current, path))
        m_current.clear();
    return true;
}
