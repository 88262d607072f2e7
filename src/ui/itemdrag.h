#pragma once

#include <QMimeData>
#include <QString>

// Entries dragged within the main window. It names only the pane they come from: the
// drop acts on that pane's selection as it is then, so nothing dangles if an item goes
// away while the drag runs. Other programs see no format of it.
class TItemDrag : public QMimeData
{
    Q_OBJECT
public:
    enum class Source { Folders, MainItems };
    static inline const QString Format = QStringLiteral("application/x-mirabook-items");

    explicit TItemDrag(Source source) : m_source(source) { setData(Format, QByteArray()); }
    Source source() const { return m_source; }

    // The drag of this process from that pane, or none (another program's, or another kind).
    static const TItemDrag *from(const QMimeData *mime) { return qobject_cast<const TItemDrag *>(mime); }

private:
    Source m_source;
};
