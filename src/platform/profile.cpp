#include "profile.h"

#include "paths.h"
#include "safefiles.h"
#include "textcodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QtDebug>

QString settingsFilePath() { return Paths::configDir() + QStringLiteral("/zeb.ini"); }

namespace {

bool sameName(const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

bool hasLineBreak(const QString &s) { return s.contains(u'\n') || s.contains(u'\r'); }

Profile::Section *findSection(std::vector<Profile::Section> &sections, const QString &name)
{
    for (auto &s : sections)
        if (sameName(s.name, name))
            return &s;
    return nullptr;
}

int hexValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

// Decimal with an optional sign, or "0x" and hexadecimal digits; parsing stops at
// the first character that does not fit, and the result wraps to 32 bits.
int parseProfileInteger(const QString &text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    bool negative = false;
    if (i < n && (text.at(i) == u'-' || text.at(i) == u'+'))
        negative = text.at(i++) == u'-';
    quint32 result = 0;
    if (i + 1 < n && text.at(i) == u'0' && (text.at(i + 1) == u'x' || text.at(i + 1) == u'X')) {
        for (i += 2; i < n; ++i) {
            const int d = hexValue(text.at(i));
            if (d < 0)
                break;
            result = result * 16 + quint32(d);
        }
    } else {
        for (; i < n && text.at(i) >= u'0' && text.at(i) <= u'9'; ++i)
            result = result * 10 + quint32(text.at(i).unicode() - '0');
    }
    return int(negative ? 0u - result : result);
}

} // namespace

Profile::Profile(const QString &filePath)
    : m_path(filePath)
{
    readFile(m_sections, m_preamble);
}

Profile::~Profile()
{
    if (hasPendingChanges() && !save())
        qWarning().noquote() << "Settings not written:" << m_error;
}

bool Profile::readFile(std::vector<Section> &sections, QStringList &preamble)
{
    sections.clear();
    preamble.clear();
    QFile file;
    if (!QFileInfo::exists(m_path))
        return true; // a missing file behaves as an empty one
    QString why;
    switch (SafeFiles::OpenForReading(file, m_path, &why)) {
    case SafeFiles::Opened::Yes:
        break;
    case SafeFiles::Opened::NotAFile: // the reason names the file
        m_error = why;
        return false;
    case SafeFiles::Opened::CannotOpen:
        m_error = QStringLiteral("Cannot read %1: %2").arg(m_path, why);
        return false;
    }
    if (file.size() > MaxFileSize) {
        m_error = QStringLiteral("Cannot read %1: it is larger than %2 MB, more than a settings file holds")
                      .arg(m_path)
                      .arg(MaxFileSize / (1024 * 1024));
        return false;
    }
    const QString text = decodeLocalText(file.readAll());
    if (file.error() != QFileDevice::NoError) {
        m_error = QStringLiteral("Cannot read %1: %2").arg(m_path, file.errorString());
        return false;
    }
    QStringList lines = text.split(u'\n');
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    Section *current = nullptr;
    for (QString line : lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(u'[')) {
            qsizetype close = trimmed.indexOf(u']');
            const QString name = trimmed.mid(1, close < 0 ? -1 : close - 1).trimmed();
            // A repeated section continues the first one of that name.
            current = findSection(sections, name);
            if (!current) {
                sections.push_back(Section{name, {}});
                current = &sections.back();
            }
            continue;
        }
        const qsizetype eq = trimmed.indexOf(u'=');
        Entry entry;
        if (eq > 0 && !trimmed.startsWith(u';')) {
            entry.key = trimmed.left(eq).trimmed();
            entry.value = trimmed.mid(eq + 1).trimmed();
        } else {
            entry.value = line;
        }
        if (current)
            current->entries.push_back(entry);
        else
            preamble.append(line);
    }
    return true;
}

const Profile::Entry *Profile::find(const QString &section, const QString &key) const
{
    const QString k = key.trimmed();
    for (const auto &s : m_sections) {
        if (!sameName(s.name, section.trimmed()))
            continue;
        for (const auto &e : s.entries)
            if (!e.key.isEmpty() && sameName(e.key, k))
                return &e;
        return nullptr;
    }
    return nullptr;
}

QString Profile::readRawString(const QString &section, const QString &key, const QString &def) const
{
    const Entry *e = find(section, key);
    return e ? e->value : def;
}

QString Profile::readString(const QString &section, const QString &key, const QString &def) const
{
    QString v = readRawString(section, key, def);
    if (v.size() > MaxValueLength) {
        // Never leave half of a surrogate pair behind.
        v.truncate(v.at(MaxValueLength - 1).isHighSurrogate() ? MaxValueLength - 1 : MaxValueLength);
    }
    return v;
}

int Profile::readInteger(const QString &section, const QString &key, int def) const
{
    const QString v = readString(section, key);
    if (v.isEmpty())
        return def;
    return parseProfileInteger(v);
}

bool Profile::readBool(const QString &section, const QString &key, bool def) const
{
    return readInteger(section, key, def ? 1 : 0) != 0;
}

bool Profile::hasSection(const QString &section) const
{
    for (const auto &s : m_sections)
        if (sameName(s.name, section.trimmed()))
            return true;
    return false;
}

bool Profile::hasKey(const QString &section, const QString &key) const { return find(section, key) != nullptr; }

QStringList Profile::sectionKeys(const QString &section) const
{
    QStringList keys;
    for (const auto &s : m_sections) {
        if (!sameName(s.name, section.trimmed()))
            continue;
        for (const auto &e : s.entries)
            if (!e.key.isEmpty())
                keys.append(e.key);
        break;
    }
    return keys;
}

QStringList Profile::sectionNames() const
{
    QStringList names;
    for (const auto &s : m_sections)
        names.append(s.name);
    return names;
}

bool Profile::checkSection(const QString &section)
{
    const QString s = section.trimmed();
    if (s.isEmpty() || s.contains(u']') || hasLineBreak(s)) {
        m_error = QStringLiteral("Invalid section name \"%1\"").arg(section);
        return false;
    }
    return true;
}

bool Profile::record(Op op)
{
    if (!checkSection(op.section))
        return false;
    op.section = op.section.trimmed();
    if (op.type == OpType::Set || op.type == OpType::Delete) {
        op.key = op.key.trimmed();
        if (op.key.isEmpty() || op.key.contains(u'=') || hasLineBreak(op.key) || op.key.startsWith(u'[')
            || op.key.startsWith(u';')) {
            m_error = QStringLiteral("Invalid key name \"%1\"").arg(op.key);
            return false;
        }
        if (hasLineBreak(op.value)) {
            m_error = QStringLiteral("The value of %1 holds a line break").arg(op.key);
            return false;
        }
        op.value = op.value.trimmed(); // as it will read back
    }
    apply(m_sections, op);
    m_pending.push_back(std::move(op));
    return true;
}

void Profile::apply(std::vector<Section> &sections, const Op &op) const
{
    Section *s = findSection(sections, op.section);
    switch (op.type) {
    case OpType::Erase:
        if (s)
            sections.erase(sections.begin() + (s - sections.data()));
        return;
    case OpType::Ensure:
        if (!s)
            sections.push_back(Section{op.section, {}});
        return;
    case OpType::Delete:
        if (s) {
            auto &es = s->entries;
            for (auto it = es.begin(); it != es.end(); ++it)
                if (!it->key.isEmpty() && sameName(it->key, op.key)) {
                    es.erase(it);
                    break;
                }
        }
        return;
    case OpType::Set:
        if (!s) {
            sections.push_back(Section{op.section, {}});
            s = &sections.back();
        }
        for (auto &e : s->entries)
            if (!e.key.isEmpty() && sameName(e.key, op.key)) {
                e.value = op.value;
                return;
            }
        // New keys go after the last key, before trailing blank lines.
        auto at = s->entries.end();
        while (at != s->entries.begin() && std::prev(at)->key.isEmpty() && std::prev(at)->value.trimmed().isEmpty())
            --at;
        s->entries.insert(at, Entry{op.key, op.value});
        return;
    }
}

bool Profile::writeString(const QString &section, const QString &key, const QString &value)
{
    return record(Op{OpType::Set, section, key, value});
}

bool Profile::writeInteger(const QString &section, const QString &key, int value)
{
    return writeString(section, key, QString::number(value));
}

bool Profile::writeBool(const QString &section, const QString &key, bool value)
{
    return writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool Profile::deleteKey(const QString &section, const QString &key) { return record(Op{OpType::Delete, section, key, {}}); }

bool Profile::eraseSection(const QString &section) { return record(Op{OpType::Erase, section, {}, {}}); }

bool Profile::ensureSection(const QString &section) { return record(Op{OpType::Ensure, section, {}, {}}); }

bool Profile::reload()
{
    std::vector<Section> sections;
    QStringList preamble;
    if (!readFile(sections, preamble))
        return false;
    for (const Op &op : m_pending)
        apply(sections, op);
    m_sections = std::move(sections);
    m_preamble = std::move(preamble);
    return true;
}

bool Profile::save()
{
    if (m_pending.empty())
        return true;
    if (!reload())
        return false;

    QString text;
    for (const QString &line : m_preamble)
        text += line + QLatin1String("\r\n");
    for (const auto &s : m_sections) {
        text += u'[' + s.name + QLatin1String("]\r\n");
        for (const auto &e : s.entries) {
            if (e.key.isEmpty())
                text += e.value + QLatin1String("\r\n");
            else
                text += e.key + u'=' + e.value + QLatin1String("\r\n");
        }
    }

    const QFileInfo info(m_path);
    if (!QDir().mkpath(info.absolutePath())) {
        m_error = QStringLiteral("Cannot create the directory %1").arg(info.absolutePath());
        return false;
    }
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly)) {
        m_error = QStringLiteral("Cannot write %1: %2").arg(m_path, file.errorString());
        return false;
    }
    const QByteArray bytes = text.toUtf8();
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        m_error = QStringLiteral("Cannot write %1: %2").arg(m_path, file.errorString());
        return false;
    }
    m_pending.clear();
    return true;
}
