#pragma once

#include "contactpoint.h"

// A fax number (kind 8), a leaf item: sent to through the mail service, or dialled.
class TFaxObject : public TContactPointObject
{
public:
    TFaxObject(ItemKind kind, const QString &title, const QString &value, const QString &comment, qint32 id,
               const QString &dataLine);

    PopupVisibility PreparePopup() const override;
    void Open() override;
    void SendFax(const QString &attachment) override;
    void Dial() override;
    QString GetVCardLine() const override;

    // What the fax dialog's OK does. A new fax needs a title and a typed number
    // (bareNumber); an existing one only a title, and takes the field's text as it is.
    bool ApplyDialog(const QString &title, const QString &shownNumber, const QString &bareNumber,
                     const QString &comment, bool isNew);
};
