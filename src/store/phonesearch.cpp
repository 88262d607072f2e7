#include "phonesearch.h"

#include "treesearch.h"
#include "zebobject.h"

PhoneHit LocatePhone(const TTreeNodes &nodes, const TTreeNode *start, const QString &number,
                     const SearchStep &step)
{
    QString digits = number;
    StripToDigits(digits);
    if (digits.isEmpty())
        return {};
    PhoneHit hit;
    WalkFrom(nodes, start, [&](TTreeNode *node) {
        if (step && !step())
            return true;
        if (TZEBObject *item = node->Item() ? node->Item()->FindChildByNumber(digits) : nullptr) {
            hit = {node, item};
            return true;
        }
        return false;
    });
    return hit;
}
