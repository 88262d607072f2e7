#include "exchange/htmlexport.h"

#include "store/contactobject.h"
#include "store/personobject.h"
#include "store/recordfile.h"
#include "support/filebytes.h"
#include "support/htmlparse.h"
#include "support/storefixture.h"


namespace {

class HtmlExportTest : public StoreFixture
{
protected:
    QString page(TTreeNode *node, const QString &title = "Page")
    {
        HtmlExportOptions options;
        options.pageTitle = title;
        WriteSite(node, "page.htm", options);
        return QString::fromUtf8(ReadBytes("page.htm"));
    }
};

} // namespace

TEST_F(HtmlExportTest, HostileTextComesOutAsText)
{
    TZEBObject *f = add(ItemKind::Folder, "<script>alert('f')</script>", root);
    f->SetComment("\" onmouseover=\"steal()");
    auto *p = static_cast<TPersonObject *>(add(ItemKind::Person, "Eve <b>", f->Node()));
    p->SetFirstName("<img src=x onerror=y>");
    add(ItemKind::Website, "Click", p->Node(), "javascript:alert(1)");
    add(ItemKind::Website, "Tabbed", p->Node(), "java\tscript:alert(1)");
    add(ItemKind::Website, "Good", p->Node(), "https://example.com/?a=1&b=\"2\"");
    add(ItemKind::EMail, "Mail", p->Node(), "x@y\"><script>z</script>");
    add(ItemKind::Phone, "Cell", p->Node(), "555 <i>");
    add(ItemKind::Website, "Site <s>", f->Node(), "JavaScript:evil()");

    const QString html = page(f->Node(), "Mine </title><script>");
    const ParsedPage parsed = Parse(html);
    EXPECT_EQ(parsed.error, "");
    for (const char *injected : {"script", "b", "i", "s"})
        EXPECT_FALSE(parsed.elements.contains(injected)) << injected;
    EXPECT_EQ(parsed.elements.count("img"), 2); // the person's index icon and the footer's button
    EXPECT_TRUE(html.contains("&lt;img src=x onerror=y&gt;"));
    EXPECT_FALSE(html.contains("onmouseover=\"")) << html.toStdString();
    EXPECT_TRUE(html.contains("&lt;script&gt;alert(&#39;f&#39;)&lt;/script&gt;"));
    EXPECT_TRUE(html.contains("&quot; onmouseover=&quot;steal()"));
    for (const QString &h : parsed.hrefs)
        EXPECT_TRUE(h.startsWith("#i") || h.startsWith("https:") || h.startsWith("mailto:")) << h.toStdString();
    EXPECT_TRUE(parsed.hrefs.contains("https://example.com/?a=1&amp;b=&quot;2&quot;"));
    EXPECT_TRUE(html.contains("Click<br>"));  // no link, the title as text
    EXPECT_TRUE(html.contains("Tabbed<br>"));
}

TEST_F(HtmlExportTest, OnlyKnownSchemesAndBareHostsBecomeLinks)
{
    EXPECT_EQ(SafeHref("HTTP://a.b/c"), "HTTP://a.b/c");
    EXPECT_EQ(SafeHref("ftp://a.b"), "ftp://a.b");
    EXPECT_EQ(SafeHref(" www.example.com/x?y=1&z "), "http://www.example.com/x?y=1&amp;z");
    for (const char *bad : {"javascript:x", "data:text/html,x", "vbscript:x", "", "localhost", "file:///etc/passwd",
                            "http://a\nb", "\"onclick=x.y"})
        EXPECT_EQ(SafeHref(bad), "") << bad;
    EXPECT_EQ(HtmlEscaped("a&<>\"'b"), "a&amp;&lt;&gt;&quot;&#39;b");
}

TEST_F(HtmlExportTest, PageIndexesContainersByIdAndNestsTheirSections)
{
    TZEBObject *top = add(ItemKind::Folder, "Top", root, {}, {}, 100);
    TZEBObject *a = add(ItemKind::Folder, "Same", top->Node(), {}, {}, 101);
    TZEBObject *b = add(ItemKind::Folder, "Same", top->Node(), {}, {}, 102);
    auto *kim = static_cast<TPersonObject *>(
        CreateItem(ItemKind::Person, "Kim Müller", {}, {}, a->Node(), "{Pers}~~Kim~~~~Müller~~~~~~~~~~~~0", 103));
    add(ItemKind::Phone, "Home", kim->Node(), "555-0100");
    add(ItemKind::EMail, "Home", kim->Node(), "kim@example.com"); // shares the phone's title
    add(ItemKind::Fax, "Office", kim->Node(), "555-0111");
    kim->SetPrimaryPhone("Home");
    kim->SetPrimaryFax("Office");
    add(ItemKind::Organization, "Acme", b->Node(), {}, {}, 104);
    add(ItemKind::Website, "Deep", add(ItemKind::Folder, "Down", b->Node(), {}, {}, 105)->Node(), "www.d.org", {}, 106);

    const QString html = page(top->Node());
    const QByteArray bytes = ReadBytes("page.htm");
    EXPECT_TRUE(bytes.contains("<meta charset=\"utf-8\">"));
    EXPECT_TRUE(bytes.contains("Kim M\xc3\xbcller"));
    const ParsedPage parsed = Parse(html);
    EXPECT_EQ(parsed.error, "");
    // The index lists the containers below the node (not the node, nor a website without
    // children), each linked to its own section, equal titles to different places; folders come first.
    EXPECT_EQ(parsed.hrefs, QStringList({"https://mirabook.org/", "#i101", "#i103", "#i102", "#i105", "#i104", "mailto:kim@example.com",
                                            "http://www.d.org"}));
    for (int id : {100, 101, 102, 103, 104, 105, 106})
        EXPECT_TRUE(html.contains(QString("name=\"i%1\"").arg(id))) << id;
    // The e-mail titled like the primary phone is still written, after the primaries.
    const qsizetype phone = html.indexOf("555-0100"), fax = html.indexOf("555-0111");
    const qsizetype mail = html.indexOf("mailto:kim@example.com");
    EXPECT_TRUE(phone > 0 && fax > phone && mail > fax);
    EXPECT_EQ(html.count("555-0100"), 1);
    // Sections nest as deep as their nodes: Top, Same/Kim, Same/Acme, Down/Deep.
    // Index: two (Kim, Acme one level in); sections: four for the depth of Same, Kim,
    // Acme and Deep, four for the folders' own (Top, both Same, Down).
    EXPECT_EQ(parsed.elements.count("blockquote"), 2 + 4 + 4);
    EXPECT_GT(html.indexOf("name=\"i100\""), html.indexOf("<hr>"));
}
