#include "mainformfixture.h"

#include "exchange/gui/reportform.h"
#include "store/addressobject.h"
#include "store/personobject.h"

#include <QApplication>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QTimer>

using PrintCommandTest = MainFormTest;

TEST_F(PrintCommandTest, PrintOpensTheDialogForTheSelectionAndItsChosenAddress)
{
    EXPECT_TRUE(form->printAction()->isEnabled());
    EXPECT_TRUE(form->printerSetupAction()->isEnabled());

    TZEBObject *friends = add(ItemKind::Folder, "Friends");
    auto *ada = static_cast<TPersonObject *>(add(ItemKind::Person, "Ada Brennan", friends->Node()));
    ada->SetValue(" Ada Brennan");
    for (const char *title : {"Work", "Home"}) {
        auto *a = static_cast<TAddressObject *>(add(ItemKind::Address, title, ada->Node(), title));
        a->SetLines({QStringLiteral("1 %1 St").arg(title)});
    }
    ada->SetPrimaryAddress("Work");
    form->SelectNode(ada->Node());
    selectRows({ada->FindChild("Home", ItemKind::Address)});

    QString delivery;
    QString type;
    bool seen = false;
    auto *timer = new QTimer(form.get());
    QObject::connect(timer, &QTimer::timeout, timer, [&, timer] {
        auto *dialog = qobject_cast<TReportForm *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        timer->stop();
        seen = true;
        delivery = dialog->deliveryBox()->toPlainText();
        type = dialog->typeCombo()->currentText();
        dialog->reject();
    });
    timer->start(5);
    form->printAction()->trigger();
    EXPECT_TRUE(seen);
    EXPECT_EQ(type, "People & Organization List");
    EXPECT_EQ(delivery, "Ada Brennan\n1 Home St");
}
