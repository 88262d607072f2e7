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

// A tree with the root "My Contacts", fake services, a fixed random seed, and a
// temporary directory made current for the test (the program's data directory).
// A today pinned by the test is let go at its end.
class StoreFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        previous = QDir::currentPath();
        QDir::setCurrent(dir.path());
        ItemIds::Seed(1802, 9373);
        root = nodes.AddTop(MakeRootItem(), QStringLiteral("My Contacts"));
        root->SetImageIndex(12);
        root->SetSelectedIndex(12);
    }
    void TearDown() override
    {
        TReminderObject::SetToday(QDate());
        QDir::setCurrent(previous);
    }

    TZEBObject *add(int kind, const QString &title, TTreeNode *owner, const QString &value = {},
                    const QString &dataLine = {}, qint32 id = 0)
    {
        return CreateItem(kind, title, value, QString(), owner ? owner : root, dataLine, id);
    }

    QTemporaryDir dir;
    QString previous;
    FakeServices services;
    TTreeNodes nodes;
    TTreeNode *root = nullptr;
};
