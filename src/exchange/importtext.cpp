#include "importtext.h"

#include "vcardtext.h"

#include "platform/safefiles.h"
#include "platform/textcodec.h"
#include "store/recordfile.h"
#include "store/treenodes.h"
#include "store/zebobject.h"

#include <QFile>

namespace ImportText {

QByteArray ReadBytes(const QString &fileName, qint64 maxSize)
{
    QFile file;
    QString why;
    switch (SafeFiles::OpenForReading(file, fileName, &why)) {
    case SafeFiles::Opened::Yes:
        break;
    case SafeFiles::Opened::CannotOpen:
        throw EInOutError(QStringLiteral("Cannot open \"%1\": %2").arg(fileName, why));
    case SafeFiles::Opened::NotAFile:
        throw EInOutError(why);
    }
    if (file.size() > maxSize)
        throw EInOutError(QStringLiteral("\"%1\" is larger than %2, more than a file of this kind holds; nothing was imported")
                              .arg(fileName,
                                   maxSize >= 1024 * 1024 ? QStringLiteral("%1 MB").arg(maxSize / (1024 * 1024))
                                                          : QStringLiteral("%1 KB").arg(maxSize / 1024)));
    // Read no further than the size it had when opened, whatever is appended meanwhile.
    QByteArray bytes = file.read(file.size());
    if (file.error() != QFile::NoError)
        throw EInOutError(QStringLiteral("Cannot read \"%1\": %2").arg(fileName, file.errorString()));
    return bytes;
}

QString Decode(const QByteArray &bytes, const QString &fileName)
{
    // UTF-16 comes back as UTF-8; the byte-order mark of either goes.
    const QByteArray utf8 = VCardBytesAsUtf8(bytes);
    if (const qsizetype nul = utf8.indexOf('\0'); nul >= 0)
        throw EInOutError(QStringLiteral("\"%1\" is not a text file (it holds bytes no text has, at line %2); nothing was imported")
                              .arg(fileName)
                              .arg(utf8.left(nul).count('\n') + 1));
    return decodeLocalText(utf8);
}

QString ReadText(const QString &fileName, qint64 maxSize) { return Decode(ReadBytes(fileName, maxSize), fileName); }

} // namespace ImportText

QString ImportShortfall(const ImportNotes &notes)
{
    QStringList parts;
    if (notes.skipped > 0)
        parts << (notes.skipped == 1 ? QStringLiteral("1 record made no item (line %1)").arg(notes.firstSkippedLine)
                                     : QStringLiteral("%1 records made no item (the first at line %2)")
                                           .arg(notes.skipped)
                                           .arg(notes.firstSkippedLine));
    parts << notes.problems;
    if (parts.isEmpty())
        return QString();
    return QStringLiteral("%1 imported; %2").arg(notes.made == 1 ? QStringLiteral("1 item was") : QStringLiteral("%1 items were").arg(notes.made),
                                                 parts.join(QLatin1String("; ")));
}

void DiscardItem(TZEBObject *item)
{
    if (item->IsContainer()) {
        TTreeNode *node = item->Node();
        node->Owner()->Delete(node);
        return;
    }
    if (TTreeNode *owner = item->Node())
        owner->Item()->RemoveChild(item);
}
