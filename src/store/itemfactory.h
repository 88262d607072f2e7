#pragma once

#include <QString>
#include <memory>

class TZEBObject;
class TTreeNode;

// Set only while a remote folder reads its contents, so items may be created below it.
bool RemoteLoading();
void SetRemoteLoading(bool on);

// Constructs the kind's class without placing it (Id 0 draws a fresh Id).
std::unique_ptr<TZEBObject> MakeItem(int kind, const QString &title, const QString &value,
                                     const QString &comment, const QString &dataLine, qint32 id);

// Creates an item inside the tree below ownerNode and returns it (owned by the tree).
// Raises ERemoteParent inside a remote folder unless the remote-loading flag is on.
TZEBObject *CreateItem(int kind, const QString &title, const QString &value, const QString &comment,
                       TTreeNode *ownerNode, const QString &dataLine, qint32 id);

// The root item "My Contacts" with its fixed Id.
std::unique_ptr<TZEBObject> MakeRootItem();
