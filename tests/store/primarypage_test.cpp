#include "store/primarypage.h"

#include "store/addressobject.h"
#include "store/personobject.h"
#include "store/phoneobject.h"
#include "support/storefixture.h"

class PrimaryPageTest : public StoreFixture
{
protected:
    TPersonObject *person(const QString &dataLine = "{Pers}~~Kim~~~~Sample~~Home~~Home~~Fax~~Mail~~Blog~~0")
    {
        return dynamic_cast<TPersonObject *>(add(Kinds::Person, "Kim Sample", root, {}, dataLine));
    }
};

TEST_F(PrimaryPageTest, NewOwnersStartWithThePresetTitles)
{
    const TPrimaryPages p = NewPrimaryPages();
    EXPECT_EQ(p.AddrTitle, "Primary Address");
    EXPECT_EQ(p.PhoneTitle, "Primary Phone");
    EXPECT_EQ(p.FaxTitle, "Primary FAX");
    EXPECT_EQ(p.EMailTitle, "Primary E-Mail");
    EXPECT_EQ(p.WebTitle, "Primary Website");
    EXPECT_TRUE(p.AddrLines.isEmpty());
    EXPECT_TRUE(p.PhoneNum.isEmpty());
}

TEST_F(PrimaryPageTest, PagesShowThePrimaryChildren)
{
    TPersonObject *p = person();
    ASSERT_TRUE(p);
    add(Kinds::Address, "Home", p->Node(), "1 Main St",
        "{Addr}1 Main St~~Flat 2~~~~Springfield~~IL~~62701~~USA~~0");
    p->ChildAt(0)->SetComment("front door");
    add(Kinds::Phone, "Home", p->Node(), "(555)123-4567", "{Phon}12~~0");
    add(Kinds::Phone, "Work", p->Node(), "555-0100", "{Phon}~~0");
    add(Kinds::Fax, "Fax", p->Node(), "555-0199");
    add(Kinds::EMail, "Mail", p->Node(), "kim@example.org");
    add(Kinds::Website, "Blog", p->Node(), "http://kim.example.org");

    TPrimaryPages pages = PrimaryPagesOf(*p);
    EXPECT_EQ(pages.AddrTitle, "Home");
    EXPECT_EQ(pages.AddrLines, QStringList({"1 Main St", "Flat 2", ""}));
    EXPECT_EQ(pages.City, "Springfield");
    EXPECT_EQ(pages.State, "IL");
    EXPECT_EQ(pages.PostCode, "62701");
    EXPECT_EQ(pages.Country, "USA");
    EXPECT_EQ(pages.AddrComment, "front door");
    EXPECT_EQ(pages.PhoneTitle, "Home");
    EXPECT_EQ(pages.PhoneNum, "(555)123-4567");
    EXPECT_EQ(pages.PhoneBare, pages.PhoneNum); // stored numbers are plain text
    EXPECT_EQ(pages.Extension, "12");
    EXPECT_EQ(pages.FaxNum, "555-0199");
    EXPECT_EQ(pages.EMailAddr, "kim@example.org");
    EXPECT_EQ(pages.WebTitle, "Blog");
    EXPECT_EQ(pages.Web, "http://kim.example.org"); // found through its own node

    // Choosing another title shows that child; an unknown one leaves the page.
    EXPECT_TRUE(ReadPrimaryPage(*p, Kinds::Phone, "Work", pages));
    EXPECT_EQ(pages.PhoneNum, "555-0100");
    EXPECT_TRUE(pages.Extension.isEmpty());
    EXPECT_EQ(pages.PhoneTitle, "Home"); // the title is the list's business
    EXPECT_FALSE(ReadPrimaryPage(*p, Kinds::Phone, "Cottage", pages));
    EXPECT_EQ(pages.PhoneNum, "555-0100");
    // The kind must match too: "Home" the address is no phone.
    EXPECT_FALSE(ReadPrimaryPage(*p, Kinds::EMail, "Home", pages));
    EXPECT_EQ(pages.EMailAddr, "kim@example.org");
}

TEST_F(PrimaryPageTest, OwnerWithoutChildrenOpensEmpty)
{
    // Stale primary fields of an owner without children name nothing: the pages
    // stay empty so OK does not make an empty address out of them.
    TPersonObject *p = person();
    ASSERT_TRUE(p);
    ASSERT_FALSE(HasContactChildren(*p));
    const TPrimaryPages pages = PrimaryPagesOf(*p);
    EXPECT_TRUE(pages.AddrTitle.isEmpty());
    EXPECT_TRUE(pages.WebTitle.isEmpty());

    add(Kinds::Website, "Blog", p->Node(), "http://kim.example.org"); // a child node counts
    EXPECT_TRUE(HasContactChildren(*p));
    EXPECT_EQ(PrimaryPagesOf(*p).AddrTitle, "Home");
}
