// The files a load reads and a save writes: only regular files are read, a save's own
// files are made afresh, and what the user set on "mira.dat" stays.
#include "recordfiletestutil.h"
#include "store/folderobject.h"
#include "support/storefixture.h"

#include <QFileInfo>
#include <QScopeGuard>

#include <csignal>
#include <pthread.h>
#include <sys/stat.h>
#include <thread>
#include <fcntl.h>
#include <unistd.h>

namespace {

// A named pipe whose writer hands over text as soon as a reader opens it. A reader that
// refuses the pipe never opens it; the writer is let go at the end.
class FedPipe
{
public:
    FedPipe(const QString &name, const QByteArray &text) : m_path(QFile::encodeName(QFileInfo(name).absoluteFilePath()))
    {
        m_made = ::mkfifo(m_path.constData(), 0600) == 0;
        if (m_made)
            m_writer = std::thread([path = m_path, text] {
                // A reader that only looks and closes leaves the write without a reader:
                // EPIPE for this thread, not a SIGPIPE that ends the whole test program.
                sigset_t pipeSignal;
                sigemptyset(&pipeSignal);
                sigaddset(&pipeSignal, SIGPIPE);
                pthread_sigmask(SIG_BLOCK, &pipeSignal, nullptr);
                const int fd = ::open(path.constData(), O_WRONLY);
                if (fd >= 0) {
                    (void)!::write(fd, text.constData(), size_t(text.size()));
                    ::close(fd);
                }
            });
    }
    ~FedPipe()
    {
        if (!m_made)
            return;
        const int fd = ::open(m_path.constData(), O_RDONLY | O_NONBLOCK);
        m_writer.join();
        if (fd >= 0)
            ::close(fd);
    }
    bool made() const { return m_made; }

private:
    QByteArray m_path;
    bool m_made = false;
    std::thread m_writer;
};

mode_t ModeOf(const QString &name)
{
    struct stat st{};
    return ::stat(QFile::encodeName(name).constData(), &st) == 0 ? st.st_mode & 07777 : 0;
}

bool IsLink(const QString &name) { return QFileInfo(name).isSymLink(); }

// The error text a call throws, or empty.
template <class F> QString Thrown(F &&f)
{
    try {
        f();
    } catch (const std::exception &e) {
        return QString::fromUtf8(e.what());
    }
    return {};
}

class DatabaseFilesTest : public StoreFixture
{
protected:
    void SetUp() override
    {
        StoreFixture::SetUp();
        ASSERT_TRUE(outside.isValid());
        add(ItemKind::Folder, "Friends", root);
    }
    QString out(const QString &name) const { return outside.filePath(name); }

    const QByteArray fed = CrLf({"{1 0 }Fed~~~~~~7", "{Fold}0"});
    QTemporaryDir outside;
};

} // namespace

TEST_F(DatabaseFilesTest, OnlyRegularFilesAreRead)
{
    // A link to a regular file is read through.
    WriteBytes(out("real.mbd"), fed);
    ASSERT_TRUE(QFile::link(out("real.mbd"), "linked.mbd"));
    ImportFile(root, "linked.mbd");
    EXPECT_EQ(Outline(root), QStringList({"Fed", "Friends"}));

    // A pipe is neither waited on nor read.
    {
        FedPipe pipe("pipe.mbd", fed);
        ASSERT_TRUE(pipe.made());
        EXPECT_TRUE(Thrown([&] { ImportFile(root, "pipe.mbd"); }).contains("a pipe")) << Outline(root).join(',').toStdString();
    }
    // Devices are never read, whatever they would give.
    ASSERT_TRUE(QFile::link("/dev/zero", "zero.mbd"));
    EXPECT_TRUE(Thrown([&] { ImportFile(root, "zero.mbd"); }).contains("a device"));
    ASSERT_TRUE(QDir().mkdir("folder.mbd"));
    EXPECT_TRUE(Thrown([&] { ImportFile(root, "folder.mbd"); }).contains("a directory"));
    EXPECT_EQ(Outline(root), QStringList({"Fed", "Friends"}));
    EXPECT_FALSE(nodes.Updating());

    // A database that is a device is no empty database: a save must not replace the link.
    ASSERT_TRUE(QFile::link("/dev/null", RecordFile::DatabaseName));
    EXPECT_TRUE(Thrown([&] { LoadDatabase(root); }).contains("a device"));
    EXPECT_FALSE(nodes.Updating());
    EXPECT_FALSE(QFileInfo::exists(RecordFile::DatabaseName));
}

TEST_F(DatabaseFilesTest, RemoteFolderSourceThatIsAPipeIsRefusedAndSaid)
{
    auto *folder = static_cast<TFolderObject *>(add(ItemKind::Folder, "Shared", root));
    FedPipe pipe("shared.mbd", fed);
    ASSERT_TRUE(pipe.made());
    folder->SetValue(QFileInfo("shared.mbd").absoluteFilePath());
    EXPECT_TRUE(Thrown([&] { folder->Refresh(); }).contains("a pipe"));
    EXPECT_EQ(folder->Node()->Count(), 0);
}

TEST_F(DatabaseFilesTest, LinksPlantedAtTheSavesOwnFilesAreNotFollowed)
{
    WriteBytes(out("victim"), "precious");
    for (const QString &own : {RecordFile::TransactionName, RecordFile::DatabaseName + ".new"})
        ASSERT_TRUE(QFile::link(out("victim"), own));
    const QByteArray saved = Saved(nodes);
    EXPECT_TRUE(saved.contains("}Friends~~"));
    EXPECT_EQ(ReadBytes(out("victim")), QByteArray("precious"));
    EXPECT_FALSE(IsLink(RecordFile::TransactionName));
    EXPECT_EQ(ReadBytes(RecordFile::TransactionName), saved);
    EXPECT_FALSE(QFileInfo::exists(RecordFile::DatabaseName + ".new"));
}

TEST_F(DatabaseFilesTest, SaveKeepsTheLinkAndThePermissionsOfTheDatabase)
{
    const mode_t oldMask = ::umask(022);
    auto restoreMask = qScopeGuard([oldMask] { ::umask(oldMask); });

    // A plain file keeps its mode, wider or narrower than the umask's.
    for (const mode_t mode : {mode_t(0600), mode_t(0664)}) {
        WriteBytes(RecordFile::DatabaseName, "{Params}\r\n");
        ASSERT_EQ(::chmod(QFile::encodeName(RecordFile::DatabaseName).constData(), mode), 0);
        EXPECT_TRUE(Saved(nodes).contains("}Friends~~"));
        EXPECT_EQ(ModeOf(RecordFile::DatabaseName), mode);
        EXPECT_EQ(ModeOf(RecordFile::TransactionName) & ~mode, 0u); // never wider than the database
    }

    // A relative link is saved through: its target gets the records, the link stays.
    QFile::remove(RecordFile::DatabaseName);
    ASSERT_TRUE(QDir(outside.path()).mkdir("kept"));
    WriteBytes(out("kept/real.dat"), "{Params}\r\n");
    ASSERT_EQ(::chmod(QFile::encodeName(out("kept/real.dat")).constData(), 0640), 0);
    const QString relative = QDir(dir.path()).relativeFilePath(out("kept/real.dat"));
    ASSERT_TRUE(QFile::link(relative, RecordFile::DatabaseName));
    const QByteArray saved = Saved(nodes);
    EXPECT_TRUE(IsLink(RecordFile::DatabaseName));
    EXPECT_TRUE(saved.contains("}Friends~~"));
    EXPECT_EQ(ReadBytes(out("kept/real.dat")), saved);
    EXPECT_EQ(ModeOf(out("kept/real.dat")), 0640u);
    EXPECT_EQ(QDir(out("kept")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"real.dat"});

    // A loop of links leads nowhere: nothing is written.
    QFile::remove(RecordFile::DatabaseName);
    ASSERT_TRUE(QFile::link(out("loop"), RecordFile::DatabaseName));
    ASSERT_TRUE(QFile::link(QDir(dir.path()).filePath(RecordFile::DatabaseName), out("loop")));
    QFile::remove(RecordFile::TransactionName);
    EXPECT_FALSE(Thrown([&] { SaveDatabase(nodes); }).isEmpty());
    EXPECT_FALSE(QFileInfo::exists(RecordFile::TransactionName));
    QFile::remove(out("loop"));

    // A link whose target is not there yet makes it.
    QFile::remove(RecordFile::DatabaseName);
    ASSERT_TRUE(QFile::link(out("kept/later.dat"), RecordFile::DatabaseName));
    SaveDatabase(nodes);
    EXPECT_TRUE(IsLink(RecordFile::DatabaseName));
    EXPECT_EQ(ReadBytes(out("kept/later.dat")), saved);
}

TEST_F(DatabaseFilesTest, AFailedSaveAfterAGoodOneLeavesTheDatabaseAsTheGoodOneWroteIt)
{
    // Whatever step of the next save fails, the database keeps the last good save.
    const QByteArray good = Saved(nodes);
    ASSERT_TRUE(good.contains("}Friends~~"));
    add(ItemKind::Folder, "Neighbours", root);
    for (const auto step : {RecordFile::SaveStep::WriteRecords, RecordFile::SaveStep::CopyDatabase,
                            RecordFile::SaveStep::ReplaceDatabase}) {
        nodes.Context().SetSaveFaultHook([step](RecordFile::SaveStep at) { return at == step; });
        EXPECT_THROW(SaveDatabase(nodes), ESaveError);
        EXPECT_EQ(ReadBytes(RecordFile::DatabaseName), good);
    }
    nodes.Context().SetSaveFaultHook({});
    const QByteArray next = Saved(nodes);
    EXPECT_TRUE(next.contains("}Neighbours~~"));
    EXPECT_EQ(ReadBytes(RecordFile::TransactionName), next); // the transaction file stays
}

TEST_F(DatabaseFilesTest, ADatabaseLinkedOntoAnotherFileSystemIsSavedThroughTheLink)
{
    QTemporaryDir elsewhere(QStringLiteral("/dev/shm/mirabook-test-XXXXXX"));
    if (!elsewhere.isValid())
        GTEST_SKIP() << "no /dev/shm here";
    const QString target = elsewhere.filePath("mira.dat");
    WriteBytes(target, "{Params}\r\n");
    ASSERT_TRUE(QFile::link(target, RecordFile::DatabaseName));
    const QByteArray saved = Saved(nodes);
    EXPECT_TRUE(saved.contains("}Friends~~"));
    EXPECT_TRUE(IsLink(RecordFile::DatabaseName));
    EXPECT_EQ(ReadBytes(target), ReadBytes(RecordFile::TransactionName));
    EXPECT_EQ(QDir(elsewhere.path()).entryList(QDir::Files), QStringList{"mira.dat"});
}

TEST_F(DatabaseFilesTest, ReadOnlyDatabaseIsNeverWritten)
{
    const QByteArray before = CrLf({"{Params}", "{1 0 }Old~~~~~~1", "{Fold}0"});
    WriteBytes(out("real.dat"), before);
    ASSERT_TRUE(QFile::link(out("real.dat"), RecordFile::DatabaseName));
    // The mode is the user's word, whoever runs the program (root could write anyway).
    for (const QString &name : {out("real.dat"), RecordFile::DatabaseName}) {
        SCOPED_TRACE(name.toStdString());
        if (name == RecordFile::DatabaseName) {
            QFile::remove(name);
            WriteBytes(name, before);
        }
        ASSERT_EQ(::chmod(QFile::encodeName(name).constData(), 0444), 0);
        const QString error = Thrown([&] { SaveDatabase(nodes); });
        EXPECT_TRUE(error.contains("read-only")) << error.toStdString();
        EXPECT_EQ(ReadBytes(name), before);
        EXPECT_EQ(ModeOf(name), 0444u);
        EXPECT_FALSE(QFileInfo::exists(RecordFile::TransactionName));
    }
}
