#pragma once

#include "store/treenodes.h"
#include "store/zebobject.h"

#include <QByteArray>
#include <QFile>
#include <QStringList>
#include <initializer_list>
#include <ostream>


// Lines joined with CR LF, each one ended by it.
inline QByteArray CrLf(std::initializer_list<const char *> lines)
{
    QByteArray out;
    for (const char *line : lines) {
        out += line;
        out += "\r\n";
    }
    return out;
}

inline void WriteBytes(const QString &name, const QByteArray &bytes)
{
    QFile f(name);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

inline QByteArray ReadBytes(const QString &name)
{
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

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
