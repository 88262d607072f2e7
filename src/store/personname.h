#pragma once

#include <QString>
#include <QStringList>

// A person's name parts as the person dialog edits them.
struct TPersonNames
{
    QString Salutation;
    QString FirstName;
    QString MiddleName;
    QString LastName;
};

// The full name kept in a person's Value: salutation, first and last name joined by
// single blanks. The middle name is not part of it; an empty part keeps its blank.
QString ComposeFullName(const QString &salutation, const QString &firstName, const QString &lastName);

// The words of a title: separated by blanks or commas, a double-quoted part (with
// doubled quotes inside) staying one word. Two commas in a row give an empty word.
QStringList SplitNameWords(const QString &text);

// Leaving the person dialog's title: with two words they become first and last name;
// with three or more, first, middle and last name (further words are dropped). With
// fewer than two words the names stay as they are and the result is false.
bool SplitTitle(const QString &title, TPersonNames &names);
