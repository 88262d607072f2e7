#pragma once

#include "store/itemfactory.h"
#include "store/ranmar.h"
#include "store/treenodes.h"
#include "store/zebobject.h"
#include "support/qtprinters.h"
#include "ui/guiservices.h"
#include "ui/itemlistmodel.h"
#include "ui/mainform.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QTreeView>
#include <QDir>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
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

    TZEBObject *add(int kind, const QString &title, TTreeNode *owner = nullptr, const QString &value = {})
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

    // Answers the next modal box with button; its text goes to *text.
    // The timer belongs to the window, so an unanswered wait ends with the test.
    void answerNextBox(QMessageBox::StandardButton button, QString *text)
    {
        auto *timer = new QTimer(form.get());
        QObject::connect(timer, &QTimer::timeout, timer, [timer, button, text] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            timer->stop();
            timer->deleteLater();
            if (text)
                *text = box->text();
            box->done(button);
        });
        timer->start(5);
    }

    QTemporaryDir dir;
    QString previous;
    std::unique_ptr<TMainForm> form;
    TTreeNode *root = nullptr;
};
