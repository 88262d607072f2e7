#pragma once

#include "linescan.h"
#include "exchange/csvcolumns.h"
#include "zebobject.h"

#include <optional>

// What the primary pages of the person and organization dialogs hold when OK is
// taken. The number fields give two texts: as shown (with the mask's literals,
// which becomes Value) and bare (only what was typed, which tells whether a
// number was entered); without a mask both are the same.
struct TPrimaryPages
{
    QString AddrTitle;
    QStringList AddrLines;
    QString City, State, PostCode, Country, AddrComment;

    QString PhoneTitle, PhoneNum, PhoneBare, Extension, PhoneComment;
    QString FaxTitle, FaxNum, FaxBare, FaxComment;
    QString EMailTitle, EMailAddr, EMailComment;
    QString WebTitle, Web, WebComment;
};

// The titles of a contact's primary children.
struct TPrimaryTitles
{
    QString Address, Phone, Fax, EMail, Website;

    // The field of a contact kind (5, 6, 7, 8 or 4); none for any other kind.
    QString *Of(ItemKind kind);
    const QString *Of(ItemKind kind) const { return const_cast<TPrimaryTitles *>(this)->Of(kind); }
};

// A person or an organization: a container that refers to one primary address,
// phone, fax, e-mail address and website among its own children, by Title. Its
// actions go to those children.
class TContactObject : public TZEBObject
{
public:
    TContactObject(ItemKind kind, const QString &title, const QString &value, const QString &comment, qint32 id);

    const QString &PrimaryAddress() const { return primaries().Address; }
    void SetPrimaryAddress(const QString &title) { primaries().Address = title; }
    const QString &PrimaryPhone() const { return primaries().Phone; }
    void SetPrimaryPhone(const QString &title) { primaries().Phone = title; }
    const QString &PrimaryFax() const { return primaries().Fax; }
    void SetPrimaryFax(const QString &title) { primaries().Fax = title; }
    const QString &PrimaryEMail() const { return primaries().EMail; }
    void SetPrimaryEMail(const QString &title) { primaries().EMail = title; }
    const QString &PrimaryWebsite() const { return primaries().Website; }
    void SetPrimaryWebsite(const QString &title) { primaries().Website = title; }

    // The five primary fields in record order (an organization's whole data line).
    static QStringList PrimaryFields(const TPrimaryTitles &primaries);
    const TPrimaryTitles &Primaries() const { return primaries(); }

    // The primary field of a contact kind (5, 6, 7, 8 or 4); empty for any other kind.
    QString PrimaryTitle(ItemKind kind) const;
    void SetPrimaryTitle(ItemKind kind, const QString &title);
    // The primary child of a contact kind, or none.
    TZEBObject *PrimaryChild(ItemKind kind) const;

    // A column of its own (title, names, comment), else the first primary child that has
    // the column (address, phone, fax, e-mail, website in turn), else an empty cell ",".
    QString GetFieldCSV(const QString &name) const override;
    // The same cells for every column, the primary children found once; fields still in
    // the file, the contact's or its waiting leaf records', are read where they lie.
    void AppendCSVCells(const CsvColumns &columns, CsvRow &row) const override;

    PopupVisibility PreparePopup() const override;
    bool EditNew(TTreeNode *node) override;
    void Edit() override;
    void Dial() override;
    void SendFax(const QString &attachment) override;
    void SendMail(const QString &attachment) override;
    void Browse() override;

    // Titles of the children of a kind, for the dialogs' title lists: the leaf
    // children in order, then (for websites) the child nodes.
    QStringList ChildTitles(ItemKind kind) const;
    // The dialog's pages on OK: each page updates the child of its title or creates
    // one under this item's node, and points the primary field at it. A new item's
    // address page needs street text; an existing item's does not.
    void ApplyPrimaryPages(const TPrimaryPages &pages, bool isNew);

    // Imports one contact point of a CSV record as a child titled childTitle; on
    // success the primary field of that kind names it, otherwise the child is removed.
    void ImportChild(ItemKind kind, const QString &childTitle, const QStringList &names, const QStringList &values);
    // The title a contact point imported from a CSV record gets ("Primary Phone"...).
    static QString ImportedChildTitle(ItemKind kind);

protected:

    // Takes the five primary fields from fields[first...]; missing ones are left empty.
    void LoadPrimaryFields(const QStringList &fields, qsizetype first);
    // The fields of the data line after the tag where they lie in the file, while they
    // are not read yet (source none once they are).
    struct UnreadFields
    {
        const RecordSource *source = nullptr;
        LineScan::Fields fields;
        // Writes the cell of field index (an empty one past the last), as it reads.
        void Cell(qsizetype index, CsvRow &row) const;
    };
    // The cell of one of the kind's own columns; false for any other column.
    virtual bool OwnFieldCSV(CsvColumn column, const UnreadFields &line, CsvRow &row) const;
    // The five contact points of a CSV record, with the record's comment left out.
    void ImportPrimaryChildren(QStringList values, QStringList names);
    // The own node shows the title (the dialogs end with this).
    void ShowTitleOnNode();

    // Takes the fields of a data line of the tag (ReadFields), and the categories at
    // fields[categoriesIndex]. Another tag changes nothing.
    void TakeFields(const QString &dataLine, const QString &tag, qsizetype categoriesIndex);
    // The same for a data line in a file, whose fields are read when first needed: a load
    // makes many thousand contacts whose details are never looked at. The categories are
    // read at once.
    // The five primary fields lie just before the categories.
    void DeferFields(const std::shared_ptr<const RecordSource> &source, qsizetype begin, qsizetype end,
                     const QString &tag, qsizetype categoriesIndex);
    // Reads the fields after the tag of a data line.
    virtual void ReadFields(const QStringList &fields) { LoadPrimaryFields(fields, 0); }
    // The record with its data line copied as it was read, when its fields were never read
    // and writing them again would give the same bytes: fieldCount fields, none with a "~"
    // (which an encoded field holds, or a "~note" of the Windows program), in UTF-8. The
    // categories are written as they are now. False, and nothing appended, otherwise.
    bool AppendUnreadRecord(QByteArray &out, int level, const QString &tag, qsizetype fieldCount) const;
    // Every use of the fields a data line gives goes through this first.
    void EnsureFields() const
    {
        if (m_deferred.source)
            readDeferredFields();
    }

private:
    TZEBObject *CreateChild(ItemKind kind, const QString &title, const QString &value, const QString &comment);
    // The child a dialog page names: the existing one of that title, or a new one.
    TZEBObject *ChildForPage(ItemKind kind, const QString &title);

    void readDeferredFields() const;
    TPrimaryTitles &primaries();
    const TPrimaryTitles &primaries() const { return const_cast<TContactObject *>(this)->primaries(); }

    // Made when first used: a contact nobody looks at keeps only its data line.
    std::unique_ptr<TPrimaryTitles> m_primaries;
    // The fields after the tag of a data line not read yet (none: no source). Narrow, as
    // every contact of a large database keeps one.
    struct DeferredLine
    {
        std::shared_ptr<const RecordSource> source;
        qsizetype begin = 0;
        qint32 length = 0;
        qint32 primariesAt = 0;
        qsizetype end() const { return begin + length; }
    };
    mutable DeferredLine m_deferred;
};
