#pragma once

#include <QHash>
#include <QString>

class RecordSink;
class TTreeNode;
class TZEBObject;

// The names a published site gives its items: anchors ("i" + key) and card files
// ("vc" + key + ".vcf"). The key is the item's Id; an item whose Id an earlier one of the
// site already has (an export file imported twice keeps its Ids) gets the Id and a
// number ("17-2"), so no card file or anchor of one item is taken by another.
class HtmlSiteKeys
{
public:
    // Gives a key to every container of the subtree, in tree order.
    explicit HtmlSiteKeys(TTreeNode *node);
    QString Anchor(const TZEBObject &item) const;
    QString CardFile(const TZEBObject &item) const;

private:
    QString key(const TZEBObject &item) const;
    QHash<const TZEBObject *, QString> m_keys;
};

// An item's section of the page body (a container with its own leaves); with
// cardLinks, persons and organizations link to their card files.
void WriteItemHtml(const TZEBObject &item, RecordSink &out, const HtmlSiteKeys &keys, bool cardLinks);
// An item's line of the index, linked to target + "#" + its anchor; empty for kinds the
// index does not list.
QString IndexLine(const TZEBObject &item, const QString &target, const HtmlSiteKeys &keys);
