#include "mainformfixture.h"

#include "store/kinds.h"
#include "ui/imagelist.h"

#include <QAction>
#include <QDesktopServices>
#include <QFile>
#include <QMenu>
#include <QUrl>

namespace {
// Stands in for the desktop's handler of opened URLs.
class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl &url) { urls.append(url); }
};
} // namespace

class GuiServicesTest : public MainFormTest
{
protected:
    void SetUp() override
    {
        MainFormTest::SetUp();
        for (const char *scheme : {"file", "http"})
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &catcher, "open");
    }
    void TearDown() override
    {
        for (const char *scheme : {"file", "http"})
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
        MainFormTest::TearDown();
    }
    QString makeFile(const QString &name)
    {
        QFile f(dir.filePath(name));
        f.open(QIODevice::WriteOnly);
        f.write("text");
        return f.fileName();
    }
    UrlCatcher catcher;
};

TEST_F(GuiServicesTest, LaunchingADocumentOpensItsFileOnTheDesktop)
{
    const QString path = makeFile(QStringLiteral("report.txt"));
    TZEBObject *doc = add(Kinds::Document, QStringLiteral("report.txt"), nullptr, path);
    form->SelectNode(root);
    form->SetActivePane(TMainForm::Pane::MainItems);
    form->mainItems()->selectionModel()->select(form->itemModel()->index(form->itemModel()->rowOf(doc), 0),
                                                QItemSelectionModel::ClearAndSelect);
    form->PreparePopupFor(doc);
    QAction *launch = form->listPopup()->actions().at(6);
    ASSERT_TRUE(launch->isVisible());
    ASSERT_TRUE(launch->isEnabled());
    launch->trigger();
    ASSERT_EQ(catcher.urls.size(), 1);
    EXPECT_EQ(catcher.urls.first(), QUrl::fromLocalFile(path));

    EXPECT_TRUE(form->services().ShellOpen(QStringLiteral("http://example.org/a")));
    EXPECT_EQ(catcher.urls.last(), QUrl(QStringLiteral("http://example.org/a")));
}

TEST_F(GuiServicesTest, AMissingFileIsReportedNotOpened)
{
    QString shown;
    answerNextBox(QMessageBox::Ok, &shown);
    const QString missing = dir.filePath(QStringLiteral("gone.txt"));
    EXPECT_FALSE(form->services().ShellOpen(missing));
    EXPECT_EQ(shown, missing + QStringLiteral(" was not found"));
    EXPECT_TRUE(catcher.urls.isEmpty());
}

TEST_F(GuiServicesTest, DialogsAndFileIconsGoWhereTheyAreWired)
{
    TZEBObject *person = add(Kinds::Person, QStringLiteral("Kim"));
    // Unwired: every dialog counts as cancelled, the category pop-up as dismissed.
    EXPECT_FALSE(form->services().EditItem(*person, false));
    EXPECT_FALSE(form->services().ChooseCategories(5).has_value());
    form->services().categoryChooser = [](qint32 current) { return std::optional<qint32>(current | 4); };
    EXPECT_EQ(form->services().ChooseCategories(1), std::optional<qint32>(5));
    EXPECT_FALSE(form->services().IsFilteredOut(0x7fffffff));

    // A file's icon gets its own entry; the built-in images stay as they are.
    const QString path = makeFile(QStringLiteral("notes.txt"));
    const int before = form->imageList().Count();
    const qint64 documentImage = form->imageList().Icon(Images::Document).cacheKey();
    const int index = form->services().FileIcon(path, Images::Document);
    EXPECT_EQ(index, before);
    EXPECT_EQ(form->imageList().Count(), before + 1);
    EXPECT_EQ(form->imageList().Icon(Images::Document).cacheKey(), documentImage);
    EXPECT_EQ(form->services().FileIcon(path, index), index); // replaced in place
    EXPECT_EQ(form->imageList().Count(), before + 1);
    EXPECT_EQ(form->services().FileIcon(dir.filePath(QStringLiteral("none")), 13), 13);
}

#include "guiservices_test.moc"
