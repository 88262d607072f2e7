#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

// The messaging service: a prepared message is handed to the desktop's mail client
// (xdg-email), whose compose window the user finishes and sends; a fax goes to
// HylaFAX's sendfax. Programs are started with argument lists, never a shell.
namespace Mapi {
// Result codes of a send.
enum Result : int {
    Success = 0,
    UserAbort = 1,
    Failure = 2,
    LogonFailure = 3,
    TooManyFiles = 9,
    TooManyRecipients = 10,
    AttachmentNotFound = 11,
};
constexpr int MaxRecipients = 512;
constexpr int MaxAttachments = 32;
} // namespace Mapi

// What the program watching a started mail or fax program is told when it fails
// (it cannot start, or ends with a failure status); nothing is said on success.
using ProgramFailure = std::function<void(const QString &reason)>;

// Starts program with arguments in the background. False, with the reason, when it is
// not installed; onFailure is called later if it ends badly, unless owner is gone by
// then. The program outlives owner and this program.
bool StartWatched(const QString &program, const QStringList &arguments, QObject *owner, ProgramFailure onFailure,
                  QString *error);

// One e-mail message for the desktop mail client.
class TEmail
{
public:
    QStringList Recipient;
    QStringList CC;
    QStringList Bcc;
    QStringList Attachment;
    QString Subject;
    QString Text;

    // 10 with too many recipients, 9 with too many attachments, 11 when an attachment
    // does not exist, else 0.
    int Check() const;
    // "mailto:" with every address percent-encoded, so no address adds a field.
    QString MailtoUrl() const;
    // xdg-email's arguments: --utf8, --attach FILE for each attachment, the mailto URL.
    QStringList Arguments() const;

    // Hands the message to the mail client; a result code. The reason of a failure is
    // in ErrorText; a failure later (the client not starting) reaches onFailure.
    int SendMail(QObject *owner, ProgramFailure onFailure);
    QString ErrorText;
};

// A fax of one document to number through sendfax (-n: no cover page).
namespace FaxSending {
// The number as sendfax takes it; empty when it holds anything but digits, blanks and
// + - ( ) . / * # , (or no digit at all).
QString CheckedNumber(const QString &number);
QStringList Arguments(const QString &number, const QString &file);
// A result code, with the reason in *error.
int Send(const QString &number, const QString &file, QObject *owner, ProgramFailure onFailure, QString *error);
} // namespace FaxSending
