#pragma once

#include "contactpoint.h"

// A phone number (kind 6), a leaf item. Value is the number as it was shown in its
// field, format literals included. Caller ID keeps its history as phone items
// that belong to no owner.
class TPhoneObject : public TContactPointObject
{
public:
    TPhoneObject(ItemKind kind, const QString &title, const QString &value, const QString &comment, qint32 id,
                 const QString &dataLine);

    const QString &Extension() const { return m_extension; }
    void SetExtension(const QString &extension) { m_extension = extension; }

    // The fields of a phone's data line before its categories.
    static QStringList RecordFields(const QString &extension) { return {extension}; }

    PopupVisibility PreparePopup() const override;
    bool ImportFields(const QStringList &values, const QStringList &names) override;
    QString GetFieldCSV(const QString &name) const override;
    void Open() override;
    void Dial() override;
    QString GetVCardLine() const override;

    // What the phone dialog's OK does. Takes the values only with a title and a number
    // (bareNumber: the typed digits without the mask's literals; shownNumber becomes
    // Value). Returns whether they were taken.
    bool ApplyDialog(const QString &title, const QString &shownNumber, const QString &bareNumber,
                     const QString &comment, const QString &extension);

protected:
    QStringList OwnFields() const override { return RecordFields(m_extension); }
    void SetOwnFields(const QStringList &fields) override { m_extension = fields.value(0); }

private:
    QString m_extension;
};
