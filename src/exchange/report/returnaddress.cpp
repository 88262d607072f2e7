#include "returnaddress.h"

#include "platform/safefiles.h"
#include "platform/textcodec.h"
#include "store/recordfile.h"

#include <QFile>

namespace ReturnAddress {

const char *const FileName = "ret_addr.dat";

QStringList Read()
{
    QFile file;
    QString why;
    if (SafeFiles::OpenForReading(file, QLatin1String(FileName), &why) != SafeFiles::Opened::Yes)
        return {};
    QString text = decodeLocalText(file.read(64 * 1024));
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QStringList lines = text.split(QLatin1Char('\n'));
    // The last line's CR LF leaves an empty entry behind.
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    return lines;
}

void Write(const QStringList &lines)
{
    WriteWholeFile(QLatin1String(FileName), [&](RecordSink &sink) {
        for (const QString &line : lines)
            sink.Line(line);
    });
}

} // namespace ReturnAddress
