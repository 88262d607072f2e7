#pragma once

#include "treesearch.h"

#include <QString>

class TTreeNode;
class TTreeNodes;
class TZEBObject;

// Where a caller's number is kept: the node whose item holds a phone or fax item
// with the same digits, and that item.
struct PhoneHit
{
    TTreeNode *node = nullptr;
    TZEBObject *item = nullptr;
};

// Looks through the tree as WalkFrom does, at each node's leaf items. Only the digits
// of number count; a number without any finds nothing.
PhoneHit LocatePhone(const TTreeNodes &nodes, const TTreeNode *start, const QString &number,
                     const SearchStep &step = {});
