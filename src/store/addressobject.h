#pragma once

#include "zebobject.h"

// A postal address (kind 5), a leaf item. Value is always the first street line.
// Lines holds at least three entries; only the first three are stored in the file.
class TAddressObject : public TZEBObject
{
public:
    TAddressObject(ItemKind kind, const QString &title, const QString &value, const QString &comment, qint32 id,
                   const QString &dataLine);

    const QStringList &Lines() const { return m_lines; }
    // Replaces the street lines, padded with empty ones to three.
    void SetLines(const QStringList &lines);
    const QString &City() const { return m_city; }
    void SetCity(const QString &city) { m_city = city; }
    const QString &State() const { return m_state; }
    void SetState(const QString &state) { m_state = state; }
    const QString &PostalCode() const { return m_postalCode; }
    void SetPostalCode(const QString &postalCode) { m_postalCode = postalCode; }
    const QString &Country() const { return m_country; }
    void SetCountry(const QString &country) { m_country = country; }

    // The fields of an address's data line, in file order: three street lines and the rest.
    static QStringList RecordFields(const QStringList &lines, const QString &city, const QString &state,
                                    const QString &postalCode, const QString &country);

    void LoadFields(const QString &dataLine) override;
    void AppendRecord(QByteArray &out, int level) const override;
    PopupVisibility PreparePopup() const override;
    bool EditNew(TTreeNode *node) override;
    bool ImportFields(const QStringList &values, const QStringList &names) override;
    QString GetFieldCSV(const QString &name) const override;
    void Edit() override;
    QString GetVCardLine() const override;
    QString GetText() const override;

    // What the address dialog's OK does: needs a title, and for a new address street
    // text too. Takes the title, the lines (Value := the first), comment and the rest.
    struct DialogValues
    {
        QString Title;
        QStringList Lines;
        QString City, State, PostalCode, Country, Comment;
    };
    bool ApplyDialog(const DialogValues &values, bool isNew);

private:
    QStringList m_lines;
    QString m_city;
    QString m_state;
    QString m_postalCode;
    QString m_country;
};

// Memo lines have text when any of them is not empty.
bool HasStreetText(const QStringList &lines);
