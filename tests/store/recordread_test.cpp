#include "recordfiletestutil.h"
#include "store/fieldcodec.h"
#include "support/storefixture.h"

#include <QFileInfo>

namespace {

// One record (header and data line) a row.
const QByteArray kWorkedExample = CrLf({
    "{Params}", "{0 11 }My Contacts~~~~~~32892645",
    "{1 0 }Friends~~~~~~123456", "{Fold}0",
    "{2 3 }Kim Sample~~ Kim Sample~~~~234567", "{Pers}~~Kim~~~~Sample~~~~Home~~~~~~~~0",
    "{3 6 }Home~~555-0100~~~~345678", "{Phon}~~0",
});

class RecordReadTest : public StoreFixture
{
protected:
    // Loads "mira.dat" made of the given bytes; the error text, or empty.
    QString load(const QByteArray &bytes, int *line = nullptr)
    {
        WriteBytes(RecordFile::DatabaseName, bytes);
        notes = {};
        try {
            notes = LoadDatabase(root);
        } catch (const EInOutError &e) {
            if (line)
                *line = e.Line();
            return QString::fromUtf8(e.what());
        }
        return {};
    }
    // Saves and loads again from scratch; the file saved.
    QByteArray saveAndReload()
    {
        const QByteArray saved = Saved(nodes);
        nodes.DeleteChildren(root);
        EXPECT_EQ(load(saved), QString());
        return saved;
    }
    RecordFile::ReadNotes notes; // of the last load
    QStringList unreadCopies(QDir::Filters filter = QDir::Files) const
    {
        return QDir(dir.path()).entryList({QStringLiteral("mira-unread-*.dat")}, filter);
    }
};

// Other line ends, and leaves made on first use, are the pending-leaves tests' part.
TEST_F(RecordReadTest, WorkedExampleLoadsAndSavesBackByteForByte)
{
    ASSERT_EQ(load(kWorkedExample), QString());
    // Level, kind, title, value, comment, id, categories, then the kind's own fields.
    EXPECT_EQ(Describe(root), QStringList({"1|0|Friends|||123456|0",
                                           "2|3|Kim Sample| Kim Sample||234567|0||Kim||Sample||Home|||",
                                           "3|6|Home|555-0100||345678|0|"}));
    const TZEBObject *kim = root->Child(0)->Child(0)->Item();
    EXPECT_EQ(dynamic_cast<const TPersonObject *>(kim)->PrimaryChild(ItemKind::Phone), kim->ChildAt(0));
    EXPECT_FALSE(nodes.Updating());

    EXPECT_EQ(Saved(nodes), kWorkedExample);
    EXPECT_EQ(ReadBytes(RecordFile::TransactionName), kWorkedExample);
}

// Every person's website is titled alike in a large file: the title is held once.
TEST_F(RecordReadTest, RepeatedContainerTitlesShareOneText)
{
    ASSERT_EQ(load(CrLf({"{Params}", "{0 11 }My Contacts~~~~~~1", "{1 3 }Kim~~~~~~1",
                         "{Pers}~~Kim~~~~~~~~~~~~~~Web URL~~0", "{2 4 }Web URL~~http://a.example~~~~2",
                         "{Webs}0", "{1 3 }Lee~~~~~~3", "{Pers}~~Lee~~~~~~~~~~~~~~Web URL~~0",
                         "{2 4 }Web URL~~http://b.example~~~~4", "{Webs}0"})),
              QString());
    ASSERT_EQ(root->Count(), 2);
    const TZEBObject *first = root->Child(0)->Child(0)->Item();
    const TZEBObject *second = root->Child(1)->Child(0)->Item();
    EXPECT_EQ(first->Title(), "Web URL");
    EXPECT_TRUE(first->Title().isSharedWith(second->Title()));
    EXPECT_FALSE(first->Value().isSharedWith(second->Value()));
    EXPECT_EQ(second->Value(), "http://b.example");
}

TEST_F(RecordReadTest, PlacementOfLevels)
{
    ASSERT_EQ(load(CrLf({
                  "{Params}",
                  "{0 11 }Other Root~~v~~c~~77",                     // never replaces the program's root
                  "{2 6 }RootPhone~~1~~~~10", "{Phon}~~0",           // right after the root's record: its own
                  "{1 3 }Pat~~~~~~11", "{Pers}~~~~~~~~~~~~~~~~~~0",  // a person at level 1
                  "{3 6 }Skipped~~2~~~~12", "{Phon}~~0",             // one level skipped: still Pat's
                  "{3 7 }Mail~~a@b~~~~13", "{Mail}0",                // a leaf never owns: Pat's too
                  "{1 0 }F~~~~~~14", "{Fold}0",                      // level 1 again: a sibling of Pat
                  "{2 0 }G~~~~~~15", "{Fold}0",
                  "{3 6 }GPhone~~3~~~~16", "{Phon}~~0",
                  "{2 6 }FPhone~~4~~~~17", "{Phon}~~0",              // climbs back to F
                  "{0 0 }Stray~~~~~~18", "{Fold}0",                  // level 0 but not the root: below it
                  "{0 6 }StrayLeaf~~5~~~~19", "{Phon}~~0",
              })),
              QString());
    EXPECT_EQ(Outline(root), QStringList({"|RootPhone", "|StrayLeaf", "F", "F|FPhone", "F/G", "F/G|GPhone", "Stray",
                                          "Pat", "Pat|Skipped", "Pat|Mail"}));
    EXPECT_EQ(root->Item()->ChildAt(1)->Id(), 19);
    const TZEBObject *top = root->Item();
    EXPECT_EQ(QStringList({top->Title(), top->Value(), top->Comment(), QString::number(top->Id())}),
              QStringList({"My Contacts", "", "", QString::number(ItemIds::RootId)}));
}

TEST_F(RecordReadTest, RecordsClimbBackSeveralLevelsAtOnce)
{
    // As the program writes it: after the deepest records, the next ones go back up
    // two levels and then three.
    const QByteArray file = CrLf({
        "{Params}", "{0 11 }My Contacts~~~~~~32892645",
        "{1 0 }A~~~~~~1", "{Fold}0",
        "{2 0 }B~~~~~~2", "{Fold}0",
        "{3 0 }C~~~~~~3", "{Fold}0",
        "{4 6 }CPhone~~1~~~~4", "{Phon}~~0",
        "{2 0 }D~~~~~~5", "{Fold}0", // from 4 to 2: beside B
        "{3 0 }E~~~~~~6", "{Fold}0",
        "{4 0 }F~~~~~~7", "{Fold}0",
        "{1 0 }G~~~~~~8", "{Fold}0", // from 4 to 1: beside A
        "{2 6 }GPhone~~2~~~~9", "{Phon}~~0",
    });
    ASSERT_EQ(load(file), QString());
    EXPECT_EQ(Outline(root),
              QStringList({"A", "A/B", "A/B/C", "A/B/C|CPhone", "A/D", "A/D/E", "A/D/E/F", "G", "G|GPhone"}));
    EXPECT_EQ(Saved(nodes), file);
}

TEST_F(RecordReadTest, ImportedRecordsSkipTheByteOrderMarkAndNeverClimbOutOfTheTarget)
{
    TTreeNode *target = add(ItemKind::Folder, "Target", root)->Node();
    add(ItemKind::Folder, "Other", root);
    WriteBytes("in.mbd", "\xEF\xBB\xBF" + CrLf({"{1 0 }Caf\xc3\xa9~~~~~~1", "{Fold}0", "{2 0 }A1~~~~~~2", "{Fold}0",
                                              "{0 0 }B~~~~~~3", "{Fold}0", // above the top level of an export
                                              "{-4 6 }C~~5~~~~4", "{Phon}~~0", "{1 0 }D~~~~~~5", "{Fold}0"}));
    ImportFile(target, "in.mbd");
    EXPECT_EQ(Outline(root), QStringList({"Other", "Target", "Target|C", "Target/B", QString::fromUtf8("Target/Café"),
                                          QString::fromUtf8("Target/Café/A1"), "Target/D"}));
    EXPECT_FALSE(nodes.Updating());
}

TEST_F(RecordReadTest, InvalidNumericInputEndsTheLoadKeepingWhatWasRead)
{
    const QByteArray bytes = CrLf({"{Params}", "{0 11 }My Contacts~~~~~~32892645", "{1 0 }Kept~~~~~~1", "{Fold}0",
                                   "", // line 5: a blank line read as a header
                                   "{1 0 }Lost~~~~~~2", "{Fold}0"});
    int line = 0;
    EXPECT_EQ(load(bytes, &line), RecordFile::InvalidNumericInput);
    EXPECT_EQ(line, 5);
    EXPECT_EQ(Outline(root), QStringList({"Kept"}));
    EXPECT_FALSE(nodes.Updating());

    // The file as it was is kept aside and the user is told where.
    const QStringList copies = unreadCopies();
    ASSERT_EQ(copies.size(), 1);
    EXPECT_EQ(ReadBytes(copies.front()), bytes);
    ASSERT_EQ(services.infos.size(), 1);
    EXPECT_TRUE(services.infos.front().contains("line 5")) << services.infos.front().toStdString();
    EXPECT_TRUE(services.infos.front().contains(copies.front())) << services.infos.front().toStdString();

    // A save now replaces "mira.dat" but what it lacks is still in the copy.
    EXPECT_FALSE(Saved(nodes).contains("Lost"));
    EXPECT_TRUE(ReadBytes(copies.front()).contains("Lost"));

    // A second failed load keeps a second copy instead of overwriting the first.
    nodes.DeleteChildren(root);
    EXPECT_EQ(load(bytes), RecordFile::InvalidNumericInput);
    EXPECT_EQ(unreadCopies().size(), 2);
}

TEST_F(RecordReadTest, DatabaseThatCannotBeOpenedIsNeverTakenForAnEmptyOne)
{
    // Missing: an empty database, nothing said.
    EXPECT_NO_THROW(LoadDatabase(root));
    EXPECT_TRUE(services.infos.isEmpty());

    // There but not readable (a directory here, since file modes do not stop root): the
    // load fails and the entry is moved aside, so a save cannot replace it.
    ASSERT_TRUE(QDir(dir.path()).mkpath(RecordFile::DatabaseName + "/inside"));
    EXPECT_THROW(LoadDatabase(root), EInOutError);
    EXPECT_FALSE(nodes.Updating());
    const QStringList kept = unreadCopies(QDir::Dirs);
    ASSERT_EQ(kept.size(), 1);
    ASSERT_EQ(services.infos.size(), 1);
    EXPECT_TRUE(services.infos.front().contains(kept.front())) << services.infos.front().toStdString();
    SaveDatabase(nodes);
    EXPECT_TRUE(QFileInfo::exists(kept.front() + "/inside"));
}

TEST_F(RecordReadTest, HeadersThatAreNotNumbersOrNotFourFields)
{
    // Not numbers: the load ends there. A raw "~~" in a title (as an old program could
    // write) drops the header and its data line is then read as a header.
    const struct { QByteArray bytes; int line; } cases[] = {
        {CrLf({"{Params}", "{1 0 }A~~~~~~1", "{Fold}0", "{1 0}No blank~~~~~~2", "{Fold}0", "{1 0 }B~~~~~~3", "{Fold}0"}), 4},
        {CrLf({"{Params}", "{1 0 }A~~~~~~1", "{Fold}0", "{1 0 }C~~D~~~~~~2", "{Fold}0"}), 5},
    };
    for (const auto &c : cases) {
        nodes.DeleteChildren(root);
        int line = 0;
        EXPECT_EQ(load(c.bytes, &line), RecordFile::InvalidNumericInput);
        EXPECT_EQ(line, c.line);
        EXPECT_EQ(Outline(root), QStringList({"A"}));
    }

    // Not four fields: dropped with no data line, so a header right after it is read normally.
    nodes.DeleteChildren(root);
    for (const QString &copy : unreadCopies())
        QFile::remove(copy);
    services.infos.clear();
    ASSERT_EQ(load(CrLf({"{Params}", "{1 0 }Three~~fields~~9", "{1 0 }Five~~a~~b~~c~~9", "{1 0 }Good~~~~~~7",
                         "{Fold}0", "x 1 2 is no header either", "{1 0 }Next~~~~~~8", "{Fold}0"})),
              QString());
    EXPECT_EQ(Outline(root), QStringList({"Good", "Next"}));
    EXPECT_EQ(notes.droppedLines, 3);
    EXPECT_EQ(notes.firstDroppedLine, 2);
    EXPECT_EQ(notes.records, 2);
    // A save would lose the dropped lines: the file as it was is kept aside, and the user told where.
    const QStringList copies = unreadCopies();
    ASSERT_EQ(copies.size(), 1);
    EXPECT_TRUE(ReadBytes(copies.front()).contains("{1 0 }Five~~a~~b~~c~~9\r\n"));
    ASSERT_EQ(services.infos.size(), 1);
    EXPECT_TRUE(services.infos.front().contains("3 lines could not be read, the first at line 2"))
        << services.infos.front().toStdString();
    EXPECT_TRUE(services.infos.front().contains(copies.front())) << services.infos.front().toStdString();
}

TEST_F(RecordReadTest, UnknownKindsSurviveLoadAndSave)
{
    const QByteArray bytes = CrLf({"{Params}", "{0 11 }My Contacts~~~~~~32892645", "{1 0 }F~~~~~~1", "{Fold}0",
                                   "{2 42 }Odd~~v~~c~~2", "{Futr}whatever~~it~~holds", "{2 200 }Empty~~~~~~3", "",
                                   "{2 12 }After~~/bin/tool~~~~4", "{Tool}/usr/bin/x~~-a~~0"});
    ASSERT_EQ(load(bytes), QString());
    EXPECT_EQ(root->Child(0)->Item()->ChildAt(0)->Kind(), ItemKind(42));
    EXPECT_EQ(saveAndReload(), bytes);

    // An item of an unknown kind made in memory still writes a data line.
    add(ItemKind(300), "Fresh", root->Child(0));
    saveAndReload();
    EXPECT_EQ(Outline(root), QStringList({"F", "F|Odd", "F|Empty", "F|After", "F|Fresh"}));
}

TEST_F(RecordReadTest, CleanValuesAreWrittenUnchanged)
{
    TTreeNode *f = add(ItemKind::Folder, "Kim O'Neil & Co", root, {}, "{Fold}7", 12)->Node();
    CreateItem(ItemKind(42), QString::fromUtf8("Grüße ~ 50% {x}"), "a~b", " lead and trail ", f, "{Odd}", 13);
    CreateItem(ItemKind::Tool, "T", "v", QString(), f, TToolObject::NewDataLine("/opt/a b/run", "-x %1 ~y"), 14);
    EXPECT_EQ(Saved(nodes),
              CrLf({"{Params}", "{0 11 }My Contacts~~~~~~32892645", "{1 0 }Kim O'Neil & Co~~~~~~12", "{Fold}7",
                    "{2 42 }Gr\xc3\xbc\xc3\x9f" "e ~ 50% {x}~~a~b~~ lead and trail ~~13", "{Odd}",
                    "{2 12 }T~~v~~~~14", "{Tool}/opt/a b/run~~-x %1 ~y~~0"}));
}

// A database of one folder holding the phones "Café 0", "Café 1", ... just over 2 MiB:
// read into memory of its own, yet too small to be mapped (the large-file test's part).
QByteArray CafeDatabase(const QByteArray &accent)
{
    QByteArray bytes = CrLf({"{Params}", "{0 11 }My Contacts~~~~~~32892645", "{1 0 }F~~~~~~1", "{Fold}0"});
    for (int i = 0; bytes.size() < (2 << 20) + 5000; ++i)
        bytes += "{2 6 }Caf" + accent + " " + QByteArray::number(i) + "~~555~~" + QByteArray(i % 50, 'p') + "~~" +
                 QByteArray::number(1000 + i) + "\r\n{Phon}~~0\r\n";
    return bytes;
}

TEST_F(RecordReadTest, FilesOfSomeMegabytesReadAndSaveBackInEitherEncoding)
{
    // In Windows-1252 every line is read with its accent, and saved in UTF-8.
    const QByteArray utf8 = CafeDatabase("\xc3\xa9");
    for (const QByteArray &bytes : {utf8, CafeDatabase("\xe9")}) {
        nodes.DeleteChildren(root);
        ASSERT_EQ(load(bytes), QString());
        const TZEBObject *f = root->Child(0)->Item();
        ASSERT_EQ(f->ChildCount(), bytes.count("{Phon}"));
        for (int i = 0; i < f->ChildCount(); ++i)
            ASSERT_EQ(f->ChildAt(i)->Title(), QString::fromUtf8("Café %1").arg(i));
        EXPECT_EQ(Saved(nodes), QByteArray(bytes).replace("\xe9", "\xc3\xa9"));
    }

    // A stray byte makes its own line Windows-1252, and no other: saved before and after
    // the records become items, every line is UTF-8 again.
    nodes.DeleteChildren(root);
    QByteArray mixed = utf8;
    const qsizetype stray = mixed.lastIndexOf("\xc3\xa9");
    mixed[stray] = '\xfc';
    ASSERT_EQ(load(mixed), QString());
    const QByteArray expected = QByteArray(mixed).replace(stray, 2, "\xc3\xbc\xc2\xa9");
    EXPECT_EQ(Saved(nodes), expected);
    const TZEBObject *f = root->Child(0)->Item();
    EXPECT_EQ(f->ChildAt(0)->Title(), QString::fromUtf8("Café 0"));
    const int last = f->ChildCount() - 1;
    EXPECT_EQ(f->ChildAt(last)->Title(), QString::fromUtf8("Cafü© %1").arg(last));
    EXPECT_EQ(f->ChildAt(last - 1)->Title(), QString::fromUtf8("Café %1").arg(last - 1));
    EXPECT_EQ(Saved(nodes), expected);
}

TEST_F(RecordReadTest, ValuesOfTheWindowsProgramThatStartWithATildeStayAsTheyAre)
{
    ASSERT_EQ(load(CrLf({"{Params}", "{1 0 }~Club~~~~~see 50%25~~1", "{Fold}0", "{2 42 }~~~x~y~~~~2", "",
                         "{2 42 }~~~~~~3", ""})),
              QString());
    const QStringList read = Describe(root);
    EXPECT_EQ(read, QStringList({"1|0|~Club||~see 50%25|1|0", "2|42||~x~y||2|0", "2|42||||3|0"}));
    // Written back in the form that cannot be mistaken, and read again unchanged.
    const QByteArray saved = saveAndReload();
    EXPECT_TRUE(saved.contains("{1 0 }~%7EClub~~~~~%7Esee 50%2525~~1")) << saved.toStdString();
    EXPECT_EQ(Describe(root), read);
}

TEST_F(RecordReadTest, HostileTextsSurviveSaveAndLoad)
{
    // Known troublemakers for the title, value, comment and tool fields of every item,
    // then a random tree of texts built from the characters the grammar gives meaning to.
    const QStringList hostile = {
        "a~~b", "~~", "~", "~start", "end~", "~both~", "line\r\nbreak", "lf\nonly", "cr\ronly", "100%",
        "%7E", "~%7E", "%", "{1 0 }fake~~~~~~1", "\r\n", " ~~ ", "~~~", "tab\there", "",
    };
    TTreeNode *folder = add(ItemKind::Folder, "Hostile", root)->Node();
    for (int i = 0; i < hostile.size(); ++i) {
        const QString &h = hostile.at(i);
        CreateItem(ItemKind(42), h, h, h, folder, QString(), 1000 + i);
        CreateItem(ItemKind::Tool, h, h, h, folder, TToolObject::NewDataLine(h, h), 2000 + i);
        CreateItem(ItemKind::Folder, h, QString(), h, folder, QStringLiteral("{Fold}0"), 3000 + i);
    }
    const QString alphabet = QStringLiteral("~~%%\r\n7E0Da A{} \t");
    quint32 state = 12345;
    const auto next = [&state](quint32 n) {
        state = state * 1103515245u + 12345u;
        return (state >> 8) % n;
    };
    const auto text = [&] {
        QString s;
        for (quint32 i = next(9); i > 0; --i)
            s += alphabet.at(qsizetype(next(quint32(alphabet.size()))));
        return s;
    };
    std::vector<TTreeNode *> containers = {root};
    for (int i = 0; i < 400; ++i) {
        TTreeNode *owner = containers[next(quint32(containers.size()))];
        const qint32 id = 100 + i;
        switch (next(3)) {
        case 0:
            containers.push_back(CreateItem(ItemKind::Folder, text(), QString(), text(), owner, "{Fold}0", id)->Node());
            break;
        case 1:
            CreateItem(ItemKind::Tool, text(), text(), text(), owner, TToolObject::NewDataLine(text(), text()), id);
            break;
        default:
            CreateItem(ItemKind(42), text(), text(), text(), owner, QString(), id);
        }
    }
    const QStringList before = Describe(root);
    const QByteArray saved = Saved(nodes);
    EXPECT_EQ(Describe(Loaded(saved).root), before);
    EXPECT_EQ(notes.droppedLines, 0);

    // After the parameters and the root's header, every item is one header of four
    // fields and one data line.
    const QList<QByteArray> lines = saved.chopped(2).split('\n');
    ASSERT_EQ(lines.size(), 2 + 2 * before.size());
    for (qsizetype i = 2; i < lines.size(); i += 2) {
        QStringList fields;
        SplitFields(QString::fromUtf8(lines.at(i).chopped(1)), fields);
        EXPECT_EQ(fields.size(), 4) << lines.at(i).toStdString();
    }
}

} // namespace

// A large file is read ahead on another thread in batches: a line dropped or a header that
// stops the read far into it is found at the same line, with every record before it kept
// and none twice.
TEST_F(RecordReadTest, ALargeFileStopsAndDropsWhereASmallOneWould)
{
    constexpr int kFolders = 30000; // some 60,000 lines, 1.5 MB: many batches
    QList<QByteArray> lines{"{Params}", "{0 11 }My Contacts~~~~~~32892645"};
    QStringList kept;
    for (int i = 0; i < kFolders; ++i) {
        const QByteArray title = "Folder " + QByteArray::number(i).rightJustified(5, '0');
        if (i % 7000 == 3)
            lines << "[1 0 ]dropped"; // a line of its own, passed over
        if (i == 25000)
            lines << "{1 x }stops here";
        lines << "{1 0 }" + title + "~~~~~~" + QByteArray::number(i + 1) << "{Fold}0";
        if (i < 25000)
            kept << QString::fromLatin1(title);
    }
    const QByteArray bytes = lines.join("\r\n") + "\r\n";
    ASSERT_GT(bytes.size(), 1 << 20);
    int line = 0;
    EXPECT_EQ(load(bytes, &line), RecordFile::InvalidNumericInput);
    EXPECT_EQ(line, int(lines.indexOf("{1 x }stops here")) + 1);
    EXPECT_EQ(Outline(root), kept);

    // Without the stop: every record once, and the dropped lines counted.
    lines.removeOne("{1 x }stops here");
    nodes.DeleteChildren(root);
    ASSERT_EQ(load(lines.join("\r\n") + "\r\n"), QString());
    EXPECT_EQ(root->Count(), kFolders);
    EXPECT_EQ(notes.records, kFolders);
    EXPECT_EQ(notes.droppedLines, 5);
    EXPECT_EQ(notes.firstDroppedLine, int(lines.indexOf("[1 0 ]dropped")) + 1);
    EXPECT_EQ(root->Child(kFolders - 1)->Text(), "Folder 29999");
}
