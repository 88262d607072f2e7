#pragma once

#include "zebobject.h"

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

// A person or an organization: a container that refers to one primary address,
// phone, fax, e-mail address and website among its own children, by Title. Its
// actions go to those children.
class TContactObject : public TZEBObject
{
public:
    TContactObject(int kind, const QString &title, const QString &value, const QString &comment, qint32 id);

    const QString &PrimaryAddress() const { return m_primaryAddress; }
    void SetPrimaryAddress(const QString &title) { m_primaryAddress = title; }
    const QString &PrimaryPhone() const { return m_primaryPhone; }
    void SetPrimaryPhone(const QString &title) { m_primaryPhone = title; }
    const QString &PrimaryFax() const { return m_primaryFax; }
    void SetPrimaryFax(const QString &title) { m_primaryFax = title; }
    const QString &PrimaryEMail() const { return m_primaryEMail; }
    void SetPrimaryEMail(const QString &title) { m_primaryEMail = title; }
    const QString &PrimaryWebsite() const { return m_primaryWebsite; }
    void SetPrimaryWebsite(const QString &title) { m_primaryWebsite = title; }

    // The primary field of a contact kind (5, 6, 7, 8 or 4); empty for any other kind.
    QString PrimaryTitle(int kind) const;
    void SetPrimaryTitle(int kind, const QString &title);
    // The primary child of a contact kind, or none.
    TZEBObject *PrimaryChild(int kind) const;

    PopupVisibility PreparePopup() const override;
    bool EditNew(TTreeNode *node) override;
    void Edit() override;
    void Dial() override;
    void SendFax(const QString &attachment) override;
    void SendMail(const QString &attachment) override;
    void Browse() override;

    // Titles of the children of a kind, for the dialogs' title lists: the leaf
    // children in order, then (for websites) the child nodes.
    QStringList ChildTitles(int kind) const;
    // The dialog's pages on OK: each page updates the child of its title or creates
    // one under this item's node, and points the primary field at it. A new item's
    // address page needs street text; an existing item's does not.
    void ApplyPrimaryPages(const TPrimaryPages &pages, bool isNew);

    // Imports one contact point of a CSV record as a child titled childTitle; on
    // success the primary field of that kind names it, otherwise the child is removed.
    void ImportChild(int kind, const QString &childTitle, const QStringList &names, const QStringList &values);

protected:
    // The five primary fields in record order.
    QStringList PrimaryFields() const;
    // Takes the five primary fields from fields[first...]; missing ones are left empty.
    void LoadPrimaryFields(const QStringList &fields, qsizetype first);
    // The cell of a column the item itself does not have, asked of the primary
    // address, phone, fax, e-mail and website in turn; an empty cell when none knows it.
    QString PrimaryFieldCSV(const QString &name) const;
    // The five contact points of a CSV record, with the record's comment left out.
    void ImportPrimaryChildren(QStringList values, QStringList names);
    // The own node shows the title (the dialogs end with this).
    void ShowTitleOnNode();

private:
    TZEBObject *CreateChild(int kind, const QString &title, const QString &value, const QString &comment);
    // The child a dialog page names: the existing one of that title, or a new one.
    TZEBObject *ChildForPage(int kind, const QString &title);

    QString m_primaryAddress;
    QString m_primaryPhone;
    QString m_primaryFax;
    QString m_primaryEMail;
    QString m_primaryWebsite;
};
