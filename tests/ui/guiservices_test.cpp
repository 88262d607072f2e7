#include "mainformfixture.h"

#include "support/filebytes.h"
#include "ui/imagelist.h"

#include <QDesktopServices>
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
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "open");
    }
    void TearDown() override
    {
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        MainFormTest::TearDown();
    }
    QString makeFile(const QString &name)
    {
        WriteBytes(dir.filePath(name), "text");
        return dir.filePath(name);
    }
    UrlCatcher catcher;
};

TEST_F(GuiServicesTest, LaunchingADocumentOpensItsFileOnTheDesktop)
{
    const QString path = makeFile(QStringLiteral("report.txt"));
    TZEBObject *doc = add(ItemKind::Document, QStringLiteral("report.txt"), nullptr, path);
    form->SelectNode(root);
    selectRows({doc});
    form->PreparePopupFor(doc);
    QAction *launch = form->listPopup()->actions().at(6);
    EXPECT_TRUE(launch->isVisible());
    launch->trigger(); // does nothing when disabled
    EXPECT_EQ(catcher.urls, QList<QUrl>{QUrl::fromLocalFile(path)});
}

TEST_F(GuiServicesTest, AMissingFileIsReportedNotOpened)
{
    QString shown;
    answerNextBox(form.get(), QMessageBox::Ok, &shown);
    const QString missing = dir.filePath(QStringLiteral("gone.txt"));
    EXPECT_FALSE(form->services().ShellOpen(missing));
    EXPECT_EQ(shown, missing + QStringLiteral(" was not found"));
    EXPECT_TRUE(catcher.urls.isEmpty());
}

TEST_F(GuiServicesTest, AFileIconIsAddedOnceAndTheBuiltInImagesStay)
{
    const QString path = makeFile(QStringLiteral("notes.txt"));
    const int before = form->imageList().Count();
    const qint64 documentImage = form->imageList().Icon(ImageIndex(Image::Document)).cacheKey();
    const int index = form->services().FileIcon(path, ImageIndex(Image::Document));
    EXPECT_EQ(index, before);
    EXPECT_EQ(form->imageList().Icon(ImageIndex(Image::Document)).cacheKey(), documentImage);
    EXPECT_EQ(form->services().FileIcon(path, ImageIndex(Image::Document)), index);
    EXPECT_EQ(form->imageList().Count(), before + 1);
    EXPECT_EQ(form->services().FileIcon(dir.filePath(QStringLiteral("none")), 13), 13);
}

#include "guiservices_test.moc"
