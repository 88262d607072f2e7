// The find by title: word starts without regard to case, the walk round the tree, and
// leaf records searched where they lie in the file, with the same answers.
#include "recordfiletestutil.h"
#include "store/phonesearch.h"
#include "store/treesearch.h"
#include "store/wordstart.h"
#include "support/storefixture.h"

TEST(WordStart, MatchesAtTheStartOrAfterABlankWithoutRegardToCase)
{
    EXPECT_TRUE(WordStart("smi").Matches(u"John Smith"));
    EXPECT_TRUE(WordStart("SMITH").Matches(u"John Smith"));
    EXPECT_TRUE(WordStart("john s").Matches(u"JOHN SMITH"));
    EXPECT_TRUE(WordStart("jo").Matches(u"Jo"));
    EXPECT_FALSE(WordStart("smi").Matches(u"Osmith"));
    EXPECT_FALSE(WordStart("smi").Matches(u"John-Smith")); // only a blank starts a word
    EXPECT_TRUE(WordStart("smi").Matches(u"Osmith Smit Smith")); // a later word start counts
    EXPECT_FALSE(WordStart("smithson").Matches(u"Smith"));
    // Beyond ASCII, in the key, in the title, or both.
    EXPECT_TRUE(WordStart(QString::fromUtf8("éc")).Matches(QString::fromUtf8("Café Éclair")));
    EXPECT_TRUE(WordStart("ca").Matches(QString::fromUtf8("Café Éclair")));
    EXPECT_FALSE(WordStart(QString::fromUtf8("é")).Matches(u"Cafe Eclair"));
    EXPECT_TRUE(WordStart(QString::fromUtf8("ÖS")).Matches(QString::fromUtf8("Kurt Östen")));
    // An empty text finds nothing at all.
    EXPECT_FALSE(WordStart("").Matches(u"Anything"));
    EXPECT_FALSE(WordStart("").Matches(u""));
    EXPECT_TRUE(WordStart("").IsEmpty());
}

TEST(WordStart, BytesOfPlainAsciiAnswerAsTheirText)
{
    const WordStart key("smi");
    const auto bytes = [&key](const char *s) { return key.MatchesAscii(s, s + qstrlen(s)); };
    EXPECT_EQ(bytes("John SMITH"), WordStart::ByteAnswer::Yes);
    EXPECT_EQ(bytes("Osmith"), WordStart::ByteAnswer::No);
    EXPECT_EQ(bytes("Caf\xc3\xa9 Smith"), WordStart::ByteAnswer::Decode);
    EXPECT_EQ(WordStart(QString::fromUtf8("é")).MatchesAscii("Eclair", "Eclair" + 6), WordStart::ByteAnswer::No);
}

namespace {

class TitleSearch : public StoreFixture
{
};

// F holds the folder G and the person Kim; each has leaves waiting in the file, some
// with escaped or non-ASCII titles.
const QByteArray kFile = CrLf({
    "{Params}", "{0 11 }My Contacts~~~~~~32892645",
    "{1 0 }F~~~~~~1", "{Fold}0",
    "{2 6 }Home~~555-0100~~~~11", "{Phon}x7~~5",
    "{2 0 }G~~~~~~2", "{Fold}0",
    "{3 7 }Mail~~g@x~~~~21", "{Mail}0",
    "{3 6 }~Office%7E~~~(212) 555-0199%0A~~~~22", "{Phon}~~0",
    "{2 3 }Kim~~~~~~3", "{Pers}~~Kim~~~~Lee~~~~~~~~~~~~0",
    "{3 5 }Caf\xc3\xa9 \xc3\x89toile~~~~~~31", "{Addr}~~~~~~~~~~~~~~~~0",
    "{3 8 }Old Fax~~~00 11~~~~32", "{Faxs}~~0",
    "{3 6 }Empty~~~~~~33", "{Phon}~~0",
});

} // namespace

TEST_F(TitleSearch, WaitingLeavesAreSearchedWhereTheyLieAndMadeOnlyForAHit)
{
    Loaded db(kFile, &context());
    const TZEBObject *f = db.top(0)->Item();
    const TZEBObject *g = db.top(0)->Child(0)->Item();
    const TZEBObject *kim = db.top(0)->Child(1)->Item();
    ASSERT_EQ(kim->Node()->Text(), "Kim");
    ASSERT_TRUE(f->Pending() && g->Pending() && kim->Pending());

    EXPECT_EQ(kim->FindChildByWord("zzz"), nullptr);
    EXPECT_EQ(g->FindChildByWord("home"), nullptr);
    EXPECT_EQ(kim->FindChildByNumber(""), nullptr);      // an empty number is no caller's
    EXPECT_EQ(kim->FindChildByNumber("001"), nullptr);   // only all of a number's digits
    EXPECT_TRUE(f->Pending() && g->Pending() && kim->Pending()); // nothing made

    // Titles beyond ASCII and escaped titles are read as the items would have them.
    const TZEBObject *office = g->FindChildByWord("office~");
    ASSERT_NE(office, nullptr);
    EXPECT_EQ(office->Title(), "Office~");
    EXPECT_FALSE(g->Pending());
    const TZEBObject *cafe = kim->FindChildByWord(QString::fromUtf8("éto"));
    ASSERT_NE(cafe, nullptr);
    EXPECT_EQ(cafe->Id(), 31);
    EXPECT_EQ(f->FindChildByNumber("5550100"), f->ChildAt(0));
}

TEST_F(TitleSearch, NumbersInWaitingRecordsMatchTheirDigitsExactly)
{
    Loaded db(kFile, &context());
    const TZEBObject *f = db.top(0)->Item();
    const TZEBObject *g = db.top(0)->Child(0)->Item();
    const TZEBObject *kim = db.top(0)->Child(1)->Item();
    EXPECT_EQ(f->FindChildByNumber("555010"), nullptr);
    EXPECT_EQ(f->FindChildByNumber("55501000"), nullptr);
    EXPECT_EQ(g->FindChildByNumber("2125550199")->Id(), 22); // an escaped value, its "%0A" no digit
    EXPECT_EQ(kim->FindChildByNumber("0011")->Id(), 32);
    EXPECT_TRUE(f->Pending());
    // Nor does a phone left empty answer a number without digits.
    EXPECT_FALSE(LocatePhone(db.nodes, nullptr, "Withheld").node);
    EXPECT_FALSE(kim->Pending());
}

TEST_F(TitleSearch, WalksRoundFromAfterTheStartWhichComesLast)
{
    TZEBObject *friends = add(ItemKind::Folder, "Friends", nullptr);
    TZEBObject *ann = add(ItemKind::Person, "Ann Smith", friends->Node());
    TZEBObject *phone = add(ItemKind::Phone, "Smith home", ann->Node(), "555");
    TZEBObject *bob = add(ItemKind::Person, "Bob", friends->Node());
    TZEBObject *bobPhone = add(ItemKind::Phone, "Smithy", bob->Node(), "556");

    const WordStart key("smith");
    TitleHit hit = LocateTitle(nodes, nullptr, key);
    EXPECT_EQ(hit.node, ann->Node()); // the node itself, its leaves not looked at
    EXPECT_EQ(hit.leaf, nullptr);
    hit = LocateTitle(nodes, ann->Node(), key);
    EXPECT_EQ(hit.node, bob->Node());
    EXPECT_EQ(hit.leaf, bobPhone);
    hit = LocateTitle(nodes, bob->Node(), key); // round past the root to Ann again
    EXPECT_EQ(hit.node, ann->Node());
    // Only the start matches: it is found, last.
    int examined = 0;
    hit = LocateTitle(nodes, bob->Node(), WordStart("bob"), [&examined] { return ++examined > 0; });
    EXPECT_EQ(hit.node, bob->Node());
    EXPECT_EQ(examined, nodes.Count());
    EXPECT_EQ(phone->Node(), ann->Node());

    examined = 0;
    EXPECT_FALSE(LocateTitle(nodes, ann->Node(), WordStart("nobody"), [&examined] { return ++examined > 0; }).node);
    EXPECT_EQ(examined, nodes.Count()); // every node once
    EXPECT_FALSE(LocateTitle(nodes, ann->Node(), WordStart("")).node);
    // A step that says stop ends the walk.
    EXPECT_FALSE(LocateTitle(nodes, nullptr, key, [] { return false; }).node);
}
