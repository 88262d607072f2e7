// An install into a staging directory, looked at as the desktop, the software centre,
// man and the programs themselves see it.
#include "installtree.h"
#include "support/envguard.h"
#include "support/filebytes.h"
#include "ui/helptopics.h"

#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

#include <memory>

namespace {

// Not the build's own prefix, so a rule that ignores the prefix shows.
const QString kPrefix = QStringLiteral("/opt/mirabook-stage");

// "Key=Value" lines of the desktop entry's main group.
QMap<QString, QString> DesktopKeys(const QByteArray &entry)
{
    QMap<QString, QString> keys;
    for (const QByteArray &line : entry.split('\n')) {
        const qsizetype eq = line.indexOf('=');
        if (eq > 0 && !line.startsWith('#'))
            keys.insert(QString::fromUtf8(line.left(eq)), QString::fromUtf8(line.mid(eq + 1)));
    }
    return keys;
}

// The texts of every element with that name, in document order.
QStringList ElementTexts(const QByteArray &xml, const QString &name, const QString &attribute = QString())
{
    QStringList texts;
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.name() == name)
            texts << (attribute.isEmpty() ? reader.readElementText(QXmlStreamReader::IncludeChildElements)
                                          : reader.attributes().value(attribute).toString());
    }
    EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
    return texts;
}

class StageTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        stage = std::make_unique<QTemporaryDir>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DESTDIR", stage->path());
        install = RunTool(CMAKE_COMMAND, {"--install", MIRABOOK_BUILD_DIR, "--prefix", kPrefix}, env);
    }
    static void TearDownTestSuite() { stage.reset(); }

    void SetUp() override { ASSERT_EQ(install.code, 0) << install.out.constData() << install.err.constData(); }

    static QString prefix(const QString &file = QString()) { return stage->path() + kPrefix + "/" + file; }

    static inline std::unique_ptr<QTemporaryDir> stage;
    static inline ToolRun install;
};

} // namespace

TEST_F(StageTest, EverythingLandsBelowThePrefixWhereTheDesktopLooks)
{
    EXPECT_EQ(FilesBelow(stage->path()), ExpectedFiles().replaceInStrings(QRegularExpression("^"), kPrefix.mid(1) + "/"));
    for (const QString &file : ExpectedFiles())
        EXPECT_EQ(QFileInfo(prefix(file)).isExecutable(), file.startsWith("bin/") || file.startsWith("libexec/"))
            << file.toStdString();
}

TEST_F(StageTest, DesktopEntryAndMetainfoValidateAndAgree)
{
    const QString entryFile = prefix("share/applications/" + AppId + ".desktop");
    const ToolRun entryCheck = RunTool("desktop-file-validate", {entryFile});
    EXPECT_EQ(entryCheck.code, 0);
    EXPECT_TRUE((entryCheck.out + entryCheck.err).isEmpty()) << entryCheck.out.constData() << entryCheck.err.constData();
    const auto keys = DesktopKeys(ReadBytes(entryFile));
    EXPECT_EQ(keys.value("Exec"), "mirabook %F");
    EXPECT_EQ(keys.value("Icon"), AppId);
    EXPECT_TRUE(keys.value("Categories").split(';').contains("ContactManagement"));

    const QString metainfoFile = prefix("share/metainfo/" + AppId + ".metainfo.xml");
    const ToolRun metainfoCheck = RunTool("appstreamcli", {"validate", "--no-net", metainfoFile});
    EXPECT_EQ(metainfoCheck.code, 0) << metainfoCheck.out.constData() << metainfoCheck.err.constData();
    const QByteArray metainfo = ReadBytes(metainfoFile);
    EXPECT_EQ(ElementTexts(metainfo, "id"), QStringList{AppId});
    EXPECT_EQ(ElementTexts(metainfo, "launchable"), QStringList{AppId + ".desktop"});
    // The newest release written up is this one.
    EXPECT_EQ(ElementTexts(metainfo, "release", "version").value(0), MIRABOOK_VERSION);
    for (const QString &binary : ElementTexts(metainfo, "binary"))
        EXPECT_TRUE(QFileInfo(prefix("bin/" + binary)).isExecutable()) << binary.toStdString();

    // Every type the entry opens is one the shared database knows once the package's
    // type is added to it, and the exported database files are that type.
    QTemporaryDir data;
    const QDir mime(data.filePath("mime"));
    ASSERT_TRUE(mime.mkpath("packages"));
    ASSERT_TRUE(QFile::copy(prefix("share/mime/packages/" + AppId + ".xml"), mime.filePath("packages/" + AppId + ".xml")));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_DATA_DIRS", data.path());
    const ToolRun mimeCheck = RunTool("update-mime-database", {mime.path()}, env);
    EXPECT_EQ(mimeCheck.code, 0);
    EXPECT_TRUE(mimeCheck.err.isEmpty()) << mimeCheck.err.constData();
    const QByteArray globs = ReadBytes(mime.filePath("globs2"));
    for (const QString &type : keys.value("MimeType").split(';', Qt::SkipEmptyParts))
        EXPECT_TRUE(QFileInfo::exists(mime.filePath(type + ".xml"))) << type.toStdString();
    EXPECT_TRUE(globs.contains(":application/x-mirabook-database:*.mbd:cs")) << globs.constData();
    EXPECT_EQ(ElementTexts(metainfo, "mediatype"), keys.value("MimeType").split(';', Qt::SkipEmptyParts));
}

TEST_F(StageTest, TheBusStartsTheInstalledProgramInTheTray)
{
    const QByteArray service = ReadBytes(prefix("share/dbus-1/services/MiRa.Application.service"));
    const auto keys = DesktopKeys(service);
    EXPECT_TRUE(service.startsWith("[D-BUS Service]\n"));
    EXPECT_EQ(keys.value("Name"), "MiRa.Application");
    // The installed program in full, at the prefix of this install (not the build's).
    EXPECT_EQ(keys.value("Exec"), kPrefix + "/bin/mirabook HIDEWIN");
}

TEST_F(StageTest, IconsHaveTheSizeOfTheirFolder)
{
    for (int size : IconSizes) {
        const QString file = prefix(QStringLiteral("share/icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(AppId));
        const QImage icon(file);
        EXPECT_EQ(icon.size(), QSize(size, size)) << file.toStdString();
        // A picture on a clear ground: corners see through, the middle does not.
        EXPECT_EQ(qAlpha(icon.pixel(0, icon.height() - 1)), 0) << size;
        EXPECT_EQ(qAlpha(icon.pixel(size / 2, size / 2)), 255) << size;
    }
    const QByteArray svg = ReadBytes(prefix("share/icons/hicolor/scalable/apps/" + AppId + ".svg"));
    EXPECT_EQ(ElementTexts(svg, "svg", "viewBox"), QStringList{"0 0 128 128"});
}

TEST_F(StageTest, ManualPagesRenderCleanlyAndCoverTheCommands)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LC_ALL", "C.UTF-8");
    env.insert("MANWIDTH", "200");
    auto render = [&](const QString &page) {
        const ToolRun r = RunTool("man", {"--warnings", "--nh", "--nj", "-P", "cat", "-l", prefix("share/man/man1/" + page)}, env);
        EXPECT_EQ(r.code, 0) << page.toStdString();
        EXPECT_TRUE(r.err.isEmpty()) << page.toStdString() << ": " << r.err.constData();
        // man writes some minus signs and quotes as typographic characters.
        return QString::fromUtf8(r.out).replace(QChar(0x2212), '-').replace(QChar(0x2010), '-');
    };
    const QString mira = render("mira.1.gz");
    const QString mirabook = render("mirabook.1.gz");
    for (const QString &page : {mira, mirabook})
        EXPECT_TRUE(page.contains("Mirabook " MIRABOOK_VERSION)) << page.left(400).toStdString();

    // Each command the tool's own help names has its entry in the manual, and each option is there.
    const ToolRun help = RunTool(prefix("bin/mira"), {"--help"});
    ASSERT_EQ(help.code, 0);
    const QString helpText = QString::fromUtf8(help.out);
    int commands = 0;
    for (const auto &command : QRegularExpression("^  ([a-z]+) ", QRegularExpression::MultilineOption).globalMatch(helpText)) {
        ++commands;
        EXPECT_TRUE(mira.contains(QRegularExpression("\\n {7}" + command.captured(1) + "\\b"))) << command.captured(1).toStdString();
    }
    EXPECT_GE(commands, 5);
    for (const auto &option : QRegularExpression("--[a-z-]+").globalMatch(helpText))
        EXPECT_TRUE(mira.contains(option.captured())) << option.captured().toStdString();
    for (const char *word : {"HIDEWIN", "--help", "--version"})
        EXPECT_TRUE(mirabook.contains(word)) << word;
}

TEST_F(StageTest, InstalledProgramsRunAndFindTheInstalledHelp)
{
    // Help pages are found through the standard data directories, not the sources.
    QTemporaryDir userData;
    {
        EnvGuard home("XDG_DATA_HOME", userData.path().toUtf8());
        EnvGuard dirs("XDG_DATA_DIRS", prefix("share").toUtf8());
        EXPECT_EQ(HelpTopics::HelpDir(), QDir::cleanPath(prefix("share/mirabook/help")));
        for (int topic : {0, 1003, 1039, 1040})
            EXPECT_TRUE(QFileInfo::exists(HelpTopics::UrlForTopic(topic).toLocalFile())) << topic;
    }

    for (const QByteArray program : {"mira", "mirabook"}) {
        const ToolRun version = RunTool(prefix("bin/" + program), {"--version"});
        EXPECT_EQ(version.code, 0);
        EXPECT_EQ(version.out, program + " (Mirabook) " MIRABOOK_VERSION "\n");
    }
}
