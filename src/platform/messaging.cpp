#include "messaging.h"

#include <QFileInfo>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace {

// An address as one mailto value: everything outside the unreserved characters and
// "@" is encoded, so "?", "&", "," and "=" inside it stay part of it.
QString encodeAddress(const QString &address)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(address.trimmed(), "@"));
}

QStringList nonEmpty(const QStringList &list)
{
    QStringList out;
    for (const QString &entry : list)
        if (!entry.trimmed().isEmpty())
            out << entry.trimmed();
    return out;
}

QString encodedList(const QStringList &list)
{
    QStringList encoded;
    for (const QString &entry : nonEmpty(list))
        encoded << encodeAddress(entry);
    return encoded.join(u',');
}

// xdg-email's exit statuses.
QString exitText(const QString &program, int status)
{
    switch (status) {
    case 1:
        return QStringLiteral("%1 did not understand the request").arg(program);
    case 2:
        return QStringLiteral("%1 could not find a file it was given").arg(program);
    case 3:
        return QStringLiteral("%1 found no program to hand the message to").arg(program);
    case 4:
        return QStringLiteral("%1 could not hand the message over").arg(program);
    case 5:
        return QStringLiteral("%1 was not allowed to read a file it was given").arg(program);
    default:
        return QStringLiteral("%1 ended with status %2").arg(program).arg(status);
    }
}

} // namespace

bool StartWatched(const QString &program, const QStringList &arguments, QObject *owner, ProgramFailure onFailure,
                  QString *error)
{
    const QString path = QStandardPaths::findExecutable(program);
    if (path.isEmpty()) {
        if (error)
            *error = QStringLiteral("%1 was not found").arg(program);
        return false;
    }
    // Not a child of owner: ending the program must not end the user's mail client
    // with it. What it reports is dropped once owner is gone.
    auto *process = new QProcess();
    const QPointer<QObject> guard(owner);
    onFailure = [guard, onFailure = std::move(onFailure)](const QString &reason) {
        if (guard && onFailure)
            onFailure(reason);
    };
    process->setProgram(path);
    process->setArguments(arguments);
    process->setStandardInputFile(QProcess::nullDevice());
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    QObject::connect(process, &QProcess::finished, process,
                     [process, program, onFailure](int status, QProcess::ExitStatus how) {
                         process->deleteLater();
                         if (how != QProcess::NormalExit)
                             onFailure(QStringLiteral("%1 ended abnormally").arg(program));
                         else if (status != 0)
                             onFailure(exitText(program, status));
                     });
    QObject::connect(process, &QProcess::errorOccurred, process, [process, program, onFailure](QProcess::ProcessError e) {
        if (e != QProcess::FailedToStart)
            return;
        process->deleteLater();
        onFailure(QStringLiteral("Cannot start %1: %2").arg(program, process->errorString()));
    });
    process->start();
    return true;
}

int TEmail::Check() const
{
    if (nonEmpty(Recipient).size() + nonEmpty(CC).size() + nonEmpty(Bcc).size() > Mapi::MaxRecipients)
        return Mapi::TooManyRecipients;
    if (Attachment.size() > Mapi::MaxAttachments)
        return Mapi::TooManyFiles;
    for (const QString &file : Attachment)
        if (!QFileInfo(file).isFile())
            return Mapi::AttachmentNotFound;
    return Mapi::Success;
}

QString TEmail::MailtoUrl() const
{
    QString url = QStringLiteral("mailto:") + encodedList(Recipient);
    QStringList fields;
    if (const QString cc = encodedList(CC); !cc.isEmpty())
        fields << QStringLiteral("cc=") + cc;
    if (const QString bcc = encodedList(Bcc); !bcc.isEmpty())
        fields << QStringLiteral("bcc=") + bcc;
    if (!Subject.isEmpty())
        fields << QStringLiteral("subject=") + QString::fromLatin1(QUrl::toPercentEncoding(Subject));
    if (!Text.isEmpty())
        fields << QStringLiteral("body=") + QString::fromLatin1(QUrl::toPercentEncoding(Text));
    if (!fields.isEmpty())
        url += u'?' + fields.join(u'&');
    return url;
}

QStringList TEmail::Arguments() const
{
    QStringList args{QStringLiteral("--utf8")};
    for (const QString &file : Attachment)
        args << QStringLiteral("--attach") << QFileInfo(file).absoluteFilePath();
    args << MailtoUrl();
    return args;
}

int TEmail::SendMail(QObject *owner, ProgramFailure onFailure)
{
    ErrorText.clear();
    switch (const int check = Check()) {
    case Mapi::Success:
        break;
    case Mapi::TooManyRecipients:
        ErrorText = QStringLiteral("A message can go to at most %1 recipients.").arg(Mapi::MaxRecipients);
        return check;
    case Mapi::TooManyFiles:
        ErrorText = QStringLiteral("A message can carry at most %1 attachments.").arg(Mapi::MaxAttachments);
        return check;
    default:
        for (const QString &file : Attachment)
            if (!QFileInfo(file).isFile())
                ErrorText = QStringLiteral("The attachment \"%1\" was not found.").arg(file);
        return check;
    }
    QString error;
    if (!StartWatched(QStringLiteral("xdg-email"), Arguments(), owner, std::move(onFailure), &error)) {
        ErrorText = error + QStringLiteral(": mail is handed to your desktop's mail program through xdg-email "
                                           "(package xdg-utils).");
        return Mapi::LogonFailure;
    }
    return Mapi::Success;
}

QString FaxSending::CheckedNumber(const QString &number)
{
    const QString n = number.trimmed();
    bool digit = false;
    for (QChar c : n) {
        if (c.isDigit() && c.unicode() < 128)
            digit = true;
        else if (!QStringView(u" +-()./*#,").contains(c))
            return QString();
    }
    return digit ? n : QString();
}

QStringList FaxSending::Arguments(const QString &number, const QString &file)
{
    return {QStringLiteral("-n"), QStringLiteral("-d"), number, QFileInfo(file).absoluteFilePath()};
}

int FaxSending::Send(const QString &number, const QString &file, QObject *owner, ProgramFailure onFailure,
                     QString *error)
{
    const QString checked = CheckedNumber(number);
    if (checked.isEmpty()) {
        *error = QStringLiteral("\"%1\" is not a fax number that can be dialed.").arg(number);
        return Mapi::Failure;
    }
    if (!QFileInfo(file).isFile()) {
        *error = QStringLiteral("The document \"%1\" was not found.").arg(file);
        return Mapi::AttachmentNotFound;
    }
    if (!StartWatched(QStringLiteral("sendfax"), Arguments(checked, file), owner, std::move(onFailure), error)) {
        *error += QStringLiteral(": faxes are sent with HylaFAX's sendfax (package hylafax-client), which is "
                                 "not installed.");
        return Mapi::LogonFailure;
    }
    return Mapi::Success;
}
