#include "folderobject.h"

#include "folderlocation.h"
#include "itemfactory.h"
#include "itemservices.h"
#include "ranmar.h"
#include "recordfile.h"
#include "remotepath.h"
#include "treenodes.h"
#include "kindtable.h"

#include <QFileInfo>
#include <QScopedValueRollback>

namespace {
const QString kTag = KindTag(ItemKind::Folder);

bool isHttp(const QString &location) { return FolderLocation::isHttp(location); }

} // namespace

TFolderObject::TFolderObject(ItemKind kind, const QString &title, const QString &value, const QString &comment,
                             qint32 id, const QString &dataLine)
    : TZEBObject(kind, title, value, comment, id)
{
    SetRemote(!value.isEmpty());
    LoadFields(dataLine);
}

void TFolderObject::LoadFields(const QString &dataLine)
{
    QStringList fields;
    if (!DataFields(dataLine, kTag, fields))
        return;
    bool ok = false;
    const int categories = fields.value(0).toInt(&ok);
    SetCategories(ok ? categories : 0);
}

void TFolderObject::AppendRecord(QByteArray &out, int level) const { AppendRecordWithData(out, level, kTag, {}); }

void TFolderObject::SetValue(const QString &value)
{
    if (value == Value())
        return;
    SetValueField(value);
    // Whatever the new source's time, it has never been read.
    m_lastRefresh = 0;
    m_newLocation = !value.isEmpty();
    if (!value.isEmpty()) {
        ClearContents();
        SetRemote(true);
    } else {
        SetRemote(false);
        // What it showed stays, as ordinary writable items.
        if (Node() && Node()->Item() == this)
            PlaceAgain(Node());
    }
    if (Node() && Node()->Item() == this) {
        Node()->SetImageIndex(GetImageIndex());
        Node()->SetSelectedIndex(GetSelectedIndex());
    }
}

void TFolderObject::Edit()
{
    const QString before = Value();
    Services().EditItem(*this, false);
    if (IsRemote() && Value() != before)
        Refresh();
}

void TFolderObject::ClearContents()
{
    if (Node() && Node()->Item() == this)
        Node()->Owner()->DeleteChildren(Node());
}

double TFolderObject::GetSourceTime() const
{
    const QString location = Value();
    if (isHttp(location)) {
        const auto &http = Context().Http();
        return http.lastModified ? http.lastModified(location) : 0.0;
    }
    QFileInfo info(location);
    // A pipe or a device is there, and the refresh says why it is not read.
    if (location.isEmpty() || !info.exists() || (info.isFile() && !info.isReadable()))
        return 0.0;
    return ToDateTimeNumber(info.lastModified());
}

void TFolderObject::Refresh() { RefreshWithin(RemotePath::Above(Node())); }

void TFolderObject::RefreshWithin(const RemotePath &above)
{
    const double t = GetSourceTime();
    if (t <= 0 && m_newLocation) {
        m_newLocation = false;
        throw EInOutError(QStringLiteral("Cannot read \"%1\".").arg(Value()));
    }
    if (t <= m_lastRefresh)
        return;
    m_newLocation = false;
    if (above.Holds(Value())) {
        // Taken as read, so the user hears of it once and not at every selection.
        m_lastRefresh = ToDateTimeNumber(QDateTime::currentDateTime());
        Services().ShowInformation(QStringLiteral("The remote folder \"%1\" leads back to \"%2\", which is being read "
                                                  "already; it is not read again inside itself.")
                                       .arg(Title(), Value()));
        return;
    }
    DatabaseContext &context = Node()->Owner()->Context();
    QString file = Value();
    if (isHttp(file)) {
        if (!context.Http().fetch)
            return;
        // Downloaded first: a transfer that fails leaves the folder as it was.
        file = QStringLiteral("http_import_file.mbd");
        context.Http().fetch(Value(), file);
    }
    ClearContents();
    {
        const QScopedValueRollback loading(context.RemoteLoadingFlag(), true);
        ImportFile(Node(), file);
    }
    m_lastRefresh = ToDateTimeNumber(QDateTime::currentDateTime());
}
