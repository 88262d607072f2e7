#include "recordfiletestutil.h"
#include "store/pendingleaves.h"
#include "store/reminderobject.h"
#include "support/storefixture.h"

namespace {

const QDate kToday(2026, 12, 6);

// Leaves of F come before and after its folder G and its person Kim; the last two
// records are Kim's although an F leaf lies between them and Kim.
const QByteArray kFile = CrLf({
    "{Params}", "{0 11 }My Contacts~~~~~~32892645",
    "{1 0 }F~~~~top~~1", "{Fold}0",
    "{2 6 }Home~~555-0100~~~two%0Alines~~11", "{Phon}x7~~5",
    "{2 0 }G~~~~~~2", "{Fold}0",
    "{3 7 }Mail~~g@x~~~~21", "{Mail}0",
    "{2 5 }Work~~~~~~12", "{Addr}1 Main St~~~~~~Town~~ST~~12345~~Land~~3",
    "{2 3 }Kim~~~~~~3", "{Pers}~~Kim~~~~Lee~~~~~~~~~~~~0",
    "{3 10 }Notes~~/tmp/n.txt~~~~31", "{Docs}0",
    "{2 9 }Renew~~~~~~13", "{Remd}2026,12,1,0~~0",
    "{3 42 }Odd~~v~~c~~33", "{Futr}x~~y",
    "{3 12 }Run~~/bin/run~~~~34", "{Tool}/bin/run~~-a~~0",
});

// Every node's alert count and mark, without making any leaf.
QStringList Marks(TTreeNode *root)
{
    QStringList out;
    for (TTreeNode *n = root->Child(0); n; n = n->NextPreorder())
        out << QStringLiteral("%1 %2 %3").arg(n->Text()).arg(n->Item()->AlertCount()).arg(n->StateIndex());
    return out;
}

class PendingLeavesTest : public StoreFixture
{
protected:
    void SetUp() override
    {
        StoreFixture::SetUp();
        context().SetToday(kToday);
    }
    TZEBObject *leaf(ItemKind kind, const QString &title, const QString &value, const QString &comment, TZEBObject *owner,
                     const QString &data, qint32 id)
    {
        return CreateItem(kind, title, value, comment, owner->Node(), data, id);
    }
};

TEST_F(PendingLeavesTest, LeavesAreMadeOnFirstUseAsAnEagerLoadWouldMakeThem)
{
    // The same items made at once, and how the program writes them.
    TZEBObject *f = add(ItemKind::Folder, "F", root, {}, "{Fold}0", 1);
    f->SetComment("top");
    TZEBObject *g = add(ItemKind::Folder, "G", f->Node(), {}, "{Fold}0", 2);
    TZEBObject *kim = add(ItemKind::Person, "Kim", f->Node(), {}, "{Pers}~~Kim~~~~Lee~~~~~~~~~~~~0", 3);
    leaf(ItemKind::Phone, "Home", "555-0100", "two\nlines", f, "{Phon}x7~~5", 11);
    leaf(ItemKind::Address, "Work", {}, {}, f, "{Addr}1 Main St~~~~~~Town~~ST~~12345~~Land~~3", 12);
    leaf(ItemKind::Reminder, "Renew", {}, {}, f, "{Remd}2026,12,1,0~~0", 13);
    leaf(ItemKind::EMail, "Mail", "g@x", {}, g, "{Mail}0", 21);
    leaf(ItemKind::Document, "Notes", "/tmp/n.txt", {}, kim, "{Docs}0", 31);
    leaf(ItemKind(42), "Odd", "v", "c", kim, "{Futr}x~~y", 33);
    leaf(ItemKind::Tool, "Run", "/bin/run", {}, kim, "{Tool}/bin/run~~-a~~0", 34);
    const QStringList eager = Describe(root);
    const QByteArray eagerBytes = Saved(nodes);
    const QByteArray kimExport = CrLf({"{1 3 }Kim~~~~~~3", "{Pers}~~Kim~~~~Lee~~~~~~~~~~~~0",
                                       "{2 10 }Notes~~/tmp/n.txt~~~~31", "{Docs}0", "{2 42 }Odd~~v~~c~~33",
                                       "{Futr}x~~y", "{2 12 }Run~~/bin/run~~~~34", "{Tool}/bin/run~~-a~~0"});

    QByteArray lf = kFile, cr = kFile, mixed = kFile;
    lf.replace("\r\n", "\n");
    cr.replace("\r\n", "\r");
    // Records that read as they are written lie between others that do not: an LF end,
    // a head with more blanks or a longer number than the program writes.
    mixed.replace("{Phon}x7~~5\r\n", "{Phon}x7~~5\n").replace("{3 42 }", "{3  42 }").replace("{2 9 }", "{02 +9 }");
    for (const QByteArray &bytes : {kFile, lf, cr, mixed, kFile.chopped(2), lf.chopped(1)}) {
        SCOPED_TRACE(bytes.right(12).toPercentEncoding().toStdString());
        Loaded db(bytes, &context());
        ASSERT_EQ(db.top(0)->Count(), 2);
        const TZEBObject *dbF = db.top(0)->Item();
        const TZEBObject *dbKim = db.top(0)->Child(1)->Item();
        EXPECT_EQ(Marks(db.root), Marks(root));

        // Untouched: written as the program writes them, and still waiting.
        EXPECT_EQ(db.save(), eagerBytes);
        ExportSubtree(db.top(0)->Child(1), "kim.mbd");
        EXPECT_EQ(ReadBytes("kim.mbd"), kimExport);
        EXPECT_TRUE(dbF->Pending() && dbKim->Pending());

        EXPECT_EQ(Describe(db.root), eager);
        EXPECT_FALSE(dbF->Pending() || dbKim->Pending());
        EXPECT_EQ(Marks(db.root), Marks(root));
        EXPECT_EQ(db.save(), eagerBytes);
    }

    // A header whose data line the file does not hold any more.
    for (const char *tail : {"{2 6 }Last~~9~~~~20", "{2 6 }Last~~9~~~~20\r\n"}) {
        Loaded db(kFile + tail, &context());
        EXPECT_EQ(db.notes.droppedLines, 0);
        EXPECT_EQ(db.notes.cutOffLine, int(kFile.count('\n')) + 1);
        const QByteArray saved = db.save();
        const TZEBObject *last = db.top(0)->Item()->ChildAt(3);
        ASSERT_NE(last, nullptr);
        EXPECT_EQ(QStringList({last->Title(), last->Value(), QString::number(last->Id())}),
                  QStringList({"Last", "9", "20"}));
        Loaded again(saved, &context());
        EXPECT_EQ(Describe(again.root), Describe(db.root));
    }
}

TEST_F(PendingLeavesTest, AlertMarksAtLoadAreThoseOfTheMadeReminders)
{
    const char *const rules[] = {
        "{Remd}2026,12,1,5~~0",           "{Remd}2027,1,1,0~~0",      "{Remd}2026,x,1,0~~0",
        "{Phon}~~0",                      "{Remd}~~0",                "{Remd} 2026 , 12 , 6 , 0 ~~0",
        "{Remd}2026,12,7,0~~0",           "{Remd}2026,2,30,0~~0",     "{Remd}2026,12,1,9~~0",
        "{Remd}2026,12,1~~0",             "{Remd}~2026,12,8,0%0A~~0", "{Remd}2026,12,6,0,1~~0",
    };
    QByteArray file = CrLf({"{Params}", "{1 0 }F~~~~~~1", "{Fold}0", "{2 9 }Own~~~~~~100", "{Remd}2020,1,1,2~~0",
                            "{2 3 }P~~~~~~2", "{Pers}~~~~~~~~~~~~~~~~~~0"});
    TZEBObject *f = add(ItemKind::Folder, "F", root, {}, "{Fold}0", 1);
    leaf(ItemKind::Reminder, "Own", {}, {}, f, "{Remd}2020,1,1,2~~0", 100);
    TZEBObject *p = add(ItemKind::Person, "P", f->Node(), {}, "{Pers}~~~~~~~~~~~~~~~~~~0", 2);
    int id = 101;
    for (const char *rule : rules) {
        file += "{3 9 }R" + QByteArray::number(id) + "~~~~~~" + QByteArray::number(id) + "\r\n" + rule + "\r\n";
        leaf(ItemKind::Reminder, "R" + QString::number(id), {}, {}, p, rule, id);
        ++id;
    }
    file += CrLf({"{1 0 }H~~~~~~3", "{Fold}0", "{2 3 }Q~~~~~~4", "{Pers}~~~~~~~~~~~~~~~~~~0", "{3 9 }Q0~~~~~~200",
                  "{Remd}2026,12,1,0~~0"});
    TZEBObject *h = add(ItemKind::Folder, "H", root, {}, "{Fold}0", 3);
    TZEBObject *q = add(ItemKind::Person, "Q", h->Node(), {}, "{Pers}~~~~~~~~~~~~~~~~~~0", 4);
    leaf(ItemKind::Reminder, "Q0", {}, {}, q, "{Remd}2026,12,1,0~~0", 200);
    // Due: a past date, today's, and every rule that cannot be read (it stays at today).
    ASSERT_EQ(p->AlertCount(), 8);
    ASSERT_EQ(f->AlertCount(), 9);

    Loaded db(file, &context());
    TTreeNode *dbF = db.top(0);
    const TZEBObject *dbP = dbF->Child(0)->Item();
    EXPECT_EQ(Marks(db.root), Marks(root));
    ASSERT_NE(dbP->Pending(), nullptr);
    ASSERT_EQ(dbP->ChildCount(), p->ChildCount());
    EXPECT_EQ(Marks(db.root), Marks(root));
    for (int i = 0; i < p->ChildCount(); ++i)
        EXPECT_EQ(dbP->ChildAt(i)->Alert(), p->ChildAt(i)->Alert()) << rules[i];

    // Each made reminder counts once: taking one away takes away one.
    dbF->Child(0)->Item()->RemoveChild(dbP->ChildAt(0));
    p->RemoveChild(p->ChildAt(0));
    EXPECT_EQ(Marks(db.root), Marks(root));

    // A person whose due reminder was never made takes its mark with it.
    TTreeNode *dbH = db.top(1);
    ASSERT_EQ(dbH->Item()->AlertCount(), 1);
    db.nodes.Delete(dbH->Child(0));
    EXPECT_EQ(dbH->Item()->AlertCount(), 0);
    EXPECT_EQ(dbH->StateIndex(), StateImageIndex(StateImage::None));
    nodes.Delete(q->Node());
    EXPECT_EQ(Marks(db.root), Marks(root));
}

TEST_F(PendingLeavesTest, DueStateIsTakenAgainWhenTheLeavesAreMade)
{
    const QByteArray file = CrLf({"{Params}", "{1 0 }F~~~~~~1", "{Fold}0", "{2 3 }P~~~~~~2",
                                 "{Pers}~~~~~~~~~~~~~~~~~~0", "{3 9 }Today~~~~~~3", "{Remd}2026,12,6,0~~0"});
    {
        Loaded db(file, &context());
        ASSERT_EQ(db.top(0)->Item()->AlertCount(), 1);
        db.nodes.Context().SetToday(kToday.addDays(-1));
        EXPECT_EQ(db.top(0)->Child(0)->Item()->ChildCount(), 1);
        EXPECT_EQ(db.top(0)->Item()->AlertCount(), 0);
        EXPECT_EQ(db.top(0)->StateIndex(), StateImageIndex(StateImage::None));
        EXPECT_EQ(db.top(0)->Child(0)->StateIndex(), StateImageIndex(StateImage::None));
    }
    context().SetToday(kToday.addDays(-1));
    Loaded db(file, &context());
    EXPECT_EQ(db.top(0)->Item()->AlertCount(), 0);
    db.nodes.Context().SetToday(kToday);
    EXPECT_EQ(db.top(0)->Child(0)->Item()->ChildCount(), 1);
    EXPECT_EQ(db.top(0)->Item()->AlertCount(), 1);
    EXPECT_EQ(db.top(0)->StateIndex(), StateImageIndex(StateImage::Alert));
}

TEST_F(PendingLeavesTest, RecordsThatWouldBeWrittenDifferentlyAreMadeBeforeTheSave)
{
    // One owner each: an Id of 0, an Id that is no number; one untouched.
    Loaded db(CrLf({"{Params}", "{1 0 }F~~~~~~1", "{Fold}0", "{2 6 }Zero~~1~~~~0", "{Phon}~~0", "{2 6 }Three~~3~~7",
                    "{2 6 }Kept~~4~~~~8", "{Phon}~~0", "{1 0 }G~~~~~~2", "{Fold}0", "{2 6 }Word~~2~~~~abc",
                    "{Phon}~~0", "{1 0 }Other~~~~~~3", "{Fold}0", "{2 6 }Fine~~6~~~~ 9", "{Phon}~~0"}), &context());
    EXPECT_EQ(db.notes.droppedLines, 1);
    const QByteArray first = db.save();
    EXPECT_EQ(db.top(0)->Item()->Pending(), nullptr);
    EXPECT_EQ(db.top(1)->Item()->Pending(), nullptr);
    EXPECT_NE(db.top(2)->Item()->Pending(), nullptr);
    EXPECT_EQ(db.save(), first);

    Loaded again(first, &context());
    EXPECT_EQ(Outline(again.root), QStringList({"F", "F|Zero", "F|Kept", "G", "G|Word", "Other", "Other|Fine"}));
    for (int top = 0; top < 3; ++top) {
        const TZEBObject *before = db.top(top)->Item();
        for (int i = 0; i < before->ChildCount(); ++i) {
            EXPECT_NE(before->ChildAt(i)->Id(), 0);
            EXPECT_EQ(again.top(top)->Item()->ChildAt(i)->Id(), before->ChildAt(i)->Id());
        }
    }
    EXPECT_EQ(db.top(0)->Item()->ChildAt(1)->Id(), 8);
    EXPECT_EQ(db.top(2)->Item()->ChildAt(0)->Id(), 9);
}

TEST_F(PendingLeavesTest, Windows1252LeavesAreSavedAsUtf8)
{
    // The folder is read at once, its phones when first asked for.
    const QByteArray ansi("{Params}\r\n{0 11 }My Contacts~~~~~~32892645\r\n{1 0 }Caf\xe9 \x93q\x94~~~~Gr\xfc\xdf~~1\r\n"
                          "{Fold}0\r\n{2 6 }Gr\xfc\xdf~~1~~\x80 note~~11\r\n{Phon}~~0\r\n{2 6 }Plain~~2~~~~12\r\n{Phon}~~0\r\n");
    QByteArray utf8 = ansi;
    utf8.replace("\xe9", "\xc3\xa9").replace("\xfc\xdf", "\xc3\xbc\xc3\x9f").replace("\x80", "\xe2\x82\xac");
    utf8.replace("\x93", "\xe2\x80\x9c").replace("\x94", "\xe2\x80\x9d");
    Loaded db(ansi, &context());
    EXPECT_EQ(db.save(), utf8);
    const TZEBObject *phone = db.top(0)->Item()->ChildAt(0);
    EXPECT_EQ(phone->Title(), QString::fromUtf8("Grüß"));
    EXPECT_EQ(phone->Comment(), QString::fromUtf8("€ note"));
    EXPECT_EQ(db.save(), utf8);
}

TEST_F(PendingLeavesTest, ImportsKeepEarlierLeavesFirstAndTakeTheirNewLevels)
{
    WriteBytes("x.mbd", CrLf({"{1 6 }C~~3~~~~41", "{Phon}~~0", "{1 9 }Due~~~~~~42", "{Remd}2026,12,1,0~~0",
                              "{1 3 }Pat~~~~~~43", "{Pers}~~Pat~~~~Lee~~~~~~~~~~~~0", "{2 7 }Mail~~p@x~~~~44",
                              "{Mail}0"}));
    Loaded db(CrLf({"{Params}", "{1 0 }Home~~~~~~1", "{Fold}0", "{2 0 }F~~~~~~2", "{Fold}0", "{3 6 }A~~1~~~~3",
                    "{Phon}~~0", "{3 6 }B~~2~~~~4", "{Phon}~~0", "{2 0 }G~~~~~~5", "{Fold}0", "{3 6 }D~~1~~~~6",
                    "{Phon}~~0", "{3 6 }E~~2~~~~7", "{Phon}~~0"}), &context());
    TTreeNode *f = db.top(0)->Child(0);
    TTreeNode *g = db.top(0)->Child(1);
    ASSERT_NE(f->Item()->Pending(), nullptr);
    ASSERT_NE(g->Item()->Pending(), nullptr);
    CreateItem(ItemKind::Phone, "New", "5", {}, f, "{Phon}~~0", 50);
    ImportFile(g, "x.mbd");
    EXPECT_EQ(g->Item()->AlertCount(), 1);
    ReadItems(ReadBytes("x.mbd"), 0, 1, g); // the same records handed over as bytes
    EXPECT_EQ(g->Item()->AlertCount(), 2);
    EXPECT_EQ(db.top(0)->Item()->AlertCount(), 2);
    const QStringList outline = {"Home",         "Home/F",     "Home/F|A",   "Home/F|B",        "Home/F|New",
                                 "Home/G",       "Home/G|D",   "Home/G|E",   "Home/G|C",        "Home/G|Due",
                                 "Home/G|C",     "Home/G|Due", "Home/G/Pat", "Home/G/Pat|Mail", "Home/G/Pat",
                                 "Home/G/Pat|Mail"};
    EXPECT_EQ(Outline(db.root), outline);

    // Imported below a folder at level 2: the export's leaves are written two levels deeper.
    Loaded fresh(CrLf({"{Params}", "{1 0 }Home~~~~~~1", "{Fold}0", "{2 0 }F~~~~~~2", "{Fold}0"}), &context());
    ImportFile(fresh.top(0)->Child(0), "x.mbd");
    const QByteArray lazy = fresh.save();
    EXPECT_TRUE(lazy.endsWith(CrLf({"{2 0 }F~~~~~~2", "{Fold}0", "{3 6 }C~~3~~~~41", "{Phon}~~0", "{3 9 }Due~~~~~~42",
                                    "{Remd}2026,12,1,0~~0", "{3 3 }Pat~~~~~~43", "{Pers}~~Pat~~~~Lee~~~~~~~~~~~~0",
                                    "{4 7 }Mail~~p@x~~~~44", "{Mail}0"})))
        << lazy.toStdString();
    Outline(fresh.root);
    EXPECT_EQ(fresh.save(), lazy);

    const QByteArray saved = db.save();
    Loaded again(saved, &context());
    EXPECT_EQ(Outline(again.root), outline);
    EXPECT_EQ(Marks(again.root), Marks(db.root));
}

} // namespace
