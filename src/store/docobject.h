#pragma once

#include "launchobject.h"

// A document (kind 10): a shortcut to a file. Value is the file's full path.
// Launching it opens the file with the program the desktop associates with it.
class TDocObject : public TLaunchObject
{
public:
    TDocObject(ItemKind kind, const QString &title, const QString &value, const QString &comment, qint32 id,
               const QString &dataLine);

    // Fetches the file's own icon once the document has a path.
    void UpdateIcon();

    void LoadFields(const QString &dataLine) override;
    void AppendRecord(QByteArray &out, int level) const override;
    void Launch() override;

    // What the document dialog's OK does: with both texts not empty, takes the title,
    // path and comment and fetches the icon. False, changing nothing, otherwise.
    bool ApplyDialog(const QString &title, const QString &fileName, const QString &comment);
};
