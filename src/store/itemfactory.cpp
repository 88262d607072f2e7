#include "itemfactory.h"

#include "kindtable.h"
#include "ranmar.h"
#include "treenodes.h"
#include "zebobject.h"

#include <stdexcept>

std::unique_ptr<TZEBObject> MakeItem(ItemKind kind, const QString &title, const QString &value,
                                     const QString &comment, const QString &dataLine, qint32 id)
{
    if (id == 0)
        id = ItemIds::Next();
    const KindInfo *info = FindKind(kind);
    if (info && info->make)
        return info->make(kind, title, value, comment, id, dataLine);
    auto item = std::make_unique<TZEBObject>(kind, title, value, comment, id);
    // The root has no data line; a kind this program does not know keeps its own.
    if (kind != ItemKind::Root)
        item->SetRawDataLine(dataLine);
    return item;
}

std::unique_ptr<TZEBObject> MakeRootItem()
{
    return std::make_unique<TZEBObject>(ItemKind::Root, QStringLiteral("My Contacts"), QString(), QString(), ItemIds::RootId);
}

void LoadPlacedFields(TZEBObject *item, const QString &dataLine)
{
    const ItemKind kind = item->Kind();
    if (kind == ItemKind::Root)
        return;
    if (kind >= ItemKind::Folder && kind <= ItemKind::Tool)
        item->LoadFields(dataLine);
    else
        item->SetRawDataLine(dataLine); // a kind this program does not know keeps its line
}

TZEBObject *CreateItem(ItemKind kind, const QString &title, const QString &value, const QString &comment,
                       TTreeNode *ownerNode, const QString &dataLine, qint32 id)
{
    if (!ownerNode)
        throw std::invalid_argument("CreateItem needs an owner node; use MakeItem for a loose item");
    if (!ownerNode->Owner()->Context().RemoteLoading()) {
        const TZEBObject *owner = ownerNode->Item();
        if (owner && (owner->IsRemote() || owner->InRemote()))
            throw ERemoteParent();
    }
    auto made = MakeItem(kind, title, value, comment, QString(), id);
    TZEBObject *item = made.get();
    if (IsContainerKind(kind)) {
        TTreeNode *node = ownerNode->Owner()->AddChild(ownerNode, std::move(made), item->Title());
        item->SetNode(node);
        LoadPlacedFields(item, dataLine);
        node->SetImageIndex(item->GetImageIndex());
        node->SetSelectedIndex(kind == ItemKind::Folder ? item->GetSelectedIndex() : item->GetImageIndex());
    } else {
        ownerNode->Item()->AddChild(std::move(made));
        item->SetNode(ownerNode);
        LoadPlacedFields(item, dataLine);
    }
    return item;
}
