#pragma once

#include "ui/mainwinstate.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <functional>

// A window that keeps the layout applied to it and reports it back.
class FakeWindow : public TWinLayoutTarget
{
public:
    TWinLayout GetSettings() const override { return current; }
    void ApplySettings(const TWinLayout &layout) override { current = layout; }
    TWinLayout current;
};

// Hands each modal message box to answer until it returns true. The polling timer
// belongs to context, so an unanswered wait ends with it.
inline void onMessageBoxes(QObject *context, std::function<bool(QMessageBox *)> answer)
{
    auto *timer = new QTimer(context);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, answer = std::move(answer)] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (box && answer(box)) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start(5);
}

// Presses button on a box, as the user would.
inline void press(QMessageBox *box, QMessageBox::StandardButton button)
{
    if (QAbstractButton *b = box->button(button))
        b->click();
    else
        box->done(button);
}

// Answers the next message box with button; its text goes to *text.
inline void answerNextBox(QObject *context, QMessageBox::StandardButton button, QString *text = nullptr)
{
    onMessageBoxes(context, [button, text](QMessageBox *box) {
        if (text)
            *text = box->text();
        press(box, button);
        return true;
    });
}
