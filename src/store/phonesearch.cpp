#include "phonesearch.h"

#include "treenodes.h"
#include "zebobject.h"

PhoneHit LocatePhone(const TTreeNodes &nodes, const TTreeNode *start, const QString &number)
{
    QString digits = number;
    StripToDigits(digits);
    TTreeNode *first = nodes.First();
    if (digits.isEmpty() || !first)
        return {};
    const auto after = [first](const TTreeNode *node) {
        TTreeNode *next = node->NextPreorder();
        return next ? next : first;
    };
    TTreeNode *node = start ? after(start) : first;
    const TTreeNode *last = start ? start : nullptr;
    for (int seen = 0, count = nodes.Count(); seen < count; ++seen, node = after(node)) {
        if (TZEBObject *item = node->Item() ? node->Item()->FindChildByNumber(digits) : nullptr)
            return {node, item};
        if (node == last)
            break;
    }
    return {};
}
