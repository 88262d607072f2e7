#include "exchange/bookmarks.h"
#include "exchange/favorites.h"
#include "exchange/htmlscan.h"
#include "exchange/nicknames.h"

#include "store/recordfile.h"
#include "support/filebytes.h"
#include "support/storefixture.h"

#include <QDir>

namespace {

// What one browser family writes: upper-case tags, ICON data URIs, entities, nested folders,
// a smart bookmark, an anchor without text, an address with a comma and a blank.
const QByteArray kBrowserHtml =
    "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n"
    "<!-- This is an automatically generated file. -->\n"
    "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">\n"
    "<TITLE>Bookmarks</TITLE>\n<H1>Bookmarks Menu</H1>\n\n<DL><p>\n"
    "    <DT><A HREF=\"place:parent=toolbar_____&amp;sort=12\">Recent Tags</A>\n"
    "    <DT><H3 ADD_DATE=\"1\" PERSONAL_TOOLBAR_FOLDER=\"true\">Tools &amp; Toys</H3>\n"
    "    <DL><p>\n"
    "        <DT><A HREF=\"https://example.org/a?x=1,2&amp;y=a b\" ADD_DATE=\"1\" ICON=\"data:image/png;base64,iVBORw0KGgo=\">"
    "Caf&eacute; &lt;menu&gt; &#8211; &#x263A;</A>\n"
    "        <DT><H3>Deep</H3>\n        <DL><p>\n"
    "            <DT><A HREF='http://deep.example/'></A>\n"
    "        </DL><p>\n"
    "    </DL><p>\n"
    "    <dt><a href=http://lower.example/ add_date=3>lower case</a>\n"
    "    <DT><A HREF=\"http://open.example/\">no end tag\n"
    "</DL>\n";

// The JSON file of a Chromium-family profile.
const QByteArray kChromiumJson = R"({
   "checksum": "x", "version": 1,
   "roots": {
      "bookmark_bar": { "children": [
            { "name": "News", "type": "url", "url": "https://news.example/" },
            { "name": "Work", "type": "folder", "children": [
                  { "name": "Wiki", "type": "url", "url": "https://wiki.example/" },
                  { "name": "Settings", "type": "url", "url": "chrome://settings/" } ] } ],
         "name": "Bookmarks bar", "type": "folder" },
      "other": { "children": [ { "name": "", "type": "url", "url": "http://untitled.example/" } ],
         "name": "Other bookmarks", "type": "folder" },
      "synced": { "children": [], "name": "Mobile bookmarks", "type": "folder" } } })";

class ImportSourcesTest : public StoreFixture
{
protected:
    // The subtree below node, one "depth kind title=value" line a node, with the leaf children.
    static QStringList tree(TTreeNode *node)
    {
        QStringList out;
        ForEachShownNode(node, [&out](TTreeNode *n, int depth) {
            out << QStringLiteral("%1 %2 %3=%4").arg(depth).arg(int(n->Item()->Kind())).arg(n->Item()->Title(), n->Item()->Value());
            for (int i = 0; i < n->Item()->ChildCount(); ++i) {
                const TZEBObject *c = n->Item()->ChildAt(i);
                out << QStringLiteral("%1 %2 %3=%4 (%5)").arg(depth + 1).arg(int(c->Kind())).arg(c->Title(), c->Value(), c->Comment());
            }
        });
        return out;
    }
};

TEST(HtmlScan, TagsAttributesAndReferences)
{
    const QString html = QStringLiteral("<A Href = \"a,b c\" title='x&quot;y' data=1>t&amp;t&#65;&bogus;</a>");
    HtmlScanner s(html);
    ASSERT_EQ(s.Next(), HtmlScanner::Token::Tag);
    EXPECT_EQ(s.TagName(), "a");
    EXPECT_FALSE(s.Closing());
    EXPECT_EQ(s.Attribute("href"), "a,b c");
    EXPECT_EQ(s.Attribute("title"), "x\"y");
    EXPECT_EQ(s.Attribute("data"), "1");
    ASSERT_EQ(s.Next(), HtmlScanner::Token::Text);
    EXPECT_EQ(s.Text(), "t&tA&bogus;");
    ASSERT_EQ(s.Next(), HtmlScanner::Token::Tag);
    EXPECT_TRUE(s.Closing());
    EXPECT_EQ(s.Next(), HtmlScanner::Token::End);
}

TEST_F(ImportSourcesTest, ABrowsersHtmlExportKeepsItsFoldersAndWholeAddresses)
{
    WriteBytes("bookmarks.html", kBrowserHtml);
    EXPECT_EQ(BookmarkFileTitle("bookmarks.html"), "Bookmarks");
    const ImportNotes notes = ImportBookmarkFile(root, "bookmarks.html");
    EXPECT_EQ(notes.made, 4);
    EXPECT_EQ(ImportShortfall(notes),
              "4 items were imported; 1 of the browser's own internal links (such as \"place:\") were left out");
    EXPECT_EQ(tree(root->Child(0)), (QStringList{
                                        "0 0 Bookmarks=",
                                        "1 0 Tools & Toys=",
                                        "2 0 Deep=",
                                        "3 4 http://deep.example/=http://deep.example/",
                                        "2 4 Caf\u00e9 <menu> \u2013 \u263A=https://example.org/a?x=1,2&y=a b",
                                        "1 4 lower case=http://lower.example/",
                                        "1 4 no end tag=http://open.example/",
                                    }));
}

TEST_F(ImportSourcesTest, AChromiumProfilesJsonKeepsItsFolders)
{
    WriteBytes("Bookmarks", kChromiumJson);
    const ImportNotes notes = ImportBookmarkFile(root, "Bookmarks");
    EXPECT_EQ(notes.made, 3);
    EXPECT_EQ(tree(root->Child(0)), (QStringList{
                                        "0 0 Bookmarks=",
                                        "1 0 Bookmarks bar=",
                                        "2 0 Work=",
                                        "3 4 Wiki=https://wiki.example/",
                                        "2 4 News=https://news.example/",
                                        "1 0 Other bookmarks=",
                                        "2 4 http://untitled.example/=http://untitled.example/",
                                    }));
    WriteBytes("Broken", "{\"roots\": ");
    EXPECT_THROW(ImportBookmarkFile(root, "Broken"), EInOutError);
    EXPECT_EQ(root->Count(), 1);
}

TEST_F(ImportSourcesTest, AnAddressBookPageGivesItsMailAddresses)
{
    WriteBytes("address.htm", "<html><head><title>Address Book</title></head><body><dl>\n"
                              "<dt><a href=\"mailto:kim@example.com\">Kim Park</a>\n"
                              "<DT><A HREF=\"MAILTO:j%2Eberg@example.com?subject=hi\"></A>\n"
                              "<dt><a href=\"http://not.mail/\">web</a></dl></body></html>\n");
    EXPECT_EQ(ImportAddressBookFile(root, "address.htm").made, 2);
    EXPECT_EQ(tree(root->Child(0)), (QStringList{"0 0 Address Book=", "1 7 Kim Park=kim@example.com ()",
                                                 "1 7 j.berg@example.com=j.berg@example.com ()"}));
}

TEST_F(ImportSourcesTest, ANicknameFileGivesAddressesAndTheirNotes)
{
    WriteBytes("nndbase.txt", "alias kim Kim Park <kim@example.com>\r\n"
                              "alias \"the team\" a@x.org, b@x.org\r\n"
                              "alias nobody Nobody Here\r\n"
                              "note kim   met at the fair\r\n"
                              "something else\r\n");
    const ImportNotes notes = ImportNicknameFile(root, "nndbase.txt");
    EXPECT_EQ(notes.made, 2);
    EXPECT_EQ(notes.firstSkippedLine, 3);
    EXPECT_EQ(tree(root->Child(0)), (QStringList{"0 0 Eudora Addresses=", "1 7 kim=kim@example.com (met at the fair)",
                                                 "1 7 the team=a@x.org ()"}));
}

TEST_F(ImportSourcesTest, FavouritesBecomeFoldersOfTheirOwnOnly)
{
    QDir d(dir.path());
    ASSERT_TRUE(d.mkpath("Favorites/Links/News") && d.mkpath("Favorites/Apps"));
    WriteBytes("Favorites/Top.url", "[InternetShortcut]\r\nURL=http://top.example/\r\n");
    WriteBytes("Favorites/Links/News/Daily.URL", "[DEFAULT]\r\nBASEURL=x\r\n[InternetShortcut]\r\nurl=http://daily.example/\r\n");
    WriteBytes("Favorites/Apps/editor.desktop", "[Desktop Entry]\nType=Application\nExec=ed\n");
    WriteBytes("Favorites/Apps/site.desktop", "[Desktop Entry]\nType=Link\nName=Project Site\nName[de]=Seite\n"
                                              "URL[$e]=https://project.example/\n");
    WriteBytes("Favorites/notes.txt", "URL=http://ignored/\n");
    // A person named like a subdirectory elsewhere in the tree is never filled with links.
    add(ItemKind::Person, "News", root);
    const ImportNotes notes = ImportFavorites(root, dir.filePath("Favorites"));
    EXPECT_EQ(notes.made, 3);
    EXPECT_EQ(tree(root), (QStringList{
                              "0 11 My Contacts=",
                              "1 0 Favorites=",
                              "2 0 Apps=",
                              "3 4 Project Site=https://project.example/",
                              "2 0 News=",
                              "3 4 Daily=http://daily.example/",
                              "2 4 Top=http://top.example/",
                              "1 3 News=",
                          }));
    EXPECT_EQ(FolderNameOf("/a/Favorites/"), "Favorites");
}

} // namespace
