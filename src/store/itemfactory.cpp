#include "itemfactory.h"

#include "addressobject.h"
#include "docobject.h"
#include "emailobject.h"
#include "faxobject.h"
#include "folderobject.h"
#include "orgobject.h"
#include "personobject.h"
#include "phoneobject.h"
#include "ranmar.h"
#include "reminderobject.h"
#include "teamobject.h"
#include "toolobject.h"
#include "treenodes.h"
#include "webobject.h"
#include "zebobject.h"

#include <stdexcept>

namespace {
bool g_remoteLoading = false;
}

bool RemoteLoading() { return g_remoteLoading; }
void SetRemoteLoading(bool on) { g_remoteLoading = on; }

std::unique_ptr<TZEBObject> MakeItem(int kind, const QString &title, const QString &value,
                                     const QString &comment, const QString &dataLine, qint32 id)
{
    if (id == 0)
        id = ItemIds::Next();
    std::unique_ptr<TZEBObject> item;
    switch (kind) {
    case Kinds::Folder:
        item = std::make_unique<TFolderObject>(kind, title, value, comment, id, dataLine);
        break;
    // KIND CASES: each kind adds its line here.
    case Kinds::Organization:
        item = std::make_unique<TOrgObject>(kind, title, value, comment, id, dataLine);
        break;
    case Kinds::Team:
        item = std::make_unique<TTeamObject>(kind, title, value, comment, id, dataLine);
        break;
    case Kinds::Person:
        item = std::make_unique<TPersonObject>(kind, title, value, comment, id, dataLine);
        break;
    case Kinds::Website:
        item = std::make_unique<TWebObject>(kind, title, value, comment, id, dataLine);
        break;
    case Kinds::Address:
        item = std::make_unique<TAddressObject>(kind, title, value, comment, id, dataLine);
        break;
    case Kinds::Phone:
        item = std::make_unique<TPhoneObject>(kind, title, value, comment, id, dataLine);
        break;
    case Kinds::EMail:
        item = std::make_unique<TEMailObject>(kind, title, value, comment, id, dataLine);
        break;
    case Kinds::Fax:
        item = std::make_unique<TFaxObject>(kind, title, value, comment, id, dataLine);
        break;
    case Kinds::Reminder:
        item = std::make_unique<TReminderObject>(kind, title, value, comment, id, dataLine);
        break;
    case Kinds::Document:
        item = std::make_unique<TDocObject>(kind, title, value, comment, id, dataLine);
        break;
    case Kinds::Tool:
        item = std::make_unique<TToolObject>(kind, title, value, comment, id, dataLine);
        break;
    case Kinds::Root:
        return std::make_unique<TZEBObject>(kind, title, value, comment, id);
    default:
        item = std::make_unique<TZEBObject>(kind, title, value, comment, id);
        if (kind != Kinds::Root)
            item->SetRawDataLine(dataLine);
        break;
    }
    return item;
}

std::unique_ptr<TZEBObject> MakeRootItem()
{
    return std::make_unique<TZEBObject>(Kinds::Root, QStringLiteral("My Contacts"), QString(), QString(), ItemIds::RootId);
}

TZEBObject *CreateItem(int kind, const QString &title, const QString &value, const QString &comment,
                       TTreeNode *ownerNode, const QString &dataLine, qint32 id)
{
    if (!ownerNode)
        throw std::invalid_argument("CreateItem needs an owner node; use MakeItem for a loose item");
    if (!g_remoteLoading) {
        const TZEBObject *owner = ownerNode->Item();
        if (owner && (owner->IsRemote() || owner->InRemote()))
            throw ERemoteParent();
    }
    auto made = MakeItem(kind, title, value, comment, dataLine, id);
    TZEBObject *item = made.get();
    if (Kinds::isContainer(kind)) {
        TTreeNode *node = ownerNode->Owner()->AddChild(ownerNode, std::move(made), item->Title());
        node->SetImageIndex(item->GetImageIndex());
        node->SetSelectedIndex(kind == Kinds::Folder ? item->GetSelectedIndex() : item->GetImageIndex());
        item->SetNode(node);
    } else {
        ownerNode->Item()->AddChild(std::move(made));
        item->SetNode(ownerNode);
    }
    return item;
}
