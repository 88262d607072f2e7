#pragma once

#include "zebobject.h"

// A team (kind 2): a plain named container, typically inside an organization.
// A new team is named in place in the folder tree.
class TTeamObject : public TZEBObject
{
public:
    TTeamObject(ItemKind kind, const QString &title, const QString &value, const QString &comment, qint32 id,
                const QString &dataLine);

    void LoadFields(const QString &dataLine) override;
    void AppendRecord(QByteArray &out, int level) const override;
    void Edit() override;

    // What the team dialog's OK does; an empty title is accepted. False (nothing
    // changed) inside a remote folder.
    bool ApplyDialog(const QString &title, const QString &comment);
};
