#pragma once

#include "contactobject.h"
#include "personname.h"

// A person (kind 3): name parts, a composed full name in Value, and primary contact
// points among its children.
class TPersonObject : public TContactObject
{
public:
    TPersonObject(ItemKind kind, const QString &title, const QString &value, const QString &comment, qint32 id,
                  const QString &dataLine);

    const QString &Salutation() const { return nameParts().Salutation; }
    void SetSalutation(const QString &salutation) { nameParts().Salutation = salutation; }
    const QString &FirstName() const { return nameParts().FirstName; }
    void SetFirstName(const QString &firstName) { nameParts().FirstName = firstName; }
    const QString &MiddleName() const { return nameParts().MiddleName; }
    void SetMiddleName(const QString &middleName) { nameParts().MiddleName = middleName; }
    const QString &LastName() const { return nameParts().LastName; }
    void SetLastName(const QString &lastName) { nameParts().LastName = lastName; }
    const TPersonNames &Names() const { return nameParts(); }

    // The fields of a person's data line, in file order.
    static QStringList RecordFields(const TPersonNames &names, const TPrimaryTitles &primaries);

    void LoadFields(const QString &dataLine) override;
    void LoadFieldsFrom(const std::shared_ptr<const RecordSource> &source, qsizetype begin, qsizetype end) override;
    void AppendRecord(QByteArray &out, int level) const override;
    bool ImportFields(const QStringList &values, const QStringList &names) override;

    // What the person dialog's OK does: names, title, full name and comment, then the
    // primary pages, and the node shows the title. False (nothing changed) for a
    // person inside a remote folder.
    bool ApplyDialog(const QString &title, const TPersonNames &names, const QString &comment,
                     const TPrimaryPages &pages, bool isNew);

protected:
    bool OwnFieldCSV(CsvColumn column, const UnreadFields &line, CsvRow &row) const override;

private:
    void ReadFields(const QStringList &fields) override;
    TPersonNames &nameParts();
    const TPersonNames &nameParts() const { return const_cast<TPersonObject *>(this)->nameParts(); }

    // Made when first used, as the primary titles are.
    std::unique_ptr<TPersonNames> m_names;
};
