#pragma once

#include "kinds.h"

#include <QString>
#include <memory>

class TZEBObject;
class TTreeNode;

// Constructs the kind's class without placing it (Id 0 draws a fresh Id). Outside a
// tree it sees the detached context (DatabaseContext::Detached).
std::unique_ptr<TZEBObject> MakeItem(ItemKind kind, const QString &title, const QString &value,
                                     const QString &comment, const QString &dataLine, qint32 id);

// Creates an item inside the tree below ownerNode and returns it (owned by the tree).
// Its data line is read once it is placed, so it reads in the tree's context.
// Raises ERemoteParent inside a remote folder unless the tree's context is loading one.
TZEBObject *CreateItem(ItemKind kind, const QString &title, const QString &value, const QString &comment,
                       TTreeNode *ownerNode, const QString &dataLine, qint32 id);

// Reads an item's data line once it lies in its tree (made by MakeItem with none):
// what the line means may depend on the tree's context (its today, tools, services).
void LoadPlacedFields(TZEBObject *item, const QString &dataLine);

// The root item "My Contacts" with its fixed Id.
std::unique_ptr<TZEBObject> MakeRootItem();
