#include "personname.h"

namespace {
bool isBlank(QChar c) { return c.unicode() <= u' '; }
} // namespace

QString ComposeFullName(const QString &salutation, const QString &firstName, const QString &lastName)
{
    // Made in one piece: an import composes one for every person.
    QString name;
    name.reserve(salutation.size() + firstName.size() + lastName.size() + 2);
    name.append(salutation).append(u' ').append(firstName).append(u' ').append(lastName);
    return name;
}

QStringList SplitNameWords(const QString &text)
{
    QStringList words;
    const qsizetype n = text.size();
    qsizetype i = 0;
    auto skipBlanks = [&] {
        while (i < n && isBlank(text.at(i)))
            ++i;
    };
    skipBlanks();
    while (i < n) {
        QString word;
        if (text.at(i) == u'"') {
            ++i;
            while (i < n) {
                if (text.at(i) == u'"') {
                    if (i + 1 < n && text.at(i + 1) == u'"') {
                        word += u'"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                word += text.at(i++);
            }
        } else {
            const qsizetype start = i;
            while (i < n && !isBlank(text.at(i)) && text.at(i) != u',')
                ++i;
            word = text.mid(start, i - start);
        }
        words.append(word);
        skipBlanks();
        if (i < n && text.at(i) == u',') {
            ++i;
            skipBlanks();
        }
    }
    return words;
}

bool SplitTitle(const QString &title, TPersonNames &names)
{
    const QStringList words = SplitNameWords(title);
    if (words.size() < 2)
        return false;
    names.FirstName = words.at(0);
    if (words.size() == 2) {
        names.LastName = words.at(1);
    } else {
        names.MiddleName = words.at(1);
        names.LastName = words.at(2);
    }
    return true;
}
