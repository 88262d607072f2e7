#pragma once

#include "store/addressobject.h"
#include "store/itemfactory.h"
#include "store/personobject.h"
#include "store/phoneobject.h"
#include "store/recordfile.h"
#include "store/toolobject.h"
#include "store/treenodes.h"
#include "store/zebobject.h"
#include "support/filebytes.h"

#include <QByteArray>
#include <QStringList>

// The tree below node as paths in file order: "Friends/Kim" for a container,
// "Friends/Kim|Home" for a leaf item of Kim.
inline void OutlineInto(const TTreeNode *node, const QString &path, QStringList &out)
{
    const TZEBObject *item = node->Item();
    for (int i = 0; item && i < item->ChildCount(); ++i)
        out << path + u'|' + item->ChildAt(i)->Title();
    for (int i = 0; i < node->Count(); ++i) {
        const TTreeNode *child = node->Child(i);
        const QString childPath = path.isEmpty() ? child->Text() : path + u'/' + child->Text();
        out << childPath;
        OutlineInto(child, childPath, out);
    }
}

inline QStringList Outline(const TTreeNode *node)
{
    QStringList out;
    OutlineInto(node, QString(), out);
    return out;
}

// Every item below node, one line each in file order: its depth and all the fields its
// kind keeps, for comparing two trees.
inline void DescribeInto(const TTreeNode *node, int depth, QStringList &out)
{
    const auto item = [&out](const TZEBObject *it, int level) {
        QStringList f{QString::number(level), QString::number(KindCode(it->Kind())), it->Title(), it->Value(), it->Comment(),
                      QString::number(it->Id()), QString::number(it->Categories())};
        if (const auto *t = dynamic_cast<const TToolObject *>(it))
            f << t->ToolFile() << t->ToolArgs();
        if (const auto *p = dynamic_cast<const TPersonObject *>(it))
            f << p->Salutation() << p->FirstName() << p->MiddleName() << p->LastName();
        if (const auto *c = dynamic_cast<const TContactObject *>(it))
            f << c->PrimaryAddress() << c->PrimaryPhone() << c->PrimaryFax() << c->PrimaryEMail() << c->PrimaryWebsite();
        if (const auto *a = dynamic_cast<const TAddressObject *>(it))
            f << a->Lines() << a->City() << a->State() << a->PostalCode() << a->Country();
        if (const auto *ph = dynamic_cast<const TPhoneObject *>(it))
            f << ph->Extension();
        out << f.join(u'|');
    };
    for (int i = 0; i < node->Item()->ChildCount(); ++i)
        item(node->Item()->ChildAt(i), depth + 1);
    for (int i = 0; i < node->Count(); ++i) {
        item(node->Child(i)->Item(), depth + 1);
        DescribeInto(node->Child(i), depth + 1, out);
    }
}

inline QStringList Describe(const TTreeNode *node)
{
    QStringList out;
    DescribeInto(node, 0, out);
    return out;
}

// Saves the tree as the database and returns the file's bytes.
inline QByteArray Saved(TTreeNodes &nodes)
{
    SaveDatabase(nodes);
    return ReadBytes(RecordFile::DatabaseName);
}

// A database loaded into a tree of its own; a load error is thrown. Given another
// tree's context, it reads with the same services and today.
struct Loaded
{
    explicit Loaded(const QByteArray &bytes, const DatabaseContext *like = nullptr)
    {
        if (like) {
            nodes.Context().SetServices(&like->Services());
            nodes.Context().SetToday(like->Today());
        }
        WriteBytes("in.dat", bytes);
        notes = LoadDatabaseFrom(root, "in.dat", RecordFile::OnLoadError::JustThrow);
    }
    TTreeNode *top(int row) const { return root->Child(row); }
    QByteArray save() { return Saved(nodes); }
    TTreeNodes nodes;
    TTreeNode *root = nodes.AddTop(MakeRootItem(), "My Contacts");
    RecordFile::ReadNotes notes;
};
