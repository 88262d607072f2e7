#include "mainformfixture.h"
#include "platform/browserlink.h"
#include "platform/profile.h"
#include "store/categorynames.h"
#include "store/toolitems.h"
#include "support/filebytes.h"
#include "ui/categoryfilterpane.h"
#include "ui/optionscommand.h"
#include "ui/optionsdialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>

namespace {

class OptionsTest : public MainFormTest
{
protected:
    void SetUp() override
    {
        MainFormTest::SetUp();
        command = std::make_unique<TOptionsCommand>(*form);
        command->setCallerId = [this](bool on) { told << QStringLiteral("caller id %1").arg(on); };
        command->reloadDialSettings = [this] { told << "reload dialing"; };
        QObject::connect(form.get(), &TMainForm::toolMenusRebuilt, [this] { told << "tools"; });
    }
    void TearDown() override
    {
        command.reset();
        MainFormTest::TearDown();
    }

    // Runs the dialog, doing what `act` does in it, then closing it with `button`.
    bool run(const std::function<void(TOptionPages &)> &act, QDialogButtonBox::StandardButton button)
    {
        command->onShown = [&](TOptionPages &dialog) {
            act(dialog);
            dialog.findChild<QDialogButtonBox *>()->button(button)->click();
        };
        return command->OptionsItemClick();
    }

    QString iniPath() const { return dir.filePath("zeb.ini"); }
    TToolItems &tools() { return form->Nodes().Context().Tools(); }

    QString program(const QString &name)
    {
        const QString path = dir.filePath(name);
        WriteBytes(path, "#!/bin/sh\n");
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path;
    }

    std::unique_ptr<TOptionsCommand> command;
    QStringList told;
};

} // namespace

TEST_F(OptionsTest, ViewOptionsIsEnabledAndAFreshFileShowsTheDefaults)
{
    EXPECT_TRUE(form->optionsAction()->isEnabled());
    run([](TOptionPages &d) {
            EXPECT_EQ(d.windowTitle(), "Options");
            EXPECT_EQ(d.pages()->count(), 4);
            EXPECT_EQ(d.ddeBox()->currentText(), "IExplore");
            EXPECT_TRUE(d.mailButton(1)->isChecked());
            EXPECT_FALSE(d.callerIdCheck()->isChecked());
            EXPECT_EQ(d.catList()->count(), 32);
            EXPECT_EQ(d.catList()->item(31)->text(), "User Defined 32");
            EXPECT_FALSE(d.dialSettingsButton()->isEnabled()); // no dialing wired in this test
        },
        QDialogButtonBox::Cancel);
    EXPECT_FALSE(QFile::exists(iniPath())); // Cancel writes nothing
    EXPECT_EQ(told, QStringList{"tools"});   // the tool menus are rebuilt whatever the result
}

TEST_F(OptionsTest, OkWritesTheOptionsAndTellsTheirHolders)
{
    WriteBytes(iniPath(), CrLf({"[Settings]", "INetMail=7", "CallerHistory=20", "[Internet]", "Proxy=p:8080"}));
    QSignalSpy renamed(form.get(), &TMainForm::categoryNamesChanged);
    const QString browser = program("webbrowser.exe");
    ASSERT_TRUE(run([&](TOptionPages &d) {
            for (int n = 1; n <= 3; ++n)
                EXPECT_FALSE(d.mailButton(n)->isChecked()) << n;
            d.chooseFile = [&](const QString &) { return browser; };
            d.SelectPathClick();
            d.ddeBox()->setCurrentText("NETSCAPE");
            d.callerIdCheck()->setChecked(true);
            // Rename category 5 and press OK with the focus still in the field.
            d.catList()->setCurrentRow(4);
            EXPECT_EQ(d.catNameEdit()->text(), "User Defined 5");
            d.catNameEdit()->clear();
            QTest::keyClicks(d.catNameEdit(), "Golf");
        },
        QDialogButtonBox::Ok));

    Profile ini(iniPath());
    EXPECT_EQ(ini.readString("Browser", "Path"), browser);
    EXPECT_EQ(BrowserLink::ConfiguredPath(ini), dir.filePath("webbrowser"));
    EXPECT_EQ(ini.readString("Browser", "DDE"), "NETSCAPE");
    EXPECT_EQ(ini.readInteger("Settings", "INetMail", 0), 3);
    EXPECT_TRUE(ini.readBool("Settings", "CallerId", false));
    EXPECT_EQ(ini.readInteger("Settings", "CallerHistory", 0), 20);
    EXPECT_EQ(ini.readString("Internet", "Proxy"), "p:8080");
    EXPECT_EQ(ini.sectionKeys("Categories").size(), 32);
    EXPECT_EQ(ini.readString("Categories", "Cat5"), "Golf");
    EXPECT_EQ(form->categoryNames().at(4), "Golf");
    EXPECT_EQ(renamed.count(), 1);
    EXPECT_EQ(told, QStringList({"reload dialing", "caller id 1", "tools"}));
}

TEST_F(OptionsTest, CancelKeepsTheNamesAndAnEmptiedNameIsKept)
{
    run([](TOptionPages &d) {
            d.catList()->setCurrentRow(2);
            QTest::keyClicks(d.catNameEdit(), " more");
        },
        QDialogButtonBox::Cancel);
    EXPECT_EQ(form->categoryNames().at(2), "User Defined 3");
    EXPECT_FALSE(QFile::exists(iniPath()));

    run([](TOptionPages &d) {
            d.catList()->setCurrentRow(2);
            d.catNameEdit()->clear();
            QTest::keyClicks(d.catNameEdit(), "   ");
            d.catList()->setCurrentRow(3); // leaving it: the blank name is refused
            EXPECT_EQ(d.catList()->item(2)->text(), "User Defined 3");
        },
        QDialogButtonBox::Ok);
    EXPECT_EQ(Profile(iniPath()).readString("Categories", "Cat3"), "User Defined 3");
}

TEST_F(OptionsTest, ToolEditsGoToTheToolTheyBeganOnAndOutliveCancel)
{
    tools().Add(std::make_unique<TToolItem>("Notes", "/opt/notes", "", "0"));
    tools().Add(std::make_unique<TToolItem>("Chat", "/opt/chat", "", "0"));
    const QString added = program("sketch");
    run([&](TOptionPages &d) {
            d.toolsList()->setCurrentRow(0);
            QTest::keyClicks(d.descriptionEdit(), " book");
            d.toolsList()->setCurrentRow(1); // another row before the field was left
            EXPECT_EQ(d.toolsList()->item(0)->text(), "Notes book");
            EXPECT_EQ(d.descriptionEdit()->text(), "Chat");
            QTest::keyClicks(d.argumentsEdit(), "--quiet");
            d.chooseFile = [&](const QString &) { return added; };
            d.NewToolBtnClick(); // the pending arguments go to Chat first
            EXPECT_EQ(d.toolsList()->currentRow(), 2);
            EXPECT_EQ(d.descriptionEdit()->text(), "sketch");
            d.addressCheckBox()->click();
            QTest::keyClicks(d.argumentsEdit(), "-x"); // committed as the dialog closes
        },
        QDialogButtonBox::Cancel);
    ASSERT_EQ(tools().Count(), 3);
    EXPECT_EQ(tools().Items(0)->Caption(), "Notes book");
    EXPECT_EQ(tools().Items(1)->Arguments(), "--quiet");
    EXPECT_EQ(tools().Items(2)->FileName(), added);
    EXPECT_TRUE(tools().Items(2)->AllowAddress());
    EXPECT_EQ(tools().Items(2)->Arguments(), "-x");
    EXPECT_EQ(told, QStringList{"tools"});
}

TEST_F(OptionsTest, OnlyProgramsBecomeToolsAndDeleteTakesTheChosenOne)
{
    tools().Add(std::make_unique<TToolItem>("Twin", "/opt/one", "", "0"));
    tools().Add(std::make_unique<TToolItem>("Twin", "/opt/two", "", "0"));
    const QString text = dir.filePath("notes.txt");
    WriteBytes(text, "text");
    QString message, caption;
    run([&](TOptionPages &d) {
            d.chooseFile = [&](const QString &) { return text; };
            onMessageBoxes(&d, [&](QMessageBox *box) {
                message = box->text();
                caption = box->windowTitle();
                press(box, QMessageBox::Ok);
                return true;
            });
            d.NewToolBtnClick();
            EXPECT_EQ(d.toolsList()->count(), 2);
            d.toolsList()->setCurrentRow(1);
            d.DelToolBtnClick();
            EXPECT_EQ(d.toolsList()->count(), 1);
        },
        QDialogButtonBox::Ok);
    EXPECT_EQ(caption, "Invalid File Type");
    EXPECT_EQ(message, "Only executable files may be used as Tools");
    ASSERT_EQ(tools().Count(), 1);
    EXPECT_EQ(tools().Items(0)->FileName(), "/opt/one");
}

TEST_F(OptionsTest, AFileThatCannotBeWrittenIsShown)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir("zeb.ini")); // neither readable nor writable as a file
    QString message;
    answerNextBox(form.get(), QMessageBox::Ok, &message);
    EXPECT_FALSE(run([](TOptionPages &d) { d.callerIdCheck()->setChecked(true); }, QDialogButtonBox::Ok));
    EXPECT_TRUE(message.startsWith("The options were not saved: ")) << message.toStdString();
    EXPECT_TRUE(told.contains("caller id 1")); // the running program still takes them
}

TEST_F(OptionsTest, DialSettingsOpensFromThePhonePage)
{
    int opened = 0;
    command->dialSettings = [&](QWidget *parent) {
        EXPECT_NE(parent, nullptr);
        ++opened;
    };
    run([](TOptionPages &d) {
            ASSERT_TRUE(d.dialSettingsButton()->isEnabled());
            d.dialSettingsButton()->click();
        },
        QDialogButtonBox::Cancel);
    EXPECT_EQ(opened, 1);
}

TEST_F(OptionsTest, OkUnticksTheFilterSoNothingStaysHidden)
{
    TZEBObject *tagged = add(ItemKind::Phone, QStringLiteral("Tagged"), nullptr, QStringLiteral("1"));
    tagged->SetCategories(CategoryBit(5));
    add(ItemKind::Phone, QStringLiteral("Plain"), nullptr, QStringLiteral("2"));
    TCategoryFilterPane *filter = form->filterPane();
    filter->FilterBtn1()->trigger();
    filter->FilterListBox()->item(4)->setCheckState(Qt::Checked);
    form->SelectNode(root);
    ASSERT_EQ(listCaptions(), QStringList{"Tagged"});

    run([](TOptionPages &) {}, QDialogButtonBox::Cancel); // Cancel keeps the ticks
    EXPECT_EQ(filter->FilterListBox()->item(4)->checkState(), Qt::Checked);
    EXPECT_EQ(listCaptions(), QStringList{"Tagged"});

    run([](TOptionPages &d) {
            d.catList()->setCurrentRow(4);
            d.catNameEdit()->clear();
            QTest::keyClicks(d.catNameEdit(), "Golf");
        },
        QDialogButtonBox::Ok);
    EXPECT_EQ(filter->FilterListBox()->item(4)->text(), "Golf");
    EXPECT_EQ(filter->FilterListBox()->item(4)->checkState(), Qt::Unchecked);
    EXPECT_EQ(filter->Filter().FilterMask, 0);
    EXPECT_EQ(listCaptions(), (QStringList{"Plain", "Tagged"}));
}
