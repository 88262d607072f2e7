#pragma once

#include "zebobject.h"

#include <QDateTime>

class RemotePath;

// A folder; with a location in Value it is a remote, read-only folder whose
// contents are read from an exported file.
class TFolderObject : public TZEBObject
{
public:
    TFolderObject(ItemKind kind, const QString &title, const QString &value, const QString &comment, qint32 id,
                  const QString &dataLine);

    // Days since 30 December 1899; 0 when never read.
    double LastRefresh() const { return m_lastRefresh; }

    void SetValue(const QString &value) override;
    void LoadFields(const QString &dataLine) override;
    void AppendRecord(QByteArray &out, int level) const override;
    // The folder dialog; a location changed there is read at once.
    void Edit() override;
    // Reads the source when it changed since the last read, or when the location is
    // new; raises EInOutError when a new location cannot be read.
    void Refresh() override;

    // Refresh below remote folders whose sources are above: a source already being read
    // on the way down is not read again, and the user is told which folder loops.
    void RefreshWithin(const RemotePath &above);

    void ClearContents();
    // Modification time of the source as a date-time number; 0 when unreadable.
    double GetSourceTime() const;
    // "http://" and "https://" sources are read through the database's DatabaseContext::Http.

private:
    double m_lastRefresh = 0;
    // Set by a new location until its first read: a source that cannot be read then is
    // reported (once), where a folder loaded with the database stays quietly empty.
    bool m_newLocation = false;
};
