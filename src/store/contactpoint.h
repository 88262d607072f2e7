#pragma once

#include "zebobject.h"

// What one kind of contact point writes and exports: the tag of its data line and the CSV
// column of its Value. Each kind keeps one for all its items.
struct ContactPointNames
{
    QString tag;
    QString valueColumn;
};

// What phones, faxes, e-mail addresses and websites share: a data line of the tag and
// the categories, a CSV column for Value beside "Title" and "Comment", and their own
// properties dialog.
class TContactPointObject : public TZEBObject
{
public:
    TContactPointObject(ItemKind kind, const QString &title, const QString &value, const QString &comment, qint32 id,
                        const ContactPointNames &names);

    void LoadFields(const QString &dataLine) override;
    void LoadFieldsFrom(const std::shared_ptr<const RecordSource> &source, qsizetype begin, qsizetype end) override;
    void AppendRecord(QByteArray &out, int level) const override;
    bool EditNew(TTreeNode *node) override;
    void Edit() override;
    // Reads the value column, "Title" and "Comment". True only when the value column
    // is there and both Title and Value are not empty.
    bool ImportFields(const QStringList &values, const QStringList &names) override;
    QString GetFieldCSV(const QString &name) const override;
    bool AppendFieldCSV(CsvColumn column, const QString &name, CsvRow &row) const override;

protected:
    // The fields between the tag and the categories (a phone's extension).
    virtual QStringList OwnFields() const { return {}; }
    virtual void SetOwnFields(const QStringList &) {}
    // A record without a "Title" column: names the item from its value and returns
    // true, or returns false when the record cannot be taken without a title.
    virtual bool TitleFromValue() { return false; }
    // The dialog's OK once its conditions hold.
    void TakeDialogValues(const QString &title, const QString &value, const QString &comment);

private:
    // The field a column of its own shows: title, value or comment; none for another column.
    const QString *csvField(const QString &name) const;

    const ContactPointNames &m_names; // the kind's own, which outlives every item
};
