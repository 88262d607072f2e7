#include "clipboardmime.h"

#include "store/cliprecords.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <memory>

namespace ClipboardMime {

bool Put(const QByteArray &records, const QString &text)
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    auto mime = std::make_unique<QMimeData>();
    mime->setData(ClipRecords::Format, records);
    if (!text.isNull())
        mime->setText(text);
    clipboard->setMimeData(mime.release()); // the clipboard owns it now
    const QMimeData *held = clipboard->mimeData();
    return held && held->data(ClipRecords::Format) == records;
}

QByteArray Get()
{
    const QMimeData *held = QGuiApplication::clipboard()->mimeData();
    if (!held || !held->hasFormat(ClipRecords::Format))
        return {};
    return held->data(ClipRecords::Format);
}

} // namespace ClipboardMime
