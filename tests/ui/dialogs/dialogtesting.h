#pragma once

#include "store/categorynames.h"
#include "support/storefixture.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>
#include <gtest/gtest.h>

// A named control of a dialog; fails the test when it is missing.
template <class W> W *control(const QWidget *dialog, const char *name)
{
    W *w = dialog->findChild<W *>(QString::fromLatin1(name));
    EXPECT_TRUE(w) << "no control " << name;
    return w;
}

inline QLineEdit *edit(const QWidget *dialog, const char *name) { return control<QLineEdit>(dialog, name); }

// Items of a kind in a store of their own, for the dialogs to edit.
class DialogTest : public StoreFixture
{
protected:
    template <class T> T *make(ItemKind kind, const QString &title, const QString &value = {}, const QString &data = {})
    {
        return dynamic_cast<T *>(add(kind, title, root, value, data));
    }
};

// Answers the next modal dialog once it is shown (checked from the event loop, so
// it also works for dialogs opened from inside another dialog).
inline void whenModalShows(std::function<void(QDialog *)> answer, QWidget *notThis = nullptr)
{
    auto *timer = new QTimer;
    timer->setInterval(5);
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, answer, notThis, tries] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (dialog && dialog != notThis && dialog->isVisible()) {
            timer->stop();
            timer->deleteLater();
            answer(dialog);
        } else if (++*tries > 400) {
            timer->stop();
            timer->deleteLater();
            ADD_FAILURE() << "no dialog showed";
            if (auto *open = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
                open->reject();
        }
    });
    timer->start();
}
