#pragma once

#include "zebobject.h"

// A phone number (kind 6), a leaf item. Value is the number as it was shown in its
// field, format literals included. Caller ID keeps its history as phone items
// that belong to no owner.
class TPhoneObject : public TZEBObject
{
public:
    TPhoneObject(int kind, const QString &title, const QString &value, const QString &comment, qint32 id,
                 const QString &dataLine);

    const QString &Extension() const { return m_extension; }
    void SetExtension(const QString &extension) { m_extension = extension; }

    void LoadFields(const QString &dataLine) override;
    QString GetRecordText(int level) const override;
    PopupVisibility PreparePopup() const override;
    bool EditNew(TTreeNode *node) override;
    bool ImportFields(const QStringList &values, const QStringList &names) override;
    QString GetFieldCSV(const QString &name) const override;
    void Open() override;
    void Edit() override;
    void Dial() override;
    QString GetVCardLine() const override;

    // What the phone dialog's OK does. Takes the values only with a title and a number
    // (bareNumber: the typed digits without the mask's literals; shownNumber becomes
    // Value). Returns whether they were taken.
    bool ApplyDialog(const QString &title, const QString &shownNumber, const QString &bareNumber,
                     const QString &comment, const QString &extension);

private:
    QString m_extension;
};
