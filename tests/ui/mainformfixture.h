#pragma once

#include "store/itemfactory.h"
#include "store/kinds.h"
#include "store/ranmar.h"
#include "store/treenodes.h"
#include "store/zebobject.h"
#include "ui/foldertreemodel.h"
#include "ui/guiservices.h"
#include "ui/itemlistmodel.h"
#include "ui/mainform.h"
#include "uitestutil.h"

#include <QAction>
#include <QDir>
#include <QItemSelectionModel>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <gtest/gtest.h>
#include <memory>

// A main window over an empty database in a temporary data directory.
class MainFormTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        previous = QDir::currentPath();
        qputenv("MIRABOOK_HOME", dir.path().toUtf8());
        QDir::setCurrent(dir.path());
        ItemIds::Seed(1802, 9373);
        form = std::make_unique<TMainForm>();
        root = form->RootNode();
    }
    void TearDown() override
    {
        form.reset();
        QDir::setCurrent(previous);
        qunsetenv("MIRABOOK_HOME");
    }

    TZEBObject *add(ItemKind kind, const QString &title, TTreeNode *owner = nullptr, const QString &value = {})
    {
        return CreateItem(kind, title, value, QString(), owner ? owner : root, QString(), 0);
    }

    // Captions of the list's rows in order.
    QStringList listCaptions() const
    {
        QStringList captions;
        for (int r = 0; r < form->itemModel()->rowCount(); ++r)
            captions.append(form->itemModel()->captionAt(r));
        return captions;
    }

    QModelIndex rowIndex(TZEBObject *item) const { return form->itemModel()->index(form->itemModel()->rowOf(item), 0); }

    // Selects list rows by item and makes the list the active pane.
    void selectRows(const QList<TZEBObject *> &items)
    {
        QItemSelectionModel *selection = form->mainItems()->selectionModel();
        selection->clearSelection();
        for (TZEBObject *item : items) {
            selection->select(rowIndex(item), QItemSelectionModel::Select | QItemSelectionModel::Rows);
            selection->setCurrentIndex(rowIndex(item), QItemSelectionModel::NoUpdate);
        }
        form->SetActivePane(TMainForm::Pane::MainItems);
    }

    QTemporaryDir dir;
    QString previous;
    std::unique_ptr<TMainForm> form;
    TTreeNode *root = nullptr;
};
