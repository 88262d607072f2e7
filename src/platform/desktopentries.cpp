#include "desktopentries.h"

#include "safefiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// Where a program file really is (links followed), or nothing when it is not there.
QString resolvedProgram(const QString &program)
{
    const QString path = program.contains(u'/') ? program : QStandardPaths::findExecutable(program);
    return path.isEmpty() ? QString() : QFileInfo(path).canonicalFilePath();
}

// The words of an Exec line: blanks separate, double quotes group, and inside
// quotes a backslash keeps the next character.
QStringList execWords(const QString &exec)
{
    QStringList words;
    QString word;
    bool inWord = false;
    bool quoted = false;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec.at(i);
        if (quoted) {
            if (c == u'"')
                quoted = false;
            else if (c == u'\\' && i + 1 < exec.size())
                word += exec.at(++i);
            else
                word += c;
            continue;
        }
        if (c == u' ' || c == u'\t') {
            if (inWord)
                words.append(word);
            word.clear();
            inWord = false;
            continue;
        }
        inWord = true;
        if (c == u'"')
            quoted = true;
        else
            word += c;
    }
    if (inWord)
        words.append(word);
    return words;
}

} // namespace

QStringList DesktopEntries::StandardDirs()
{
    return QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation);
}

DesktopEntries::DesktopEntries(const QStringList &dirs)
{
    for (const QString &dir : dirs) {
        QDirIterator it(dir, {QStringLiteral("*.desktop")}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext() && m_read < MaxEntries)
            read(it.next());
    }
}

QString DesktopEntries::ExecProgram(const QString &exec)
{
    const QStringList words = execWords(exec);
    qsizetype i = 0;
    if (i < words.size() && (words.at(i) == QLatin1String("env") || words.at(i).endsWith(QLatin1String("/env")))) {
        ++i;
        while (i < words.size() && words.at(i).contains(u'='))
            ++i;
    }
    return words.value(i);
}

void DesktopEntries::read(const QString &file)
{
    QFile f;
    QString why; // an entry that cannot be read is no entry
    if (SafeFiles::OpenForReading(f, file, &why) != SafeFiles::Opened::Yes || f.size() > MaxEntrySize)
        return;
    ++m_read;
    const QStringList lines = QString::fromUtf8(f.read(MaxEntrySize)).split(u'\n');
    bool inEntry = false;
    QString exec, icon, type;
    bool hidden = false;
    for (QString line : lines) {
        line = line.trimmed();
        if (line.startsWith(u'[')) {
            inEntry = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        if (!inEntry)
            continue;
        const qsizetype eq = line.indexOf(u'=');
        if (eq <= 0)
            continue;
        const QString key = line.left(eq).trimmed();
        const QString value = line.mid(eq + 1).trimmed();
        if (key == QLatin1String("Exec"))
            exec = value;
        else if (key == QLatin1String("Icon"))
            icon = value;
        else if (key == QLatin1String("Type"))
            type = value;
        else if (key == QLatin1String("Hidden"))
            hidden = value == QLatin1String("true");
    }
    if (hidden || type != QLatin1String("Application") || icon.isEmpty())
        return;
    const QString program = ExecProgram(exec);
    if (program.isEmpty())
        return;
    // The first entry of a program wins: the user's own come first.
    m_iconByProgram.insert(program, m_iconByProgram.value(program, icon));
    if (program.startsWith(u'/')) {
        const QString real = QFileInfo(program).canonicalFilePath();
        if (!real.isEmpty() && !m_iconByProgram.contains(real))
            m_iconByProgram.insert(real, icon);
    }
}

QString DesktopEntries::IconFor(const QString &program) const
{
    if (program.isEmpty())
        return {};
    if (const auto it = m_iconByProgram.constFind(program); it != m_iconByProgram.constEnd())
        return *it;
    const QString real = resolvedProgram(program);
    if (real.isEmpty())
        return {};
    if (const auto it = m_iconByProgram.constFind(real); it != m_iconByProgram.constEnd())
        return *it;
    // An entry that names the program bare, when that name on PATH is this program.
    const QString name = QFileInfo(real).fileName();
    for (const QString &candidate : {QFileInfo(program).fileName(), name}) {
        const auto it = m_iconByProgram.constFind(candidate);
        if (it != m_iconByProgram.constEnd() && resolvedProgram(candidate) == real)
            return *it;
    }
    return {};
}
