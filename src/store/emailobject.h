#pragma once

#include "zebobject.h"

// An e-mail address (kind 7), a leaf item; its action sends mail.
class TEMailObject : public TZEBObject
{
public:
    TEMailObject(int kind, const QString &title, const QString &value, const QString &comment, qint32 id,
                 const QString &dataLine);

    void LoadFields(const QString &dataLine) override;
    QString GetRecordText(int level) const override;
    PopupVisibility PreparePopup() const override;
    bool EditNew(TTreeNode *node) override;
    bool ImportFields(const QStringList &values, const QStringList &names) override;
    QString GetFieldCSV(const QString &name) const override;
    void Open() override;
    void Edit() override;
    void SendMail(const QString &attachment) override;
    QString GetVCardLine() const override;

    // What the e-mail dialog's OK does: needs an address; the title may be empty.
    bool ApplyDialog(const QString &title, const QString &address, const QString &comment);
};
