#include "commandline.h"

#include <QDataStream>
#include <QDir>
#include <QIODevice>

namespace CommandLine {

namespace {
// A message: its length (quint32), then a version, the directory and the arguments.
constexpr quint32 MessageVersion = 1;
constexpr quint32 MaxMessageSize = 16u << 20;
} // namespace

bool HasHideWin(const QStringList &arguments) { return arguments.contains(HideWinWord, Qt::CaseSensitive); }

ArgumentKind Classify(const QString &argument)
{
    if (argument.contains(QLatin1String(".mbd"), Qt::CaseSensitive))
        return ArgumentKind::Database;
    if (argument.contains(QLatin1String(".vcf"), Qt::CaseSensitive))
        return ArgumentKind::VCard;
    return ArgumentKind::Ignored;
}

QList<Request::Import> Request::Imports() const
{
    QList<Import> imports;
    const QDir base(workingDir.isEmpty() ? QDir::currentPath() : workingDir);
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const ArgumentKind kind = Classify(arguments[i]);
        if (kind != ArgumentKind::Ignored)
            imports.append({kind, arguments[i], QDir::cleanPath(base.absoluteFilePath(arguments[i]))});
    }
    return imports;
}

QByteArray Encode(const Request &request)
{
    QByteArray body;
    {
        QDataStream out(&body, QIODevice::WriteOnly);
        out.setVersion(QDataStream::Qt_6_4);
        out << MessageVersion << request.workingDir << request.arguments;
    }
    QByteArray message;
    QDataStream out(&message, QIODevice::WriteOnly);
    out << quint32(body.size());
    message += body;
    return message;
}

std::optional<Request> Decode(const QByteArray &bytes, qsizetype *consumed)
{
    if (consumed)
        *consumed = 0;
    if (bytes.size() < 4)
        return std::nullopt;
    quint32 size = 0;
    {
        QDataStream in(bytes.left(4));
        in >> size;
    }
    if (size > MaxMessageSize) {
        // Not one of ours: drop everything.
        if (consumed)
            *consumed = bytes.size();
        return std::nullopt;
    }
    if (bytes.size() < 4 + qsizetype(size))
        return std::nullopt;
    if (consumed)
        *consumed = 4 + size;
    QDataStream in(bytes.mid(4, size));
    in.setVersion(QDataStream::Qt_6_4);
    quint32 version = 0;
    Request request;
    in >> version >> request.workingDir >> request.arguments;
    if (in.status() != QDataStream::Ok || version != MessageVersion)
        return Request{}; // a whole message that cannot be read: nothing to import
    return request;
}

} // namespace CommandLine
