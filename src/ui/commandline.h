#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// The desktop program's command line: the "HIDEWIN" word, the files to import,
// and the form in which a later start hands its command line to the running copy.
namespace CommandLine {

inline const QString HideWinWord = QStringLiteral("HIDEWIN");

// True when some argument (the program path included) is exactly "HIDEWIN".
bool HasHideWin(const QStringList &arguments);

enum class ArgumentKind { Database, VCard, Ignored };
// ".mbd" anywhere (case-sensitive) makes a database file, else ".vcf" anywhere a
// vCard file; the database import itself still refuses a name not ending in ".mbd".
ArgumentKind Classify(const QString &argument);

// A command line with the directory it was given in, so relative file names
// keep meaning what they meant to the user who typed them.
struct Request
{
    QString workingDir;
    QStringList arguments; // program path first

    // The arguments after the program path that name files to import, in order,
    // each with its kind and its absolute path.
    struct Import
    {
        ArgumentKind kind;
        QString argument;
        QString path;
    };
    QList<Import> Imports() const;
};

// The bytes a later start sends over the local socket, and their reading.
QByteArray Encode(const Request &request);
// Nothing until the whole message is there; *consumed tells how many bytes it used.
std::optional<Request> Decode(const QByteArray &bytes, qsizetype *consumed = nullptr);

} // namespace CommandLine
