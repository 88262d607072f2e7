#pragma once

#include "fakeservices.h"
#include "store/itemfactory.h"
#include "store/ranmar.h"
#include "store/reminderobject.h"
#include "store/treenodes.h"
#include "store/zebobject.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// A tree with the root "My Contacts", fake services in its context, a fixed random
// seed, and a temporary directory made current for the test (the program's data directory).
class StoreFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        previous = QDir::currentPath();
        QDir::setCurrent(dir.path());
        ItemIds::Seed(1802, 9373);
        nodes.Context().SetServices(&services);
        root = nodes.AddTop(MakeRootItem(), QStringLiteral("My Contacts"));
        root->SetImageIndex(12);
        root->SetSelectedIndex(12);
    }
    void TearDown() override
    {
        QDir::setCurrent(previous);
    }

    TZEBObject *add(ItemKind kind, const QString &title, TTreeNode *owner, const QString &value = {},
                    const QString &dataLine = {}, qint32 id = 0)
    {
        return CreateItem(kind, title, value, QString(), owner ? owner : root, dataLine, id);
    }

    QTemporaryDir dir;
    QString previous;
    FakeServices services;
    TTreeNodes nodes; // after services: its items may call them as they go
    DatabaseContext &context() { return nodes.Context(); }
    TTreeNode *root = nullptr;
};
