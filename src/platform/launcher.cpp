#include "launcher.h"

#include <QFileInfo>
#include <QProcess>

QStringList splitShellWords(const QString &parameters)
{
    QStringList words;
    QString word;
    bool inWord = false;
    enum class Quote { None, Single, Double } quote = Quote::None;
    const qsizetype n = parameters.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = parameters.at(i);
        switch (quote) {
        case Quote::Single:
            if (c == u'\'')
                quote = Quote::None;
            else
                word += c;
            continue;
        case Quote::Double:
            if (c == u'"') {
                quote = Quote::None;
            } else if (c == u'\\' && i + 1 < n && QStringView(u"\\\"$`").contains(parameters.at(i + 1))) {
                word += parameters.at(++i);
            } else {
                word += c;
            }
            continue;
        case Quote::None:
            break;
        }
        if (c == u' ' || c == u'\t' || c == u'\n' || c == u'\r') {
            if (inWord)
                words.append(word);
            word.clear();
            inWord = false;
            continue;
        }
        inWord = true;
        if (c == u'\'')
            quote = Quote::Single;
        else if (c == u'"')
            quote = Quote::Double;
        else if (c == u'\\' && i + 1 < n)
            word += parameters.at(++i);
        else
            word += c;
    }
    if (inWord)
        words.append(word);
    return words;
}

bool startProgram(const QString &program, const QStringList &arguments, const QString &workingDir, QString *error)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    if (!workingDir.isEmpty())
        process.setWorkingDirectory(workingDir);
    process.setStandardInputFile(QProcess::nullDevice());
    if (process.startDetached())
        return true;
    if (error) {
        *error = QFileInfo::exists(program) ? QStringLiteral("Cannot start %1: %2").arg(program, process.errorString())
                                            : QStringLiteral("%1 was not found").arg(program);
    }
    return false;
}

bool openWithDesktop(const QString &file, QString *error)
{
    if (!QFileInfo::exists(file)) {
        if (error)
            *error = QStringLiteral("%1 was not found").arg(file);
        return false;
    }
    QProcess process;
    process.setProgram(QStringLiteral("xdg-open"));
    process.setArguments({QFileInfo(file).absoluteFilePath()});
    process.setStandardInputFile(QProcess::nullDevice());
    if (process.startDetached())
        return true;
    if (error)
        *error = QStringLiteral("Cannot open %1: %2").arg(file, process.errorString());
    return false;
}
