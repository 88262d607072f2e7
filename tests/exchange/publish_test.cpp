#include "exchange/publishplan.h"

#include "store/personobject.h"
#include "store/recordfile.h"
#include "support/filebytes.h"
#include "support/htmlparse.h"
#include "support/storefixture.h"

#include <QDir>
#include <QFileInfo>

namespace {

// The shape of a subtree: every node and leaf as depth, kind and title, in tree order.
QStringList Shape(TTreeNode *node)
{
    QStringList lines;
    int depth = 0;
    for (TTreeNode *n = node; n && (n == node || depth > 0); n = n->NextPreorder(depth)) {
        const TZEBObject *item = n->Item();
        lines << QStringLiteral("%1 %2 %3").arg(depth).arg(int(item->Kind())).arg(item->Title());
        for (int i = 0; i < item->ChildCount(); ++i)
            lines << QStringLiteral("%1 - %2 %3").arg(depth).arg(int(item->ChildAt(i)->Kind())).arg(item->ChildAt(i)->Title());
    }
    return lines;
}

class PublishTest : public StoreFixture
{
protected:
    void SetUp() override
    {
        StoreFixture::SetUp();
        friends = add(ItemKind::Folder, "Friends/Family", root, {}, {}, 10)->Node();
        kim = static_cast<TPersonObject *>(
            CreateItem(ItemKind::Person, "Kim <Sample>", {}, {}, friends, "{Pers}~~Kim~~~~Sample~~~~~~~~~~~~0", 11));
        add(ItemKind::Phone, "Home", kim->Node(), "555-0100");
        kim->SetPrimaryPhone("Home");
        work = add(ItemKind::Folder, "Work", friends, {}, {}, 12)->Node();
        acme = add(ItemKind::Organization, "Acme", work, {}, {}, 13);
        add(ItemKind::Phone, "Desk", acme->Node(), "555-0199");
        out.setPath(dir.filePath("site"));
        QDir().mkpath(out.path());
    }
    QString page(const QString &name) { return QString::fromUtf8(ReadBytes(out.filePath(name))); }

    TTreeNode *friends = nullptr;
    TTreeNode *work = nullptr;
    TPersonObject *kim = nullptr;
    TZEBObject *acme = nullptr;
    QDir out;
};

} // namespace

TEST_F(PublishTest, PlanStartsFromTheItemAndWalksTheSheetsOfEachType)
{
    PublishPlan plan(friends);
    EXPECT_EQ(plan.PathText(), "My Contacts/Friends\\/Family");
    // A title with a slash still names one file, in the documents folder (or home).
    EXPECT_EQ(plan.databaseName, "Friends_Family.mbd");
    EXPECT_EQ(plan.mainPage, "Friends_Family.htm");
    EXPECT_EQ(plan.csvName, "Friends_Family.csv");
    EXPECT_EQ(plan.vcardName, "Friends_Family.vcf");
    EXPECT_EQ(plan.pageTitle, "Friends/Family");
    EXPECT_TRUE(plan.html.useFrames && plan.html.includeMbd && plan.html.includeVCard);
    EXPECT_EQ(DefaultFileName("  ", ".mbd"), "Untitled.mbd");
    EXPECT_EQ(DefaultFileName("..", ".htm"), "Untitled.htm");

    EXPECT_EQ(plan.Type(), PublishType::Database);
    EXPECT_EQ(plan.Sequence(), (QList<PublishSheet>{PublishSheet::Intro, PublishSheet::DatabaseFile}));
    EXPECT_TRUE(plan.SetType(PublishType::Html));
    EXPECT_EQ(plan.Sequence(), (QList<PublishSheet>{PublishSheet::Intro, PublishSheet::Index, PublishSheet::Graphics,
                                                    PublishSheet::Links, PublishSheet::HtmlTarget}));
    EXPECT_TRUE(plan.SetType(PublishType::Csv));
    EXPECT_EQ(plan.Sequence().size(), 3);
    // Cards from a folder with persons below: one file of them all.
    EXPECT_TRUE(plan.SetType(PublishType::VCard));
    EXPECT_EQ(plan.Sequence(), (QList<PublishSheet>{PublishSheet::Intro, PublishSheet::VCardTarget}));

    // A folder with no person or organization below falls back to the export file.
    PublishPlan empty(add(ItemKind::Folder, "Empty", root)->Node());
    EXPECT_FALSE(empty.SetType(PublishType::VCard));
    EXPECT_EQ(empty.Type(), PublishType::Database);
    // Nor does a hidden one count.
    services.filter = [](qint32 c) { return c == 4; };
    acme->SetCategories(4);
    kim->SetCategories(4);
    EXPECT_FALSE(PublishPlan(friends).SetType(PublishType::VCard));
}

TEST_F(PublishTest, NamesAreCheckedBeforeAnythingIsWritten)
{
    PublishPlan plan(friends);
    plan.databaseDir = plan.htmlDir = plan.csvDir = plan.vcardDir = out.path();
    EXPECT_EQ(plan.CheckFilename(), "");
    plan.databaseName = "friends.txt";
    EXPECT_EQ(plan.CheckFilename(), "The exported filename needs to have an extension of \".mbd\"");
    plan.databaseName = "friends.MBD";
    EXPECT_EQ(plan.CheckFilename(), "");
    plan.databaseDir = out.filePath("gone");
    EXPECT_TRUE(plan.CheckFilename().contains("does not exist"));

    plan.SetType(PublishType::VCard);
    plan.vcardName = "kim.card";
    EXPECT_EQ(plan.CheckFilename(), "The exported filename needs to have an extension of \".vcf\"");

    // With frames the main page may not be one of the frames' own files; without, it may.
    plan.SetType(PublishType::Html);
    for (const char *name : {"miraindex.htm", "MiraMain.htm", "miramain.mbd"}) {
        plan.mainPage = name;
        EXPECT_TRUE(plan.CheckFilename().contains("the frames use that name")) << name;
    }
    plan.html.useFrames = false;
    plan.mainPage = "miraindex.htm";
    EXPECT_EQ(plan.CheckFilename(), "");

    // The program's own files in the data directory are never written over, whatever the type.
    plan.SetType(PublishType::Csv);
    plan.csvDir = dir.path();
    plan.csvName = "mira.dat";
    EXPECT_EQ(plan.CheckFilename(), "\"mira.dat\" is the program's own file.");
    plan.csvName = "";
    EXPECT_FALSE(plan.CheckFilename().isEmpty());
}

TEST_F(PublishTest, BackgroundsAndColumnsFollowThePages)
{
    PublishPlan plan(friends);
    plan.backgroundsDir = out.path();
    WriteBytes(out.filePath("sand.bmp"), "BM");
    plan.ChooseBackground("sand");
    EXPECT_EQ(plan.PreviewFile(), out.filePath("sand.bmp"));
    EXPECT_EQ(plan.html.backgroundFile, out.filePath("sand.gif"));
    // Without its preview a background is not used.
    plan.ChooseBackground("stone");
    EXPECT_EQ(plan.html.backgroundFile, "");
    plan.ChooseBackground("No background");
    EXPECT_EQ(plan.PreviewFile(), "");
    plan.SetBackgroundFile("/pictures/mine.jpg");
    EXPECT_EQ(plan.html.backgroundFile, "/pictures/mine.jpg");
    EXPECT_EQ(plan.PreviewFile(), "");
    // The program's own backgrounds are there, each with its preview.
    PublishPlan own(friends);
    for (const QString &name : BackgroundNames().mid(1)) {
        own.ChooseBackground(name);
        EXPECT_TRUE(QFileInfo::exists(own.html.backgroundFile)) << name.toStdString();
    }

    EXPECT_EQ(plan.Available().size(), 17); // "Person"
    EXPECT_FALSE(plan.ColumnsComplete());
    plan.ChooseColumns({"Last Name", "Title", "Nonsense"});
    EXPECT_EQ(plan.Chosen(), (QStringList{"Last Name", "Title"}));
    EXPECT_EQ(plan.Available().size(), 15);
    EXPECT_TRUE(plan.ColumnsComplete());
    plan.SetChosenOrder({"Title", "Last Name"});
    EXPECT_EQ(plan.Chosen(), (QStringList{"Title", "Last Name"}));
    plan.SetChosenOrder({"Title"}); // not a reordering
    EXPECT_EQ(plan.Chosen().size(), 2);
    plan.UnchooseColumns({"Title"});
    EXPECT_EQ(plan.Available().last(), "Title");
    plan.SetRecordType(4); // "Phone Numbers"
    EXPECT_EQ(plan.Available(), (QStringList{"Title", "Phone Number", "Extension", "Comment"}));
    EXPECT_FALSE(plan.ColumnsComplete());
}

TEST_F(PublishTest, SiteWithFramesWritesItsPagesDownloadsAndImages)
{
    WriteBytes(out.filePath("person.gif"), "mine");
    PublishPlan plan(friends);
    plan.SetType(PublishType::Html);
    plan.htmlDir = out.path();
    plan.mainPage = "index.html";
    plan.pageTitle = "Our <b>people</b>";
    plan.ChooseBackground("sand");
    ASSERT_EQ(plan.CheckFilename(), "");
    plan.Run();

    QStringList expected{"index.html", "miraindex.htm", "miramain.htm", "miramain.mbd", "vc11.vcf", "vc13.vcf",
                         "sand.gif"};
    expected += SiteImageNames();
    expected.sort();
    EXPECT_EQ(out.entryList(QDir::Files, QDir::Name), expected);
    EXPECT_EQ(ReadBytes(out.filePath("person.gif")), "mine"); // not replaced
    EXPECT_TRUE(ReadBytes(out.filePath("vc11.vcf")).contains("FN:Kim <Sample>"));

    for (const char *name : {"index.html", "miraindex.htm", "miramain.htm"}) {
        const QString html = page(name);
        EXPECT_TRUE(html.contains("<meta charset=\"utf-8\">")) << name;
        EXPECT_EQ(Parse(html).error, "") << name;
        EXPECT_FALSE(Parse(html).elements.contains("b")) << name;
    }
    EXPECT_TRUE(page("index.html").contains("<title>Friends/Family</title>"));
    EXPECT_TRUE(page("index.html").contains("<frame src=\"miramain.htm\" name=\"main\""));
    const ParsedPage index = Parse(page("miraindex.htm"));
    EXPECT_TRUE(page("miraindex.htm").contains("<base target=\"main\">"));
    EXPECT_TRUE(index.hrefs.contains("miramain.mbd"));
    EXPECT_TRUE(index.hrefs.contains("miramain.htm#i11"));
    EXPECT_TRUE(index.hrefs.contains("miramain.htm#i12"));
    const QString main = page("miramain.htm");
    EXPECT_TRUE(main.contains("<body background=\"sand.gif\" text=Black link=Navy>"));
    EXPECT_TRUE(main.contains("<h2>Our &lt;b&gt;people&lt;/b&gt;</h2>"));
    EXPECT_TRUE(Parse(main).hrefs.contains("vc11.vcf"));
    EXPECT_TRUE(Parse(main).hrefs.contains("vc13.vcf"));
    EXPECT_TRUE(main.contains("name=\"i11\""));

    // The downloadable export reads back as what was published.
    TTreeNode *back = add(ItemKind::Folder, "Back", root)->Node();
    ImportFile(back, out.filePath("miramain.mbd"));
    ASSERT_TRUE(back->HasChildren());
    EXPECT_EQ(Shape(back->Child(0)), Shape(friends));
}

TEST_F(PublishTest, ItemsWithOneIdKeepTheirOwnCardsAndAnchors)
{
    // An export file imported twice keeps its Ids.
    auto *twin = static_cast<TPersonObject *>(
        CreateItem(ItemKind::Person, "Kim Twin", {}, {}, work, "{Pers}~~Kim~~~~Twin~~~~~~~~~~~~0", 11));
    ASSERT_EQ(twin->Id(), kim->Id());
    HtmlExportOptions options;
    options.includeVCard = true;
    options.useFrames = false;
    WriteSite(friends, out.filePath("page.htm"), options);
    // In tree order: the folder Work, with the twin, comes before Kim.
    EXPECT_TRUE(ReadBytes(out.filePath("vc11.vcf")).contains("Twin"));
    EXPECT_TRUE(ReadBytes(out.filePath("vc11-2.vcf")).contains("Sample"));
    const QString html = page("page.htm");
    EXPECT_TRUE(html.contains("name=\"i11\""));
    EXPECT_TRUE(html.contains("name=\"i11-2\""));
    EXPECT_TRUE(Parse(html).hrefs.contains("#i11-2"));
    // A frame set may not load itself.
    options.useFrames = true;
    EXPECT_FALSE(IsAllowedMainPage(out.filePath("miramain.htm"), options));
    EXPECT_THROW(WriteSite(friends, out.filePath("miramain.htm"), options), std::invalid_argument);
}

TEST_F(PublishTest, HiddenContainersLeaveTheirContentsInTheirPlace)
{
    // Friends / Work (hidden) / Acme, and a hidden folder with a deeper folder below it.
    services.filter = [](qint32 c) { return (c & 2) != 0; };
    work->Item()->SetCategories(2);
    TZEBObject *hidden = add(ItemKind::Folder, "Hidden", friends, {}, {}, 20);
    hidden->SetCategories(2);
    TZEBObject *deep = add(ItemKind::Folder, "Deep", hidden->Node(), {}, {}, 21);
    add(ItemKind::Person, "Lee", deep->Node(), {}, {}, 22);

    QList<QPair<QString, int>> walked;
    ForEachPublishedNode(friends, [&](TTreeNode *n, int depth) { walked.append({n->Item()->Title(), depth}); });
    EXPECT_EQ(walked, (QList<QPair<QString, int>>{
                          {"Friends/Family", 0}, {"Deep", 1}, {"Lee", 2}, {"Acme", 1}, {"Kim <Sample>", 1}}));

    PublishPlan plan(friends);
    plan.databaseDir = out.path();
    plan.Run();
    TTreeNode *back = add(ItemKind::Folder, "Back", root)->Node();
    services.filter = nullptr;
    ImportFile(back, out.filePath(plan.databaseName));
    ASSERT_TRUE(back->HasChildren());
    EXPECT_EQ(Shape(back->Child(0)),
              (QStringList{"0 0 Friends/Family", "1 0 Deep", "2 3 Lee", "1 1 Acme", "1 - 6 Desk", "1 3 Kim <Sample>",
                           "1 - 6 Home"}));
    // The categories of containers are not exported.
    EXPECT_EQ(back->Child(0)->Item()->Categories(), 0);
}

TEST_F(PublishTest, CsvAndCardsFromThePlan)
{
    PublishPlan plan(friends);
    plan.csvDir = plan.vcardDir = out.path();
    plan.SetType(PublishType::Csv);
    plan.ChooseColumns({"Title", "Phone Number", "First Name"});
    plan.includeFieldNames = true;
    plan.Run();
    EXPECT_EQ(ReadBytes(out.filePath(plan.csvName)),
              CrLf({"Title,\"Phone Number\",\"First Name\"", "\"Kim <Sample>\",\"555-0100\",\"Kim\""}));

    plan.SetType(PublishType::VCard);
    plan.Run();
    const QByteArray cards = ReadBytes(out.filePath(plan.vcardName));
    EXPECT_EQ(cards.count("BEGIN:VCARD"), 2);
    PublishPlan one(acme->Node());
    one.vcardDir = out.path();
    ASSERT_TRUE(one.SetType(PublishType::VCard));
    one.Run();
    EXPECT_EQ(ReadBytes(out.filePath("Acme.vcf")).count("BEGIN:VCARD"), 1);
}

TEST(UrlSchemes, SecureWebAddressesAreAddresses)
{
    EXPECT_TRUE(HasURLScheme("https://example.com"));
    EXPECT_TRUE(HasURLScheme("HTTP://example.com"));
    EXPECT_FALSE(HasURLScheme("javascript:alert(1)"));
}
