#pragma once

#include "contactobject.h"

// An organization (kind 1): a container with primary contact points among its
// children, like a person without name parts. Value keeps what it was created with.
class TOrgObject : public TContactObject
{
public:
    TOrgObject(ItemKind kind, const QString &title, const QString &value, const QString &comment, qint32 id,
               const QString &dataLine);

    void LoadFields(const QString &dataLine) override;
    void LoadFieldsFrom(const std::shared_ptr<const RecordSource> &source, qsizetype begin, qsizetype end) override;
    void AppendRecord(QByteArray &out, int level) const override;
    bool ImportFields(const QStringList &values, const QStringList &names) override;

    // What the organization dialog's OK does: title and comment, then the primary
    // pages, and the node shows the title. False (nothing changed) inside a remote folder.
    bool ApplyDialog(const QString &title, const QString &comment, const TPrimaryPages &pages, bool isNew);
};
