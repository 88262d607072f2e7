#include "primarypage.h"

#include "addressobject.h"
#include "phoneobject.h"
#include "treenodes.h"

TPrimaryPages NewPrimaryPages()
{
    TPrimaryPages pages;
    pages.AddrTitle = QStringLiteral("Primary Address");
    pages.PhoneTitle = QStringLiteral("Primary Phone");
    pages.FaxTitle = QStringLiteral("Primary FAX");
    pages.EMailTitle = QStringLiteral("Primary E-Mail");
    pages.WebTitle = QStringLiteral("Primary Website");
    return pages;
}

bool HasContactChildren(const TContactObject &owner)
{
    return owner.HasChildren() || (owner.Node() && owner.Node()->Item() == &owner && owner.Node()->Count() > 0);
}

TPrimaryPages PrimaryPagesOf(const TContactObject &owner)
{
    TPrimaryPages pages;
    if (!HasContactChildren(owner))
        return pages;
    pages.AddrTitle = owner.PrimaryAddress();
    pages.PhoneTitle = owner.PrimaryPhone();
    pages.FaxTitle = owner.PrimaryFax();
    pages.EMailTitle = owner.PrimaryEMail();
    pages.WebTitle = owner.PrimaryWebsite();
    for (ItemKind kind : {ItemKind::Address, ItemKind::Phone, ItemKind::Fax, ItemKind::EMail, ItemKind::Website})
        ReadPrimaryPage(owner, kind, owner.PrimaryTitle(kind), pages);
    return pages;
}

bool ReadPrimaryPage(const TContactObject &owner, ItemKind kind, const QString &title, TPrimaryPages &pages)
{
    const TZEBObject *child = owner.FindChild(title, kind);
    if (!child)
        return false;
    switch (kind) {
    case ItemKind::Address:
        if (auto *address = dynamic_cast<const TAddressObject *>(child)) {
            pages.AddrLines = address->Lines();
            pages.City = address->City();
            pages.State = address->State();
            pages.PostCode = address->PostalCode();
            pages.Country = address->Country();
        }
        pages.AddrComment = child->Comment();
        return true;
    case ItemKind::Phone:
        pages.PhoneNum = pages.PhoneBare = child->Value();
        if (auto *phone = dynamic_cast<const TPhoneObject *>(child))
            pages.Extension = phone->Extension();
        pages.PhoneComment = child->Comment();
        return true;
    case ItemKind::Fax:
        pages.FaxNum = pages.FaxBare = child->Value();
        pages.FaxComment = child->Comment();
        return true;
    case ItemKind::EMail:
        pages.EMailAddr = child->Value();
        pages.EMailComment = child->Comment();
        return true;
    case ItemKind::Website:
        pages.Web = child->Value();
        pages.WebComment = child->Comment();
        return true;
    default:
        return false;
    }
}
