#include "store/primarypage.h"

#include "store/personobject.h"
#include "support/storefixture.h"

class PrimaryPageTest : public StoreFixture
{
protected:
    TPersonObject *person()
    {
        return dynamic_cast<TPersonObject *>(
            add(ItemKind::Person, "Kim Sample", root, {}, "{Pers}~~Kim~~~~Sample~~Home~~Home~~Fax~~Mail~~Blog~~0"));
    }
};

TEST_F(PrimaryPageTest, PagesShowThePrimaryChildren)
{
    TPersonObject *p = person();
    add(ItemKind::Address, "Home", p->Node(), "1 Main St", "{Addr}1 Main St~~Flat 2~~~~Springfield~~IL~~62701~~USA~~0");
    p->ChildAt(0)->SetComment("front door");
    add(ItemKind::Phone, "Home", p->Node(), "(555)123-4567", "{Phon}12~~0");
    add(ItemKind::Phone, "Work", p->Node(), "555-0100", "{Phon}~~0");
    add(ItemKind::EMail, "Mail", p->Node(), "kim@example.org");
    add(ItemKind::Website, "Blog", p->Node(), "http://kim.example.org");

    TPrimaryPages pages = PrimaryPagesOf(*p);
    EXPECT_EQ(pages.AddrLines, QStringList({"1 Main St", "Flat 2", ""}));
    EXPECT_EQ(pages.PostCode, "62701");
    EXPECT_EQ(pages.AddrComment, "front door");
    EXPECT_EQ(pages.PhoneNum, "(555)123-4567");
    EXPECT_EQ(pages.PhoneBare, pages.PhoneNum); // stored numbers are plain text
    EXPECT_EQ(pages.Extension, "12");
    EXPECT_EQ(pages.Web, "http://kim.example.org"); // found through its own node

    // Choosing another title shows that child; an unknown one, or another kind's, leaves the page.
    EXPECT_TRUE(ReadPrimaryPage(*p, ItemKind::Phone, "Work", pages));
    EXPECT_EQ(pages.PhoneNum, "555-0100");
    EXPECT_TRUE(pages.Extension.isEmpty());
    EXPECT_FALSE(ReadPrimaryPage(*p, ItemKind::Phone, "Cottage", pages));
    EXPECT_EQ(pages.PhoneNum, "555-0100");
    EXPECT_FALSE(ReadPrimaryPage(*p, ItemKind::EMail, "Home", pages));
    EXPECT_EQ(pages.EMailAddr, "kim@example.org");
}

TEST_F(PrimaryPageTest, OwnerWithoutChildrenOpensEmpty)
{
    // Stale primary fields of an owner without children name nothing: the pages
    // stay empty so OK does not make an empty address out of them.
    TPersonObject *p = person();
    EXPECT_TRUE(PrimaryPagesOf(*p).AddrTitle.isEmpty());
    add(ItemKind::Website, "Blog", p->Node(), "http://kim.example.org"); // a child node counts
    EXPECT_EQ(PrimaryPagesOf(*p).AddrTitle, "Home");
}
