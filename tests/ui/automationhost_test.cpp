#include "mainformfixture.h"

#include "ui/automation.h"

#include <QClipboard>
#include <QGuiApplication>

TEST_F(MainFormTest, AutomationSeesThePanesAndWaitsForDialogsAndLabelEdits)
{
    TMainFormAutomationHost host(*form);
    TZEBObject *folder = add(ItemKind::Folder, QStringLiteral("Friends"));
    TZEBObject *phone = add(ItemKind::Phone, QStringLiteral("Desk"), nullptr, QStringLiteral("555"));
    TZEBObject *mail = add(ItemKind::EMail, QStringLiteral("Office"), nullptr, QStringLiteral("o@example.org"));
    form->SelectNode(root);
    form->SetActivePane(TMainForm::Pane::Folders);
    EXPECT_EQ(host.ActivePane(), AutomationHost::Pane::Folders);
    EXPECT_EQ(host.SelectedNode(), root);
    selectRows({mail, phone});
    EXPECT_EQ(host.ActivePane(), AutomationHost::Pane::Items);
    EXPECT_EQ(host.SelectedItems(), (QList<TZEBObject *>{phone, mail})); // in list order

    EXPECT_FALSE(host.Busy());
    bool busyDuringBox = false;
    onMessageBoxes(form.get(), [&](QMessageBox *box) {
        busyDuringBox = host.Busy();
        press(box, QMessageBox::No);
        return true;
    });
    form->DeleteBtnClick();
    EXPECT_TRUE(busyDuringBox);
    EXPECT_FALSE(host.Busy());

    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    form->BeginRename(folder->Node());
    EXPECT_TRUE(host.Busy());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(host.Busy());

    host.SetClipboardText(QStringLiteral("Desk 555"));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("Desk 555"));
}
