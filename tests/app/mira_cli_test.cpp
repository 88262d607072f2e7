#include <gtest/gtest.h>

#include "platform/instancelock.h"
#include "store/recordfiletestutil.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

// One record (header and data line) a row. Root > Friends > Kim Sample (Home phone, e-mail)
// and Dr. Kimberly Stone; Work > Joakim Berg; a title with a slash; a tab in a comment.
const QByteArray kDatabase = CrLf({
    "{Params}", "{0 11 }My Contacts~~~~~~32892645",
    "{1 0 }Friends~~~~~~100", "{Fold}0",
    "{2 3 }Kim Sample~~ Kim Sample~~~~101", "{Pers}~~Kim~~~~Sample~~~~Home~~~~~~~~0",
    "{3 6 }Home~~555-0100~~~~102", "{Phon}~~0",
    "{3 6 }Work line~~555-0199~~desk\tphone~~103", "{Phon}22~~0",
    "{3 7 }Kim's mail~~kim@example.com~~~~104", "{Mail}0",
    "{2 3 }Dr. Kimberly Stone~~ Kimberly Stone~~~~105", "{Pers}Dr.~~Kimberly~~~~Stone~~~~~~~~~~~~0",
    "{1 0 }Work~~~~~~200", "{Fold}0",
    "{2 3 }Joakim Berg~~ Joakim Berg~~~~201", "{Pers}~~Joakim~~~~Berg~~~~~~~~~~~~0",
    "{1 0 }A/B Team~~~~~~300", "{Fold}0",
});
const QByteArray kGood = CrLf({"{1 0 }Fine~~~~~~1", "{Fold}0"});

// The database with one text replaced.
QByteArray Patched(const char *from, const char *to) { return QByteArray(kDatabase).replace(from, to); }

// Kim Sample's records as they stand in the database.
QByteArray KimRecords()
{
    const qsizetype from = kDatabase.indexOf("{2 3 }Kim Sample");
    return kDatabase.mid(from, kDatabase.indexOf("{2 3 }Dr.") - from);
}

struct Result { int code = -1; QString out, err; };

// The tool ended with code and said says on its error output.
testing::AssertionResult Ended(const Result &r, int code, const char *says = "")
{
    if (r.code == code && r.err.contains(says))
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "exit " << r.code << ", error output: " << r.err.toStdString();
}

class MiraCliTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(home.isValid() && elsewhere.isValid());
        write("mira.dat", kDatabase);
        write("good.mbd", kGood, &elsewhere);
    }

    // Runs the tool in another directory than the data directory, with no other home.
    Result mira(const QStringList &args, bool withHome = true, const QString &envHome = QString(),
                const std::function<void()> &inChild = {})
    {
        QProcess p;
        if (inChild)
            p.setChildProcessModifier(inChild);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("MIRABOOK_HOME");
        if (!envHome.isEmpty())
            env.insert("MIRABOOK_HOME", envHome);
        env.insert("XDG_DATA_HOME", elsewhere.filePath("xdg-data"));
        env.insert("XDG_CONFIG_HOME", elsewhere.filePath("xdg-config"));
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(elsewhere.path());
        p.start(MIRA_CLI, (withHome ? QStringList({"--home", home.path()}) : QStringList()) + args);
        if (!p.waitForFinished(30000))
            return {};
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
    }
    // The output of a command that must succeed.
    QString ok(const QStringList &args)
    {
        const Result r = mira(args);
        EXPECT_TRUE(Ended(r, 0)) << args.join(' ').toStdString();
        return r.out;
    }
    void write(const QString &name, const QByteArray &bytes, QTemporaryDir *in = nullptr)
    {
        WriteBytes((in ? in : &home)->filePath(name), bytes);
    }
    QByteArray database() const { return ReadBytes(home.filePath("mira.dat")); }
    // Every file of both directories, to show that a refused command wrote nothing.
    QStringList files() const
    {
        QStringList all;
        for (const QTemporaryDir *d : {&home, &elsewhere})
            for (const QString &f : QDir(d->path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot))
                all << d->path() + "/" + f;
        return all;
    }

    QTemporaryDir home;
    QTemporaryDir elsewhere;
};

TEST_F(MiraCliTest, ListAndFindPrintItemsAndPaths)
{
    // The top's title may be left out, and case need not match.
    EXPECT_EQ(ok({"list", "friends/kim sample"}), "phone\tHome\t555-0100\t\n"
                                                  "phone\tWork line\t555-0199\tdesk\\tphone\n"
                                                  "email\tKim's mail\tkim@example.com\t\n");
    EXPECT_EQ(ok({"list", "My Contacts/Friends"}),
              "person\tDr. Kimberly Stone\t Kimberly Stone\t\nperson\tKim Sample\t Kim Sample\t\n");
    ok({"list", "A\\/B Team"});

    EXPECT_EQ(ok({"find", "kim"}), "My Contacts/Friends/Dr. Kimberly Stone\n"
                                   "My Contacts/Friends/Kim Sample\n"
                                   "My Contacts/Friends/Kim Sample/Kim's mail\n");
    EXPECT_EQ(ok({"find", "team"}), "My Contacts/A\\/B Team\n");
    EXPECT_EQ(ok({"find", "kim", "sa"}), "My Contacts/Friends/Kim Sample\n");
    const Result r = mira({"find", "akim"}); // not at a word start
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, QString());
}

TEST_F(MiraCliTest, ImportMergesBelowAPathAndSaves)
{
    write("club.mbd", CrLf({"{1 0 }Club~~~~~~500", "{Fold}0", "{2 3 }Ana Club~~ Ana Club~~~~501",
                            "{Pers}~~Ana~~~~Club~~~~~~~~~~~~0", "{3 6 }Cell~~555-0300~~~~502", "{Phon}~~0"}),
          &elsewhere);
    // Relative to where the tool is started.
    EXPECT_EQ(ok({"import", "club.mbd", "--into", "Work"}), "imported 3 items into My Contacts/Work\n");
    const QByteArray saved = database();
    EXPECT_TRUE(saved.contains("{2 0 }Club~~~~~~500\r\n{Fold}0\r\n{3 3 }Ana Club~~ Ana Club~~~~501\r\n"));
    EXPECT_TRUE(saved.contains(KimRecords()));
    EXPECT_EQ(ok({"list", "Work/Club/Ana Club"}), "phone\tCell\t555-0300\t\n");
    EXPECT_FALSE(QFile::exists(home.filePath("mirabook.lock")));

    // Below the root by default.
    ok({"import", elsewhere.filePath("club.mbd")});
    EXPECT_EQ(ok({"list"}), "folder\tA/B Team\t\t\nfolder\tClub\t\t\nfolder\tFriends\t\t\nfolder\tWork\t\t\n");
}

TEST_F(MiraCliTest, RefusedCommandsWriteNothing)
{
    write("bad.mbd", CrLf({"{1 0 }Half~~~~~~1", "{Fold}0", "this is no record"}), &elsewhere);
    write("good.txt", CrLf({"{1 0 }Text~~~~~~1", "{Fold}0"}), &elsewhere);
    const QStringList before = files();
    const struct { QStringList args; const char *says; } cases[] = {
        {{"import", "missing.mbd"}, "cannot read"},
        {{"import", "good.txt"}, ".mbd"},
        {{"import", "good.mbd", "--into", "Nowhere"}, "names no container"},
        {{"import", "good.mbd", "--into", "Friends/Kim Sample/Home"}, "names no container"},
        {{"import", "bad.mbd"}, "line 3: Invalid numeric input"},
        {{"export", "Nowhere", "--mbd", "x.mbd"}, "names no container"},
        {{"export", "Friends", "--mbd", "x.csv"}, ".mbd"},
        {{"export", "Friends", "--csv", "x.mbd", "--kind", "phone", "--columns", "Title"}, ".csv"},
        {{"export", "Friends", "--csv", "x.csv", "--kind", "gadget", "--columns", "Title"}, "unknown kind"},
        {{"export", "Friends", "--csv", "x.csv", "--columns", "Title"}, "unknown kind"},
        {{"export", "Friends", "--csv", "x.csv", "--kind", "phone", "--columns", "Title,Shoe Size"}, "Shoe Size"},
        {{"export", "Friends", "--mbd", "no/such/dir/x.mbd"}, "no such directory"},
        {{"export", "Friends", "--mbd", "x.mbd", "--csv", "x.csv"}, "usage"},
        {{"export", "Friends", "--html", "x.txt"}, ".htm"},
        {{"export", "Friends", "--html", "x.html", "--vcf", "x.vcf"}, "usage"},
        {{"export", "Friends", "--html", "x.html", "--kind", "phone"}, "--csv"},
        {{"export", "Friends", "--mbd", "x.mbd", "--no-header"}, "--csv"},
        {{"frobnicate"}, "unknown command"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const Result r = mira(c.args);
        EXPECT_TRUE(Ended(r, 2, c.says));
        EXPECT_EQ(r.out, QString());
        EXPECT_EQ(database(), kDatabase);
        EXPECT_EQ(files(), before);
    }

    // A database that does not load whole is not saved over.
    const QByteArray broken = Patched("{1 0 }Work~~", "{1 0}Work~~");
    write("mira.dat", broken);
    EXPECT_TRUE(Ended(mira({"import", "good.mbd"}), 4, "line 15: Invalid numeric input"));
    EXPECT_EQ(database(), broken);
    EXPECT_EQ(files(), before);
}

TEST_F(MiraCliTest, ImportSaysWhatItCouldNotReadAndImportsNothingThen)
{
    const QByteArray fine = CrLf({"{1 0 }Fine~~~~~~1", "{Fold}0"});
    const struct { QByteArray bytes; const char *says; } cases[] = {
        {"", "nothing to import\n"},
        {"\r\n\r\n", "nothing to import\n"},
        {CrLf({"x 1 2 is no header"}), "nothing to import; line 1 could not be read\n"},
        {fine + CrLf({"{1 0 }Broken~~4"}) + fine, "line 3 could not be read; nothing was imported"},
        {fine + "{1 3 }Ana Cl", "line 3 could not be read; nothing was imported"},
        {fine + CrLf({"{1 0 }A~~", "{1 0 }B~~~~"}), "2 lines could not be read, the first at line 3; nothing was"},
        {fine + "{1 3 }Ana Club~~~~~~5", "the file ends inside the record at line 3; nothing was imported"},
        {fine + CrLf({"{1 3 }Ana Club~~~~~~5"}), "the file ends inside the record at line 3; nothing was imported"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.says);
        write("in.mbd", c.bytes, &elsewhere);
        const Result r = mira({"import", "in.mbd"});
        EXPECT_TRUE(Ended(r, 2, QStringLiteral("mira: in.mbd: %1").arg(c.says).toUtf8()));
        EXPECT_EQ(r.out, QString());
        EXPECT_EQ(database(), kDatabase);
    }
}

TEST_F(MiraCliTest, ImportKeepsWhatTheDatabaseLoadDroppedBeforeItSaves)
{
    const QByteArray dropping = Patched("{1 0 }Work~~~~~~200\r\n{Fold}0\r\n", "{1 0 }Work~~~~200\r\n");
    write("mira.dat", dropping);
    const Result r = mira({"import", "good.mbd"});
    EXPECT_TRUE(Ended(r, 0, "line 15 could not be read; the file as it was is kept as "));
    EXPECT_EQ(r.out, "imported 1 items into My Contacts\n");
    const QStringList copies = QDir(home.path()).entryList({"mira-unread-*.dat"});
    ASSERT_EQ(copies.size(), 1);
    EXPECT_TRUE(r.err.contains(home.filePath(copies.front()))) << r.err.toStdString();
    EXPECT_EQ(ReadBytes(home.filePath(copies.front())), dropping);
    EXPECT_FALSE(database().contains("Work~~~~200"));
    EXPECT_TRUE(database().contains("}Fine~~"));

    // A database that reads whole keeps no copy.
    ok({"import", "good.mbd"});
    EXPECT_EQ(QDir(home.path()).entryList({"mira-unread-*.dat"}).size(), 1);
}

TEST_F(MiraCliTest, ImportStartsADatabaseOrFailsToSaveCleanly)
{
    QTemporaryDir fresh;
    EXPECT_TRUE(Ended(mira({"--home", fresh.path(), "import", "good.mbd"}, false), 0));
    EXPECT_EQ(ReadBytes(fresh.filePath("mira.dat")), CrLf({"{Params}", "{0 11 }My Contacts~~~~~~32892645"}) + kGood);

    // A transaction file that cannot be written leaves the database as it was.
    ASSERT_TRUE(QDir(home.path()).mkdir("mira.dat.txn"));
    EXPECT_TRUE(Ended(mira({"import", "good.mbd"}), 4, "mira.dat.txn"));
    EXPECT_EQ(database(), kDatabase);

    // A disk that takes only part of the records: the system says why, in its own words.
    QDir(home.path()).rmdir("mira.dat.txn");
    const auto smallFiles = [] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{16, 16};
        setrlimit(RLIMIT_FSIZE, &limit);
    };
    const Result r = mira({"import", "good.mbd"}, true, QString(), smallFiles);
    EXPECT_TRUE(Ended(r, 4, std::strerror(EFBIG)));
    EXPECT_FALSE(r.err.contains("Unknown error")) << r.err.toStdString();
    EXPECT_EQ(database(), kDatabase);
}

TEST_F(MiraCliTest, ImportWaitsOnlyForAnotherWriter)
{
    {
        InstanceLock desktop(home.path());
        ASSERT_TRUE(desktop.tryLock());
        EXPECT_TRUE(Ended(mira({"import", "good.mbd"}), 3, "Mirabook is already running"));
        EXPECT_EQ(database(), kDatabase);
        ok({"list", "Work"}); // reading is fine meanwhile
    }
    {
        InstanceLock tool(home.path(), InstanceLock::Holder::Tool);
        ASSERT_TRUE(tool.tryLock());
        EXPECT_TRUE(Ended(mira({"import", "good.mbd"}), 3, "Another mira command"));
    }
    EXPECT_EQ(database(), kDatabase);

    // What a lock file left behind says holds nobody.
    for (const QByteArray &left : {QByteArray(), QByteArray("garbage\n")}) {
        write("mirabook.lock", left);
        write("mira.dat", kDatabase);
        ok({"import", "good.mbd"});
        EXPECT_TRUE(database().contains("}Fine~~"));
    }
    // Something else in its place is an error of its own, not a running program.
    QFile::remove(home.filePath("mirabook.lock"));
    ASSERT_TRUE(QDir(home.path()).mkdir("mirabook.lock"));
    const Result r = mira({"import", "good.mbd"});
    EXPECT_TRUE(Ended(r, 4, "is a directory"));
    EXPECT_FALSE(r.err.contains("running")) << r.err.toStdString();
}

TEST_F(MiraCliTest, ReadOnlyDataDirectoryIsAFailureInTheSystemsWords)
{
    // The directory's mode stops a user; root is made one for the tool's run.
    const auto asUser = [] {
        if (::geteuid() == 0 && ::setgid(65534) == 0)
            (void)!::setuid(65534);
    };
    const auto readOnly = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup |
                          QFile::ReadOther | QFile::ExeOther;
    ASSERT_TRUE(QFile::setPermissions(home.path(), readOnly));
    ASSERT_TRUE(QFile::setPermissions(elsewhere.path(), readOnly | QFile::WriteOwner));
    const Result r = mira({"import", "good.mbd"}, true, QString(), asUser);
    QFile::setPermissions(home.path(), readOnly | QFile::WriteOwner);
    EXPECT_TRUE(Ended(r, 4, std::strerror(EACCES)));
    EXPECT_FALSE(r.err.contains("running")) << r.err.toStdString();
    EXPECT_EQ(database(), kDatabase);
}

TEST_F(MiraCliTest, OnlyRegularFilesAreReadAndAReadOnlyDatabaseIsKept)
{
    const auto fifo = [](const QString &name) { return ::mkfifo(QFile::encodeName(name).constData(), 0600) == 0; };
    ASSERT_TRUE(fifo(elsewhere.filePath("pipe.mbd")));
    ASSERT_TRUE(QFile::link("/dev/zero", elsewhere.filePath("zero.mbd")));
    EXPECT_TRUE(Ended(mira({"import", "pipe.mbd"}), 2, "a pipe"));
    EXPECT_TRUE(Ended(mira({"import", "zero.mbd"}), 2, "a device"));
    EXPECT_EQ(database(), kDatabase);

    // Read-only is the user's word, even for a user (root) whom the system lets write.
    ASSERT_TRUE(QFile::setPermissions(home.filePath("mira.dat"), QFile::ReadOwner | QFile::ReadGroup));
    EXPECT_TRUE(Ended(mira({"import", "good.mbd"}), 4, "read-only"));
    EXPECT_EQ(database(), kDatabase);

    // A pipe for a database is neither waited on nor taken for an empty one.
    QFile::remove(home.filePath("mira.dat"));
    ASSERT_TRUE(fifo(home.filePath("mira.dat")));
    EXPECT_TRUE(Ended(mira({"import", "good.mbd"}), 4, "a pipe"));
    EXPECT_TRUE(Ended(mira({"check"}), 4, "a pipe"));
    EXPECT_TRUE(QFileInfo(home.filePath("mira.dat")).exists() && !QFileInfo(home.filePath("mira.dat")).isFile());
}

TEST_F(MiraCliTest, RemoteFoldersShowTheirSourceAndTakeNoImport)
{
    // A relative location is taken from the data directory, as the program does.
    write("src.mbd", CrLf({"{1 0 }Club~~~~~~1", "{Fold}0", "{2 6 }Kim hotline~~555-0111~~~~2", "{Phon}~~0"}));
    const QByteArray withRemote = kDatabase + CrLf({"{1 0 }Shared~~src.mbd~~~~400", "{Fold}0"});
    write("mira.dat", withRemote);
    EXPECT_EQ(ok({"list", "Shared/Club"}), "phone\tKim hotline\t555-0111\t\n");
    EXPECT_TRUE(ok({"find", "kim"}).contains("My Contacts/Shared/Club/Kim hotline\n"));
    ok({"export", "Shared", "--csv", "shared.csv", "--kind", "phone", "--columns", "Phone Number", "--no-header"});
    EXPECT_EQ(ReadBytes(elsewhere.filePath("shared.csv")), "\"555-0111\"\r\n");

    EXPECT_TRUE(Ended(mira({"import", "good.mbd", "--into", "Shared"}), 2,
                      "Cannot create new records within a remote (read-only) folder"));
    EXPECT_EQ(database(), withRemote); // nothing of it reaches the database
}

TEST_F(MiraCliTest, RemoteFoldersThatLeadBackIntoThemselvesAreReadOnce)
{
    // a -> a, and a -> b -> a
    write("a.mbd", CrLf({"{1 0 }Back~~a.mbd~~~~1", "{Fold}0", "{1 0 }ToB~~b.mbd~~~~2", "{Fold}0"}));
    write("b.mbd", CrLf({"{1 0 }Club~~~~~~3", "{Fold}0", "{2 6 }Kim line~~555-0111~~~~4", "{Phon}~~0",
                         "{1 0 }ToA~~a.mbd~~~~5", "{Fold}0"}));
    write("mira.dat", kDatabase + CrLf({"{1 0 }Shared~~a.mbd~~~~400", "{Fold}0"}));
    for (const QStringList &args : {QStringList{"find", "kim"}, QStringList{"export", "Shared", "--mbd", "s.mbd"}}) {
        const Result r = mira(args);
        EXPECT_TRUE(Ended(r, 0)) << args.join(' ').toStdString();
        EXPECT_EQ(r.err.count("leads back"), 2) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains("\"Back\"") && r.err.contains("\"ToA\"")) << r.err.toStdString();
    }
    EXPECT_TRUE(ok({"find", "kim"}).contains("My Contacts/Shared/ToB/Club/Kim line\n"));
}

TEST_F(MiraCliTest, EveryCommandWorksOnADeepChain)
{
    const int depth = 200000;
    QByteArray file = CrLf({"{Params}", "{0 11 }My Contacts~~~~~~32892645"});
    for (int level = 1; level <= depth; ++level)
        file += "{" + QByteArray::number(level) + " 0 }F" + QByteArray::number(level) + "~~~~~~" +
                QByteArray::number(level) + "\r\n{Fold}0\r\n";
    write("mira.dat", file);
    EXPECT_TRUE(ok({"find", "f200000"}).endsWith("/F199999/F200000\n"));
    EXPECT_TRUE(ok({"check"}).contains("\nfolder\t200000\n"));
    ok({"export", "F1", "--mbd", "deep.mbd"});
    EXPECT_EQ(ReadBytes(elsewhere.filePath("deep.mbd")), file.mid(file.indexOf("{1 0 }F1~~")));
    ok({"import", "good.mbd"});
    EXPECT_EQ(database(), file + kGood);
}

TEST_F(MiraCliTest, ExportWritesRecordsAndCsv)
{
    ok({"export", "Friends/Kim Sample", "--mbd", "kim.mbd"});
    // Kim's records, one level up.
    EXPECT_EQ(ReadBytes(elsewhere.filePath("kim.mbd")), KimRecords().replace("{2 ", "{1 ").replace("{3 ", "{2 "));

    ok({"export", "Friends", "--csv", "phones.csv", "--kind", "phone", "--columns", "Title, phone number,Extension"});
    EXPECT_EQ(ReadBytes(elsewhere.filePath("phones.csv")),
              "Title,\"Phone Number\",Extension\r\n\"Home\",\"555-0100\",\"\"\r\n\"Work line\",\"555-0199\",\"22\"\r\n");
}

TEST_F(MiraCliTest, ExportWritesAWebPage)
{
    ok({"export", "Friends", "--html", "friends.html"});
    const QByteArray page = ReadBytes(elsewhere.filePath("friends.html"));
    EXPECT_TRUE(page.startsWith("<!DOCTYPE html>\r\n<html>\r\n<head>\r\n<meta charset=\"utf-8\">\r\n<title>Friends</title>"));
    EXPECT_TRUE(page.contains("Kim Sample</font></a>"));
    EXPECT_TRUE(page.contains("555-0100"));
    EXPECT_TRUE(page.endsWith("</body>\r\n</html>\r\n"));
    EXPECT_TRUE(Ended(mira({"export", "Nowhere", "--html", "n.html"}), 2));
    EXPECT_FALSE(QFileInfo::exists(elsewhere.filePath("n.html")));

    // Into a directory, with frames: the main page is named after the item.
    ASSERT_TRUE(QDir(elsewhere.path()).mkdir("site"));
    ok({"export", "Friends", "--html", "site", "--frames"});
    const QDir site(elsewhere.filePath("site"));
    for (const char *file : {"Friends.htm", "miraindex.htm", "miramain.htm", "miramain.mbd", "person.gif"})
        EXPECT_TRUE(site.exists(file)) << file;
    EXPECT_TRUE(ReadBytes(site.filePath("Friends.htm")).contains("<frameset"));
    EXPECT_TRUE(site.entryList({"vc*.vcf"}).size() >= 1);
    // A frame set may not be named like its frames; the options go with --html.
    EXPECT_TRUE(Ended(mira({"export", "Friends", "--html", "site/miramain.htm", "--frames"}), 2));
    EXPECT_TRUE(Ended(mira({"export", "Friends", "--mbd", "f.mbd", "--frames"}), 2));
    EXPECT_FALSE(QFileInfo::exists(elsewhere.filePath("f.mbd")));
}

TEST_F(MiraCliTest, ExportsThatCannotBeWrittenKeepWhatWasThere)
{
    write("kept.mbd", "old", &elsewhere);
    // A file may grow to 16 bytes only: the export stops half way.
    const auto smallFiles = [] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{16, 16};
        setrlimit(RLIMIT_FSIZE, &limit);
    };
    EXPECT_TRUE(Ended(mira({"export", "Friends", "--mbd", "kept.mbd"}, true, QString(), smallFiles), 4, "kept.mbd"));
    EXPECT_EQ(ReadBytes(elsewhere.filePath("kept.mbd")), "old");
    EXPECT_EQ(QDir(elsewhere.path()).entryList({"kept*"}), QStringList{"kept.mbd"}); // no temporary file left

    // The export writes one temporary file of its own; a user's file beside it is not one.
    write("kept.mbd.part", "mine", &elsewhere);
    ok({"export", "Friends", "--mbd", "kept.mbd"});
    EXPECT_TRUE(ReadBytes(elsewhere.filePath("kept.mbd")).startsWith("{1 0 }Friends~~"));
    EXPECT_EQ(ReadBytes(elsewhere.filePath("kept.mbd.part")), "mine");
    write("kept.mbd", "old", &elsewhere);

    // A database that does not read whole exports nothing: part of it would pass for all.
    // Nor does one with lines its load dropped; a listing of it says so and goes on.
    for (const QByteArray &partial : {Patched("{1 0 }Work~~", "\r\n{1 0 }Work~~"),
                                      Patched("{2 3 }Joakim", "x 1 2 is no header\r\n{2 3 }Joakim")}) {
        write("mira.dat", partial);
        EXPECT_TRUE(Ended(mira({"export", "Friends", "--mbd", "kept.mbd"}), 4, "nothing was exported"));
        EXPECT_EQ(ReadBytes(elsewhere.filePath("kept.mbd")), "old");
    }
    const Result listed = mira({"list", "Friends"});
    EXPECT_TRUE(Ended(listed, 0, "mira.dat: line 17 could not be read"));
    EXPECT_TRUE(listed.out.contains("Kim Sample"));
    write("mira.dat", kDatabase);

    // The database itself is never an export target.
    ok({"export", "Friends", "--mbd", home.filePath("mira.dat.mbd")});
    EXPECT_TRUE(
        Ended(mira({"export", "Friends", "--csv", home.filePath("mira.dat"), "--kind", "6", "--columns", "Title"}), 2));
    EXPECT_EQ(database(), kDatabase);
}

TEST_F(MiraCliTest, CardsExportAndImportAsPersonsOrOrganizations)
{
    ok({"export", "Friends/Kim Sample", "--vcf", "kim.vcf"});
    EXPECT_EQ(ReadBytes(elsewhere.filePath("kim.vcf")),
              CrLf({"BEGIN:VCARD", "VERSION:3.0", "N:Sample;Kim;;;", "FN:Kim Sample", "TEL;TYPE=HOME,PREF:555-0100",
                    "TEL:555-0199", "EMAIL;TYPE=INTERNET:kim@example.com", "END:VCARD"}));
    ok({"export", "Friends", "--vcf", "friends.vcf"});
    EXPECT_EQ(ReadBytes(elsewhere.filePath("friends.vcf")).count("BEGIN:VCARD"), 2);

    write("acme.vcf", "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Acme Ltd\r\nORG:Acme Ltd\r\nTEL:1\r\nEND:VCARD\r\n",
          &elsewhere);
    EXPECT_EQ(ok({"import", "kim.vcf", "--into", "Work"}), "imported 1 cards into My Contacts/Work\n");
    ok({"import", "acme.vcf", "--orgs", "org"});
    ok({"import", "acme.vcf", "--into", "Work"});
    const QString work = ok({"list", "Work"});
    EXPECT_TRUE(work.contains("person\tKim Sample\t Kim Sample\t\n")) << work.toStdString();
    EXPECT_TRUE(work.contains("person\tAcme Ltd\t")) << work.toStdString();
    EXPECT_TRUE(ok({"list"}).contains("organization\tAcme Ltd\t"));
    EXPECT_EQ(ok({"list", "Work/Kim Sample"}), "email\tInternet\tkim@example.com\t\nphone\tHome\t555-0100\t\n"
                                              "phone\tPhone\t555-0199\t\n");
}

TEST_F(MiraCliTest, CardFilesThatDoNotReadWholeImportNothing)
{
    static const char kTorn[] = "BEGIN:VCARD\r\nFN:A\r\nEND:VCARD\r\nBEGIN:VCARD\r\nFN:\0\r\nEND:VCARD\r\n";
    write("torn.vcf", QByteArray(kTorn, sizeof kTorn - 1), &elsewhere);
    write("none.vcf", "no cards here\r\n", &elsewhere);
    write("ok.vcf", "BEGIN:VCARD\r\nFN:A\r\nEND:VCARD\r\n", &elsewhere);
    write("ok.mbd", kGood, &elsewhere);
    const QStringList before = files();
    EXPECT_TRUE(Ended(mira({"import", "torn.vcf"}), 2,
                      "torn.vcf: 1 card could not be read (bytes that are no text, or a line longer than 65536 "
                      "characters) and was skipped, the first at line 4; nothing was imported"));
    EXPECT_TRUE(Ended(mira({"import", "none.vcf"}), 2, "none.vcf: no card to import"));
    EXPECT_TRUE(Ended(mira({"import", "ok.vcf", "--orgs", "company"}), 2, "--orgs takes person or org"));
    EXPECT_TRUE(Ended(mira({"import", "ok.mbd", "--orgs", "org"}), 2, "--orgs goes with a card file"));
    EXPECT_TRUE(Ended(mira({"import", "ok.vcf", "--into", "Nowhere"}), 2, "names no container"));
    EXPECT_TRUE(Ended(mira({"export", "A\\/B Team", "--vcf", "team.vcf"}), 2, "no person or organization there"));
    EXPECT_TRUE(Ended(mira({"export", "Friends", "--vcf", "friends.txt"}), 2, "a card file is named *.vcf"));
    EXPECT_TRUE(Ended(mira({"export", "Friends", "--vcf", "a.vcf", "--mbd", "a.mbd"}), 2, "usage"));
    EXPECT_EQ(files(), before);
    EXPECT_EQ(database(), kDatabase);
}

TEST_F(MiraCliTest, CheckCountsKindsAndReportsTheFirstError)
{
    write("mira.dat", kDatabase + CrLf({"{1 0 }Shared~~/nowhere/src.mbd~~~~400", "{Fold}0"}));
    EXPECT_EQ(ok({"check"}), QStringLiteral("database\t%1/mira.dat\nitems\t10\nfolder\t4\nperson\t3\nphone\t2\n"
                                            "email\t1\nremote folders\t1\n")
                                 .arg(QDir(home.path()).canonicalPath()));

    // A header that does not hold four fields is dropped: the file does not read whole.
    write("mira.dat", Patched("{1 0 }Work~~~~~~200\r\n{Fold}0\r\n", "{1 0 }Work~~~~200\r\n"));
    Result r = mira({"check"});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.out.contains("\nperson\t3\n")) << r.out.toStdString();
    EXPECT_TRUE(r.out.endsWith("dropped lines\t1 (the first at line 15)\n")) << r.out.toStdString();

    write("mira.dat", Patched("{1 0 }Work~~", "\r\n{1 0 }Work~~"));
    const QStringList before = files();
    r = mira({"check"});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.out.contains("\nitems\t6\n")) << r.out.toStdString();
    EXPECT_TRUE(r.out.endsWith("error\tline 15: Invalid numeric input\n")) << r.out.toStdString();
    EXPECT_EQ(files(), before); // no copy of the unread file
}

TEST_F(MiraCliTest, DataDirectoryAndUsageErrors)
{
    EXPECT_EQ(mira({"list", "Work"}, false, home.path()).out, "person\tJoakim Berg\t Joakim Berg\t\n");
    EXPECT_TRUE(Ended(mira({"--home", elsewhere.filePath("none"), "list"}, false), 2, "no such directory"));
    EXPECT_FALSE(QFile::exists(elsewhere.filePath("none")));
    QTemporaryDir empty;
    EXPECT_TRUE(Ended(mira({"--home", empty.path(), "check"}, false), 2, "no database"));
    EXPECT_TRUE(mira({}, false).err.contains("usage: mira"));
}

TEST_F(MiraCliTest, HelpAndVersionGoToStandardOutputWithoutADatabase)
{
    // Asked for, they are the answer (exit 0, standard output), whatever the data directory.
    const QString none = elsewhere.filePath("none");
    const Result help = mira({"--home", none, "--help"}, false);
    EXPECT_TRUE(Ended(help, 0));
    EXPECT_TRUE(help.out.startsWith("usage: mira")) << help.out.toStdString();
    EXPECT_TRUE(help.out.contains("--version"));
    const Result version = mira({"--version", "list"}, false, none);
    EXPECT_TRUE(Ended(version, 0));
    EXPECT_EQ(version.out, "mira (Mirabook) " MIRABOOK_VERSION "\n");
    EXPECT_EQ(version.err, QString());
    EXPECT_FALSE(QFile::exists(none));
}

} // namespace
