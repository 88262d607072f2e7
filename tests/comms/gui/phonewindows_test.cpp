// The dialing and caller-ID windows in the main window's company, against a fake modem.
#include "comms/callermonitor.h"
#include "comms/gui/calleridform.h"
#include "comms/gui/dialerform.h"
#include "comms/gui/dialsetupform.h"
#include "comms/gui/telephony.h"
#include "platform/profile.h"
#include "platform/telephonyline.h"
#include "support/fakemodem.h"
#include "ui/logicform.h"
#include "ui/mainformfixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSystemTrayIcon>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

namespace {

class PhoneWindows : public MainFormTest
{
protected:
    void SetUp() override
    {
        MainFormTest::SetUp();
        ASSERT_TRUE(modem.isValid());
    }
    TDialPhoneDialog::LineMaker lineMaker()
    {
        const QString path = modem.path();
        return [path] { return std::make_unique<TetLine>(nullptr, [path] { return QStringList{path}; }); };
    }
    void monitorAtStart()
    {
        Profile settings;
        settings.writeInteger("Settings", "CallerId", 1);
        settings.save();
    }

    FakeModem modem;
};

} // namespace

TEST_F(PhoneWindows, DoubleClickOnAPhoneDialsThroughTheDialerWindow)
{
    monitorAtStart();
    Telephony telephony(*form, nullptr, lineMaker());
    ASSERT_TRUE(telephony.CallerIdOn());
    ASSERT_TRUE(modem.waitForCommands(1));
    TZEBObject *phone = add(ItemKind::Phone, "Kim Sample", root, "555-1234");
    form->SelectNode(root);
    EXPECT_TRUE(form->dialAction()->isEnabled());

    QString caption, status;
    bool monitoringWhileDialing = true;
    telephony.dialPhone().onShown = [&](QWidget &window) {
        auto &dialer = static_cast<TDialerForm &>(window);
        caption = dialer.windowTitle();
        monitoringWhileDialing = telephony.CallerIdOn();
        modem.waitForCommands(3);
        status = dialer.statusText();
        dialer.reject(); // closed without "Hangup": the call is dropped
    };
    form->MainItemsDblClick(rowIndex(phone));
    EXPECT_EQ(caption, "Dial Phone");
    EXPECT_EQ(status, "Dial  5551234");
    EXPECT_FALSE(monitoringWhileDialing);
    ASSERT_TRUE(modem.waitForCommands(5));
    EXPECT_EQ(modem.commands(),
              (QList<QByteArray>{"AT+VCID=1", "AT+VCID=1", "ATDT5551234;", "ATH", "AT+VCID=1"}));
    EXPECT_TRUE(telephony.CallerIdOn()); // given back
}

TEST_F(PhoneWindows, AnIncomingCallShowsTheWindowAndFindSelectsTheCaller)
{
    monitorAtStart();
    TZEBObject *person = add(ItemKind::Person, "John Public", root);
    TZEBObject *phone = add(ItemKind::Phone, "Home", person->Node(), "(212) 555-1234");
    Telephony telephony(*form, nullptr, lineMaker());
    ASSERT_TRUE(modem.waitForCommands(1));
    TCallerIdForm &window = telephony.callerIdForm();
    EXPECT_EQ(window.findButton()->isEnabled(), false);
    EXPECT_EQ(window.trayIcon()->toolTip(), "Click to view caller ID window");

    modem.ring();
    modem.sendCallerId("2125551234", "JOHN Q PUBLIC");
    for (int i = 0; i < 50 && !window.isVisible(); ++i)
        QTest::qWait(50);
    ASSERT_TRUE(window.isVisible());
    EXPECT_EQ(window.nameLabel()->text(), "John Q Public");
    EXPECT_EQ(window.numberLabel()->text(), "212-555-1234");
    EXPECT_TRUE(window.findButton()->isEnabled());

    window.FindClick();
    EXPECT_EQ(form->SelectedNode(), person->Node());
    EXPECT_EQ(form->mainItems()->currentIndex().row(), form->itemModel()->rowOf(phone));
    window.close();
}

TEST_F(PhoneWindows, TheHistoryPanelAndItsButtons)
{
    QString located, dialed;
    {
        TCallerIdForm window(std::make_unique<CallerIdMonitor>(lineMaker(), dir.filePath("callid.dat")));
        window.locatePhone = [&](const QString &n) { located = n; };
        window.dial = [&](const QString &who, const QString &n) { dialed = who + '|' + n; };
        TCallerHistory &history = window.monitor().history();
        EXPECT_EQ(window.sizeEdit()->value(), 50);
        for (const char *n : {"A", "B", "C"})
            history.Add(n, QStringLiteral("555-000") + n, QDateTime::currentDateTime());

        EXPECT_FALSE(window.historyShown());
        window.HistoryClick();
        EXPECT_TRUE(window.historyShown());
        EXPECT_EQ(window.historyButton()->text(), "No History");

        // Without a selected row the row buttons do nothing.
        window.DialClick();
        window.FindRowClick();
        EXPECT_TRUE(dialed.isEmpty());
        EXPECT_TRUE(located.isEmpty());

        QTreeView *view = window.historyView();
        view->setCurrentIndex(view->model()->index(1, 0));
        window.DialClick();
        EXPECT_EQ(dialed, "B|555-000B");
        window.FindRowClick();
        EXPECT_EQ(located, "555-000B");

        view->selectionModel()->select(view->model()->index(0, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
        window.DeleteClick();
        ASSERT_EQ(history.Count(), 1);
        EXPECT_EQ(history.Item(0)->Title(), "A");

        window.sizeEdit()->setValue(7);
        window.HistoryClick();
        EXPECT_EQ(window.historyButton()->text(), "History >>");
    }
    // Its size and rows outlive the window.
    EXPECT_EQ(Profile().readInteger("Settings", "CallerHistory", 0), 7);
    TCallerHistory reread;
    EXPECT_EQ(reread.Load(dir.filePath("callid.dat")), 1);
}

TEST_F(PhoneWindows, DialingPropertiesAddsDeletesAndSaves)
{
    TDialSettings settings;
    TDialSetupForm setup(settings, {modem.path()});
    EXPECT_EQ(setup.windowTitle(), "Dialing Properties");
    EXPECT_FALSE(setup.deleteButton()->isEnabled());
    EXPECT_FALSE(setup.serviceBox()->isEnabled());

    setup.askLocationName = [] { return QStringLiteral("Office"); };
    setup.NewClick();
    EXPECT_EQ(setup.locationBox()->currentText(), "Office");
    EXPECT_TRUE(setup.deleteButton()->isEnabled());
    EXPECT_EQ(setup.areaEdit()->maxLength(), 5);

    setup.useCardBox()->setChecked(true);
    EXPECT_TRUE(setup.serviceBox()->isEnabled());
    setup.serviceBox()->setCurrentIndex(4);
    setup.cardNumberEdit()->setText("12");
    QTest::keyClicks(setup.cardNumberEdit(), "34");
    EXPECT_EQ(setup.codeEdit()->text(), "0 N $1234");
    setup.areaEdit()->setText("617");
    setup.accept();
    EXPECT_EQ(setup.result(), QDialog::Accepted);

    TDialSettings saved;
    saved.Load();
    EXPECT_EQ(saved.Location, "Office");
    EXPECT_EQ(saved.AreaCode, "617");
    EXPECT_EQ(saved.Code, "0 N $1234");
    EXPECT_EQ(saved.DeviceName, modem.path());
}

TEST_F(PhoneWindows, TheTrayEntrySaysWhetherCallerIdIsOn)
{
    TLogicForm logic(*form, CommandLine::Request{dir.path(), {"mirabook"}});
    Telephony telephony(*form, &logic, lineMaker());
    QAction *entry = logic.callerIdAction();
    ASSERT_TRUE(entry->isEnabled());
    EXPECT_FALSE(entry->isChecked()); // off unless the settings file says so
    entry->trigger();
    EXPECT_TRUE(entry->isChecked());
    EXPECT_TRUE(telephony.CallerIdOn());
    ASSERT_TRUE(modem.waitForCommands(1));
    entry->trigger();
    EXPECT_FALSE(telephony.CallerIdOn());

    // A modem that is not there: the entry stays unticked and the user is told.
    TDialSettings &settings = telephony.dialPhone().Settings;
    settings.DeviceName = "/dev/ttyACM9";
    settings.DeviceID = 5;
    QString text;
    answerNextBox(form.get(), QMessageBox::Ok, &text);
    entry->trigger();
    EXPECT_FALSE(entry->isChecked());
    for (int i = 0; i < 50 && text.isEmpty(); ++i)
        QTest::qWait(20);
    EXPECT_TRUE(text.contains("LINEERR_BADDEVICEID")) << text.toStdString();
}
