#include "mainformfixture.h"

#include "support/fakeprograms.h"
#include "support/filebytes.h"
#include "ui/dialogs/dialogtesting.h"
#include "ui/dialogwiring.h"
#include "ui/fileicons.h"
#include "ui/imagelist.h"
#include "ui/optionscommand.h"
#include "ui/optionsdialog.h"
#include "ui/toolsdialog.h"
#include "store/databasecontext.h"
#include "store/docobject.h"
#include "store/toolitems.h"
#include "store/toolobject.h"

#include <QDialogButtonBox>
#include <QImage>
#include <QListWidget>
#include <QSignalSpy>
#include <QToolBar>
#include <QToolButton>

namespace {

class ToolsTest : public MainFormTest
{
protected:
    void SetUp() override
    {
        MainFormTest::SetUp();
        UseInstalledIconTheme();
    }
    void TearDown() override
    {
        MainFormTest::TearDown();
        QIcon::setThemeName(themeBefore);
        QIcon::setThemeSearchPaths(pathsBefore);
    }
    TToolItems &tools() { return form->Nodes().Context().Tools(); }
    TToolItem *addTool(const QString &caption, const QString &file, const QString &args, bool allowAddress)
    {
        return tools().Add(std::make_unique<TToolItem>(caption, file, args, allowAddress ? "1" : "0"));
    }
    static QStringList texts(const QMenu *menu)
    {
        QStringList out;
        for (const QAction *a : menu->actions())
            out << (a->isSeparator() ? QStringLiteral("-") : a->text());
        return out;
    }
    // Runs the Tools dialog from "&Show Popup", letting act work in it.
    void runToolsDialog(const std::function<void(TToolsDlg *)> &act)
    {
        whenModalShows([&](QDialog *d) {
            auto *dialog = qobject_cast<TToolsDlg *>(d);
            ASSERT_NE(dialog, nullptr);
            act(dialog);
            if (dialog->isVisible())
                dialog->reject();
        });
        form->toolsPopup()->actions().at(0)->trigger();
    }
    FakePrograms programs{{"notes", "calc", "stranger"}};
    const QString themeBefore = QIcon::themeName();
    const QStringList pathsBefore = QIcon::themeSearchPaths();
};

} // namespace

TEST_F(ToolsTest, TheToolbarDropsDownShowPopupAndOneEntryPerTool)
{
    QAction *toolsMenu = form->toolsMenuAction();
    EXPECT_TRUE(toolsMenu->isEnabled());
    EXPECT_EQ(toolsMenu->menu(), form->toolsPopup());
    auto *button = qobject_cast<QToolButton *>(form->toolBar()->widgetForAction(toolsMenu));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->popupMode(), QToolButton::InstantPopup);
    EXPECT_EQ(texts(form->toolsPopup()), QStringList({"&Show Popup", "-"}));

    QSignalSpy rebuilt(form.get(), &TMainForm::toolMenusRebuilt);
    addTool("Notes", programs.program("notes"), "-r", true);
    addTool("Calc", programs.program("calc"), "", false);
    form->BuildToolMenus();
    EXPECT_EQ(rebuilt.count(), 1);
    EXPECT_EQ(texts(form->toolsPopup()), QStringList({"&Show Popup", "-", "Notes", "Calc"}));
    form->BuildToolMenus(); // made again, not added twice
    EXPECT_EQ(texts(form->toolsPopup()), QStringList({"&Show Popup", "-", "Notes", "Calc"}));

    // An entry starts its tool without arguments, in the tool's folder.
    form->toolsPopup()->actions().at(2)->trigger();
    ASSERT_TRUE(programs.waitForRuns("notes", 1));
    EXPECT_EQ(programs.runs("notes").first(), QStringList());
}

TEST_F(ToolsTest, AfterTheOptionsDialogTheMenusFollowTheToolsWhateverTheResult)
{
    TOptionsCommand command(*form);
    addTool("Notes", programs.program("notes"), "", false);
    command.onShown = [](TOptionPages &dialog) {
        dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Cancel)->click();
    };
    command.OptionsItemClick();
    EXPECT_EQ(texts(form->toolsPopup()), QStringList({"&Show Popup", "-", "Notes"}));
}

TEST_F(ToolsTest, TheToolsDialogListsToolsInRowsOfThirtySixPixels)
{
    addTool("Notes", programs.program("notes"), "-r", true);
    addTool("Calc", programs.program("calc"), "", false);
    TToolsDlg dialog(tools(), form->imageList(), form->services(), form.get());
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_EQ(dialog.windowTitle(), "Tools");
    QListWidget *list = dialog.toolsList();
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(1)->text(), "Calc");
    EXPECT_EQ(list->visualItemRect(list->item(0)).height(), 36);
    EXPECT_EQ(list->visualItemRect(list->item(1)).top(), list->visualItemRect(list->item(0)).top() + 36);

    // Nothing chosen: nothing to launch. New Address only for a tool that allows addresses.
    EXPECT_FALSE(dialog.launchButton()->isEnabled());
    EXPECT_FALSE(dialog.addressButton()->isEnabled());
    list->setCurrentRow(1);
    EXPECT_TRUE(dialog.launchButton()->isEnabled());
    EXPECT_FALSE(dialog.addressButton()->isEnabled());
    list->setCurrentRow(0);
    EXPECT_TRUE(dialog.addressButton()->isEnabled());
    dialog.reject();
}

TEST_F(ToolsTest, LaunchOrADoubleClickStartsTheToolAndCloses)
{
    addTool("Notes", programs.program("notes"), "-r 'two words'", true);
    addTool("Calc", programs.program("calc"), "", false);
    int result = -1;
    {
        TToolsDlg dialog(tools(), form->imageList(), form->services());
        dialog.toolsList()->setCurrentRow(0);
        QTimer::singleShot(0, &dialog, [&dialog] { dialog.launchButton()->click(); });
        result = dialog.exec();
    }
    EXPECT_EQ(result, TToolsDlg::Launched);
    ASSERT_TRUE(programs.waitForRuns("notes", 1));
    EXPECT_EQ(programs.runs("notes").first(), QStringList({"-r", "two words"}));

    {
        TToolsDlg dialog(tools(), form->imageList(), form->services());
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        QListWidget *list = dialog.toolsList();
        const QPoint at = list->visualItemRect(list->item(1)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), TToolsDlg::Launched);
    }
    ASSERT_TRUE(programs.waitForRuns("calc", 1));
    EXPECT_EQ(programs.runs("calc").first(), QStringList());
}

TEST_F(ToolsTest, NewAddressMakesAToolAddressUnderTheSelectedNode)
{
    addTool("Notes", programs.program("notes"), "-r", true);
    TZEBObject *person = add(ItemKind::Person, "Kim");
    form->SelectNode(person->Node());
    QStringList asked;
    bool accept = true;
    form->services().dialogRunner = [&](TZEBObject &item, bool isNew) {
        asked << item.Title() + (isNew ? " new" : " old");
        if (accept)
            item.SetValue("kim");
        return accept;
    };
    runToolsDialog([](TToolsDlg *d) {
        d->toolsList()->setCurrentRow(0);
        d->addressButton()->click();
    });
    ASSERT_EQ(person->ChildCount(), 1);
    auto *address = dynamic_cast<TToolObject *>(person->ChildAt(0));
    ASSERT_NE(address, nullptr);
    EXPECT_EQ(address->Title(), "New Notes");
    EXPECT_EQ(address->ToolFile(), programs.program("notes"));
    EXPECT_EQ(address->ToolArgs(), "-r");
    EXPECT_EQ(address->GetImageIndex(), tools().Items(0)->ImageIndex());
    EXPECT_EQ(asked, QStringList{"New Notes new"});

    // Cancelled, it goes again; closed, nothing is made.
    accept = false;
    runToolsDialog([](TToolsDlg *d) {
        d->toolsList()->setCurrentRow(0);
        d->addressButton()->click();
    });
    runToolsDialog([](TToolsDlg *d) { control<QPushButton>(d, "CloseBtn")->click(); });
    EXPECT_EQ(person->ChildCount(), 1);
    EXPECT_EQ(asked.size(), 2);

    // Its own launch: the configured tool, its arguments, the address as one argument.
    address->Launch();
    ASSERT_TRUE(programs.waitForRuns("notes", 1));
    EXPECT_EQ(programs.runs("notes").first(), QStringList({"-r", "kim"}));
}

TEST_F(ToolsTest, AProgramThatIsNoToolStartsOnlyAfterTheUserAgrees)
{
    // As an import or a paste could bring it: a program nobody set up, a hostile address.
    TZEBObject *record = CreateItem(ItemKind::Tool, "Lookup", "$(touch pwned); x", QString(), root,
                                    TToolObject::NewDataLine(programs.program("stranger"), "-q"), 0);
    EXPECT_EQ(record->GetImageIndex(), 13);
    QString question;
    answerNextBox(form.get(), QMessageBox::No, &question);
    record->Launch();
    EXPECT_TRUE(question.contains(programs.program("stranger") + " -q \"$(touch pwned); x\"")) << question.toStdString();

    answerNextBox(form.get(), QMessageBox::Yes);
    record->Launch();
    ASSERT_TRUE(programs.waitForRuns("stranger", 1));
    const QList<QStringList> runs = programs.runs("stranger");
    EXPECT_EQ(runs.size(), 1); // only the one agreed to
    EXPECT_EQ(runs.first(), QStringList({"-q", "$(touch pwned); x"}));
    EXPECT_FALSE(QFile::exists(dir.filePath("pwned")));
}

TEST_F(ToolsTest, DocumentsAndToolAddressesHaveTheirCommandsAndDialogs)
{
    WireDialogs(*form);
    const QString file = dir.filePath("report.txt");
    WriteBytes(file, "text");
    EXPECT_TRUE(form->newItemAction(ItemKind::Document)->isEnabled());
    form->SelectNode(root);
    whenModalShows([&](QDialog *d) {
        EXPECT_EQ(d->windowTitle(), "Document");
        EXPECT_EQ(edit(d, "TitleEdit")->text(), "New Document");
        edit(d, "FilenameEdit")->setText(file);
        control<QPushButton>(d, "OKBtn")->click();
    });
    form->newItemAction(ItemKind::Document)->trigger();
    ASSERT_EQ(root->Item()->ChildCount(), 1);
    TZEBObject *doc = root->Item()->ChildAt(0);
    EXPECT_EQ(doc->Value(), file);
    EXPECT_GE(doc->GetImageIndex(), TImageList::BuiltInCount);

    TZEBObject *tool = add(ItemKind::Tool, "Lookup", nullptr, "kim");
    for (TZEBObject *item : {doc, tool}) {
        form->PreparePopupFor(item);
        EXPECT_TRUE(form->propertiesAction()->isEnabled()) << item->Title().toStdString();
    }
}

TEST_F(ToolsTest, FilesOfOneTypeShareOnePictureAndLoadingAgainAddsNone)
{
    for (const char *name : {"a.txt", "b.txt", "c.html"})
        WriteBytes(dir.filePath(name), "x");
    const int before = form->imageList().Count();
    const auto makeDocs = [&] {
        QList<TZEBObject *> docs;
        for (const char *name : {"a.txt", "b.txt", "c.html", "gone.unknownkind"})
            docs << add(ItemKind::Document, name, nullptr, dir.filePath(name));
        return docs;
    };
    QList<TZEBObject *> docs = makeDocs();
    EXPECT_EQ(docs[0]->GetImageIndex(), docs[1]->GetImageIndex());
    // Text and web pages look different where the theme has pictures for them.
    if (QIcon::hasThemeIcon("text-html")) {
        EXPECT_NE(docs[0]->GetImageIndex(), docs[2]->GetImageIndex());
    }
    EXPECT_EQ(docs[3]->GetImageIndex(), 13); // not there, of no known type
    const int after = form->imageList().Count();
    EXPECT_LE(after, before + 2);
    // As a Revert or a remote folder's refresh does: the items go and come again.
    for (TZEBObject *d : docs)
        root->Item()->RemoveChild(d);
    docs = makeDocs();
    EXPECT_EQ(form->imageList().Count(), after);
}

TEST_F(ToolsTest, AProgramShowsTheIconOfTheDesktopEntryThatStartsIt)
{
    QDir(dir.path()).mkpath("apps");
    const QString png = dir.filePath("notes.png");
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(png));
    WriteBytes(dir.filePath("apps/notes.desktop"), "[Desktop Entry]\nType=Application\nName=Notes\nExec=" +
                                                       programs.program("notes").toUtf8() + " %F\nIcon=" + png.toUtf8() + "\n");
    TFileIcons &icons = form->services().fileIcons();
    icons.SetApplicationDirs({dir.filePath("apps")});
    EXPECT_EQ(icons.IconName(programs.program("notes")), "icon:" + png);
    EXPECT_FALSE(icons.IconName(programs.program("calc")).startsWith("icon:"));
    TToolItem *notes = addTool("Notes", programs.program("notes"), "", false);
    TToolItem *calc = addTool("Calc", programs.program("calc"), "", false);
    EXPECT_NE(notes->ImageIndex(), calc->ImageIndex());
    const QImage shown = form->imageList().Icon(notes->ImageIndex()).pixmap(16, 16).toImage();
    EXPECT_EQ(shown.pixelColor(8, 8), QColor(Qt::red));
}
