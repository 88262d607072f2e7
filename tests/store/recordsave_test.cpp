#include "recordfiletestutil.h"
#include "support/storefixture.h"

#include <QFileInfo>

namespace {

using RecordFile::SaveStep;

// An item whose record cannot be produced.
class BrokenItem : public TZEBObject
{
public:
    BrokenItem() : TZEBObject(ItemKind(42), "Broken", {}, {}, 99) {}
    void AppendRecord(QByteArray &, int) const override { throw std::runtime_error("cannot write"); }
};

using RecordSaveTest = StoreFixture;

TEST_F(RecordSaveTest, SaveFailingAtEveryStepLeavesTheOldOrTheNewDatabase)
{
    add(ItemKind::Folder, "Old", root);
    const QByteArray oldBytes = Saved(nodes);
    add(ItemKind::Folder, "New", root);
    const QByteArray newBytes = Saved(nodes);
    EXPECT_EQ(ReadBytes(RecordFile::TransactionName), newBytes);

    const SaveStep steps[] = {SaveStep::CreateTransaction, SaveStep::WriteParams, SaveStep::WriteRecords,
                              SaveStep::SyncTransaction, SaveStep::CopyDatabase, SaveStep::ReplaceDatabase};
    for (SaveStep step : steps) {
        SCOPED_TRACE(int(step));
        WriteBytes(RecordFile::DatabaseName, oldBytes);
        QFile::remove(RecordFile::TransactionName);
        services.errors.clear();
        context().SetSaveFaultHook([step](SaveStep s) { return s == step; });
        bool saveError = false, ioError = false;
        try {
            SaveDatabase(nodes);
        } catch (const ESaveError &e) {
            saveError = true;
            EXPECT_STREQ(e.what(), "Error saving database");
            EXPECT_FALSE(e.Reason().isEmpty()); // what the disk said, for those who cannot see the message
        } catch (const EInOutError &) {
            ioError = true;
        }
        context().SetSaveFaultHook({});
        const QByteArray now = ReadBytes(RecordFile::DatabaseName);
        EXPECT_TRUE(now == oldBytes || now == newBytes);
        EXPECT_EQ(Outline(Loaded(now).root), (now == oldBytes ? QStringList{"Old"} : QStringList{"New", "Old"}));
        EXPECT_FALSE(QFileInfo::exists(RecordFile::DatabaseName + ".new"));
        if (step == SaveStep::CreateTransaction || step == SaveStep::WriteParams) {
            // Before any record: the run-time's error reaches the caller, no message.
            EXPECT_TRUE(ioError);
            EXPECT_TRUE(services.errors.isEmpty());
        } else {
            EXPECT_TRUE(saveError);
            ASSERT_EQ(services.errors.size(), 1);
            if (step == SaveStep::WriteRecords || step == SaveStep::SyncTransaction) {
                EXPECT_EQ(services.errors.front(), RecordFile::WriteErrorText);
            } else { // the records are complete in the transaction file, which stays
                EXPECT_EQ(ReadBytes(RecordFile::TransactionName), newBytes);
            }
        }
        if (step != SaveStep::CreateTransaction) {
            EXPECT_TRUE(QFileInfo::exists(RecordFile::TransactionName));
        }
    }
}

TEST_F(RecordSaveTest, ItemThatCannotWriteItsRecordFailsTheSave)
{
    add(ItemKind::Folder, "A", root);
    const QByteArray before = Saved(nodes);
    root->Child(0)->Item()->AddChild(std::make_unique<BrokenItem>());
    EXPECT_THROW(SaveDatabase(nodes), ESaveError);
    EXPECT_EQ(services.errors, QStringList({RecordFile::WriteErrorText}));
    EXPECT_EQ(ReadBytes(RecordFile::DatabaseName), before);
}

TEST_F(RecordSaveTest, ExportedRecordsClearCategoriesOfTheContainersOnly)
{
    TZEBObject *f = add(ItemKind::Folder, "F", root, {}, "{Fold}5", 1);
    TZEBObject *p = CreateItem(ItemKind::Person, "Pat", {}, {}, f->Node(), "{Pers}~~Pat~~~~Lee~~~~~~~~~~~~3", 2);
    CreateItem(ItemKind::Phone, "Home", "555", {}, p->Node(), "{Phon}~~2", 3);
    TZEBObject *g = add(ItemKind::Folder, "G", f->Node(), {}, "{Fold}9", 4);
    add(ItemKind::Folder, "Outside", root, {}, "{Fold}1", 5);

    ExportSubtree(f->Node(), "f.mbd");
    EXPECT_EQ(ReadBytes("f.mbd"), CrLf({"{1 0 }F~~~~~~1", "{Fold}0", "{2 0 }G~~~~~~4", "{Fold}0",
                                        "{2 3 }Pat~~~~~~2", "{Pers}~~Pat~~~~Lee~~~~~~~~~~~~0", "{3 6 }Home~~555~~~~3",
                                        "{Phon}~~2"}));
    // The items themselves keep theirs.
    EXPECT_EQ(QList<qint32>({f->Categories(), p->Categories(), g->Categories()}), QList<qint32>({5, 3, 9}));

    // The export reads back below any container.
    TTreeNode *target = add(ItemKind::Folder, "Target", root)->Node();
    ImportFile(target, "f.mbd");
    EXPECT_EQ(Outline(target), QStringList({"F", "F/G", "F/Pat", "F/Pat|Home"}));

    // Items the category filter hides are left out, with all that lies below them.
    services.filter = [](qint32 c) { return c == 9; };
    ExportSubtree(f->Node(), "g.mbd");
    EXPECT_FALSE(ReadBytes("g.mbd").contains("}G~~"));
    EXPECT_TRUE(ReadBytes("g.mbd").contains("}Pat~~"));
}

TEST_F(RecordSaveTest, ExportThatFailsLeavesTheEarlierFileOfThatName)
{
    TZEBObject *f = add(ItemKind::Folder, "F", root);
    add(ItemKind::Folder, "G", f->Node());
    ExportSubtree(f->Node(), "f.mbd");
    const QByteArray before = ReadBytes("f.mbd");
    ASSERT_TRUE(before.contains("}G~~"));

    // The second export stops half way: the first one stays whole, and no stray file is left.
    f->Node()->Child(0)->Item()->AddChild(std::make_unique<BrokenItem>());
    EXPECT_THROW(ExportSubtree(f->Node(), "f.mbd"), std::runtime_error);
    EXPECT_EQ(ReadBytes("f.mbd"), before);
    EXPECT_EQ(QDir().entryList(QDir::Files | QDir::Hidden), QStringList({"f.mbd"}));
}

TEST_F(RecordSaveTest, ImportFileTakesOnlyExportsAndTheClipboardFile)
{
    for (const char *name : {"records.txt", "RECORDS.MBD", "clipdata.dat", "CLIPDATA.DAT"})
        WriteBytes(name, CrLf({"{1 0 }In~~~~~~1", "{Fold}0"}));

    for (const char *name : {"records.txt", "CLIPDATA.DAT", "missing.mbd", "RECORDS.MBD", "clipdata.dat"})
        ImportFile(root, name);
    EXPECT_EQ(Outline(root), QStringList({"In", "In"}));
    EXPECT_FALSE(nodes.Updating());
}

} // namespace

TEST_F(RecordSaveTest, ContactsWhoseFieldsWereNeverReadSaveAsIfRead)
{
    // Lines copied as read and lines that a save writes differently side by side: a note
    // of the Windows program ("~x"), an encoded field, Windows-1252, too few and too many
    // fields, blanks around the categories.
    const QByteArray file = QByteArray("{Params}\r\n{0 11 }My Contacts~~~~~~32892645\r\n"
                                       "{1 3 }Ann~~Ann Lee~~~~11\r\n{Pers}~~Ann~~~~Lee~~Home~~~~~~~~~~4\r\n"
                                       "{1 3 }Bo~~~~~~12\r\n{Pers}~x~~Bo~~~~~~~~~~~~~~~~0\r\n"
                                       "{1 3 }Cy~~~~~~13\r\n{Pers}~a%0Ab~~Cy~~~~~~~~~~~~~~~~0\r\n"
                                       "{1 3 }Di~~~~~~14\r\n{Pers}~~J\xfcrgen~~~~~~~~~~~~~~~~2\r\n"
                                       "{1 3 }Ed~~~~~~15\r\n{Pers}~~Ed~~0\r\n"
                                       "{1 3 }Fay~~~~~~16\r\n{Pers}~~~~~~~~~~~~~~~~~~0~~extra\r\n"
                                       "{1 3 }Gil~~~~~~17\r\n{Pers}Dr.~~Gil~~M~~\xc3\x9c" "bel~~~~Cell~~~~~~~~ 7 \r\n"
                                       "{1 2 }Acme~~~~~~18\r\n{Orgn}Office~~Main~~~~~~~~1\r\n"
                                       "{1 2 }Bad~~~~~~19\r\n{Orgn}Office~~Main~~~~~~\r\n");
    const auto touchAll = [](Loaded &db) {
        for (int i = 0; i < db.root->Count(); ++i)
            if (const auto *c = dynamic_cast<const TContactObject *>(db.root->Child(i)->Item()))
                (void)c->PrimaryAddress();
    };
    Loaded untouched(file);
    Loaded read(file);
    touchAll(read);
    ASSERT_EQ(untouched.root->Count(), 9);
    EXPECT_EQ(untouched.save(), read.save());

    // Categories set after the load are the ones written.
    Loaded recategorized(file);
    Loaded recategorizedRead(file);
    touchAll(recategorizedRead);
    for (Loaded *db : {&recategorized, &recategorizedRead})
        for (int i = 0; i < db->root->Count(); ++i)
            db->root->Child(i)->Item()->SetCategories(i + 20);
    const QByteArray saved = recategorized.save();
    EXPECT_EQ(saved, recategorizedRead.save());
    EXPECT_TRUE(saved.contains("{Pers}~~Ann~~~~Lee~~Home~~~~~~~~~~"));
    EXPECT_FALSE(saved.contains("~~4\r\n"));
}
