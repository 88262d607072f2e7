#include "store/kindtable.h"

#include "exchange/kindnames.h"
#include "store/itemfactory.h"
#include "store/zebobject.h"
#include "support/storefixture.h"

class KindTableTest : public StoreFixture
{
};

TEST_F(KindTableTest, EveryKindIsMadeAsItsRowSaysAndNamedBothWays)
{
    for (const KindInfo &info : KindTable()) {
        SCOPED_TRACE(info.word);
        EXPECT_EQ(KindFromText(KindWord(info.kind)), info.kind);
        if (!info.make)
            continue;
        const auto item = MakeItem(info.kind, QStringLiteral("T"), {}, {}, {}, 7);
        EXPECT_EQ(item->Kind(), info.kind);
        EXPECT_EQ(item->IsContainer(), info.container);
        // The data line written back starts with the kind's tag.
        EXPECT_TRUE(item->GetRecordText(1).section(QStringLiteral("\r\n"), 1).startsWith(KindTag(info.kind)));
    }
    // A code no kind has keeps what the file said, and has no row.
    EXPECT_EQ(FindKind(ItemKind(13)), nullptr);
    const auto unknown = MakeItem(ItemKind(13), QStringLiteral("X"), {}, {}, QStringLiteral("{Zzzz}1~~2"), 8);
    EXPECT_TRUE(unknown->GetRecordText(1).endsWith(QStringLiteral("\r\n{Zzzz}1~~2")));
    EXPECT_EQ(KindWord(ItemKind(13)), QStringLiteral("kind-13"));
}
