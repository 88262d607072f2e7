#pragma once

#include <QByteArray>
#include <QString>

// The desktop's clipboard as the edit commands use it: records in the private format
// "QUILLDESK", with plain text beside them for other programs.
namespace ClipboardMime {

// Puts records (and text, when not null) on the clipboard in one step. True once the
// clipboard holds those records: only then may a cut delete what it copied.
bool Put(const QByteArray &records, const QString &text = QString());
// The bytes of the private format on the clipboard, from this program or another copy
// of it; empty when there are none.
QByteArray Get();

} // namespace ClipboardMime
