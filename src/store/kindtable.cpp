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
std::unique_ptr<TZEBObject> make(int kind, const QString &title, const QString &value, const QString &comment,
                                 qint32 id, const QString &dataLine)
{
    return std::make_unique<Item>(kind, title, value, comment, id, dataLine);
}

constexpr KindInfo kKinds[] = {
    {Kinds::Folder, "folder", "{Fold}", true, "New Folder", Image::Folder, make<TFolderObject>},
    {Kinds::Organization, "organization", "{Orgn}", true, "New Organization", Image::Organization, make<TOrgObject>},
    {Kinds::Team, "team", "{Team}", true, "New Team", Image::Team, make<TTeamObject>},
    {Kinds::Person, "person", "{Pers}", true, "New Person", Image::Person, make<TPersonObject>},
    {Kinds::Website, "website", "{Webs}", true, "New Website", Image::Website, make<TWebObject>},
    {Kinds::Address, "address", "{Addr}", false, "New Address", Image::Address, make<TAddressObject>},
    {Kinds::Phone, "phone", "{Phon}", false, "New Phone", Image::Phone, make<TPhoneObject>},
    {Kinds::EMail, "email", "{Mail}", false, "New E-Mail", Image::EMail, make<TEMailObject>},
    {Kinds::Fax, "fax", "{Faxs}", false, "New Fax", Image::Fax, make<TFaxObject>},
    {Kinds::Reminder, "reminder", "{Remd}", false, "New Reminder", Image::Reminder, make<TReminderObject>},
    {Kinds::Document, "document", "{Docs}", false, "New Document", Image::Document, make<TDocObject>},
    // The root's node is made with the tree, never by CreateItem.
    {Kinds::Root, "root", "", false, "", Image::Root, nullptr},
    // A tool address is made from the Tools dialog, titled after its tool.
    {Kinds::Tool, "tool", "{Tool}", false, "", Image::Document, make<TToolObject>},
};

constexpr bool rowsFollowTheCodes()
{
    for (int i = 0; i < int(std::size(kKinds)); ++i)
        if (kKinds[i].kind != i)
            return false;
    return true;
}
static_assert(rowsFollowTheCodes(), "a kind's row is found by its code");

} // namespace

std::span<const KindInfo> KindTable() { return kKinds; }

bool Kinds::isContainer(int kind)
{
    const KindInfo *info = FindKind(kind);
    return info && info->container;
}

const KindInfo *FindKind(int kind)
{
    return kind >= 0 && kind < int(std::size(kKinds)) ? &kKinds[kind] : nullptr;
}

QString KindTag(int kind)
{
    const KindInfo *info = FindKind(kind);
    return info ? QString::fromLatin1(info->tag) : QString();
}

QString DefaultTitle(int kind)
{
    const KindInfo *info = FindKind(kind);
    return info ? QString::fromLatin1(info->defaultTitle) : QString();
}
