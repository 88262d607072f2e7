#include "kindtable.h"

#include "addressobject.h"
#include "docobject.h"
#include "emailobject.h"
#include "faxobject.h"
#include "folderobject.h"
#include "orgobject.h"
#include "personobject.h"
#include "phoneobject.h"
#include "reminderobject.h"
#include "teamobject.h"
#include "toolobject.h"
#include "webobject.h"

namespace {

template <class Item>
std::unique_ptr<TZEBObject> make(ItemKind kind, const QString &title, const QString &value, const QString &comment,
                                 qint32 id, const QString &dataLine)
{
    return std::make_unique<Item>(kind, title, value, comment, id, dataLine);
}

constexpr KindInfo kKinds[] = {
    {ItemKind::Folder, "folder", "{Fold}", true, "New Folder", Image::Folder, make<TFolderObject>},
    {ItemKind::Organization, "organization", "{Orgn}", true, "New Organization", Image::Organization, make<TOrgObject>},
    {ItemKind::Team, "team", "{Team}", true, "New Team", Image::Team, make<TTeamObject>},
    {ItemKind::Person, "person", "{Pers}", true, "New Person", Image::Person, make<TPersonObject>},
    {ItemKind::Website, "website", "{Webs}", true, "New Website", Image::Website, make<TWebObject>},
    {ItemKind::Address, "address", "{Addr}", false, "New Address", Image::Address, make<TAddressObject>},
    {ItemKind::Phone, "phone", "{Phon}", false, "New Phone", Image::Phone, make<TPhoneObject>},
    {ItemKind::EMail, "email", "{Mail}", false, "New E-Mail", Image::EMail, make<TEMailObject>},
    {ItemKind::Fax, "fax", "{Faxs}", false, "New Fax", Image::Fax, make<TFaxObject>},
    {ItemKind::Reminder, "reminder", "{Remd}", false, "New Reminder", Image::Reminder, make<TReminderObject>},
    {ItemKind::Document, "document", "{Docs}", false, "New Document", Image::Document, make<TDocObject>},
    // The root's node is made with the tree, never by CreateItem.
    {ItemKind::Root, "root", "", false, "", Image::Root, nullptr},
    // A tool address is made from the Tools dialog, titled after its tool.
    {ItemKind::Tool, "tool", "{Tool}", false, "", Image::Document, make<TToolObject>},
};

constexpr bool rowsFollowTheCodes()
{
    for (int i = 0; i < int(std::size(kKinds)); ++i)
        if (KindCode(kKinds[i].kind) != i)
            return false;
    return true;
}
static_assert(rowsFollowTheCodes(), "a kind's row is found by its code");

} // namespace

std::span<const KindInfo> KindTable() { return kKinds; }

bool IsContainerKind(ItemKind kind)
{
    const KindInfo *info = FindKind(kind);
    return info && info->container;
}

const KindInfo *FindKind(ItemKind kind)
{
    const int code = KindCode(kind);
    return code >= 0 && code < int(std::size(kKinds)) ? &kKinds[code] : nullptr;
}

QString KindTag(ItemKind kind)
{
    const KindInfo *info = FindKind(kind);
    return info ? QString::fromLatin1(info->tag) : QString();
}

QString DefaultTitle(ItemKind kind)
{
    const KindInfo *info = FindKind(kind);
    return info ? QString::fromLatin1(info->defaultTitle) : QString();
}
