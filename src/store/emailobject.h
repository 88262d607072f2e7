#pragma once

#include "contactpoint.h"

// An e-mail address (kind 7), a leaf item; its action sends mail.
class TEMailObject : public TContactPointObject
{
public:
    TEMailObject(ItemKind kind, const QString &title, const QString &value, const QString &comment, qint32 id,
                 const QString &dataLine);

    PopupVisibility PreparePopup() const override;
    void Open() override;
    void SendMail(const QString &attachment) override;
    QString GetVCardLine() const override;

    // What the e-mail dialog's OK does: needs an address; the title may be empty.
    bool ApplyDialog(const QString &title, const QString &address, const QString &comment);

protected:
    // The part of the address before "@".
    bool TitleFromValue() override;
};
