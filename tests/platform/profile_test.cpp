#include "platform/profile.h"
#include "support/filebytes.h"

#include <QTemporaryDir>
#include <sys/stat.h>
#include <gtest/gtest.h>

namespace {

class ProfileTest : public ::testing::Test
{
protected:
    QString path() const { return dir.filePath("zeb.ini"); }
    void writeBytes(const QByteArray &bytes) const { WriteBytes(path(), bytes); }
    QByteArray bytes() const { return ReadBytes(path()); }
    QTemporaryDir dir;
};

} // namespace

TEST_F(ProfileTest, MissingFileGivesTheCallersDefaults)
{
    Profile p(path());
    EXPECT_EQ(p.readString("Browser", "DDE", "IExplore"), "IExplore");
    EXPECT_EQ(p.readInteger("Settings", "CallerHistory", 50), 50);
    EXPECT_TRUE(p.readBool("Settings", "CallerId", true));
    EXPECT_TRUE(p.save()); // nothing to write, and nothing is created
    EXPECT_FALSE(QFile::exists(path()));
}

TEST_F(ProfileTest, ReadsCaseInsensitivelyAndRaw)
{
    writeBytes("; comment\r\n[Browser]\r\nDDE = NETSCAPE \r\nPath=\r\n[tools]\r\nTool0=\"My, tool\",/bin/x,,1\r\n"
               "[S]\nhex=0x1F\nHEX2=0X10\nneg=-5\njunk=12abc\nword=abc\nempty=\ntwo=2\nzero=0\nbig=4294967295\n");
    Profile p(path());
    EXPECT_EQ(p.readString("BROWSER", "dde"), "NETSCAPE");
    EXPECT_EQ(p.readString("Tools", "TOOL0"), "\"My, tool\",/bin/x,,1");
    // A present but empty value is the empty text, not the default.
    EXPECT_EQ(p.readString("Browser", "Path", "default"), "");
    EXPECT_TRUE(p.hasKey("browser", "PATH"));
    EXPECT_FALSE(p.hasKey("Browser", "; comment"));

    // Integers and booleans.
    QList<int> got;
    for (const char *key : {"hex", "hex2", "neg", "junk", "word", "empty", "big"})
        got << p.readInteger("S", key, 7);
    EXPECT_EQ(got, QList<int>({31, 16, -5, 12, 0, 7, -1}));
    EXPECT_TRUE(p.readBool("S", "two", false));
    EXPECT_FALSE(p.readBool("S", "zero", true));
    EXPECT_FALSE(p.readBool("S", "word", true));
}

TEST_F(ProfileTest, LongValuesAreCutAt1023WhenRead)
{
    {
        Profile p(path());
        ASSERT_TRUE(p.writeString("S", "long", QString(1500, u'x')));
        ASSERT_TRUE(p.writeString("S", "exact", QString(1023, u'y')));
        ASSERT_TRUE(p.save());
    }
    Profile p(path());
    EXPECT_EQ(p.readString("S", "long").size(), 1023);
    EXPECT_EQ(p.readString("S", "exact").size(), 1023);
    EXPECT_EQ(p.readRawString("S", "long").size(), 1500);
}

TEST_F(ProfileTest, WritesKeepOtherSectionsKeysOrderAndComments)
{
    writeBytes("[WinState]\nNorm_Left=10\n; keep me\nNorm_Top=20\n\n[Browser]\nDDE=IExplore\n");
    Profile p(path());
    ASSERT_TRUE(p.writeInteger("winstate", "norm_left", 99));
    ASSERT_TRUE(p.writeString("WinState", "Norm_Width", "640"));
    ASSERT_TRUE(p.writeBool("Settings", "CallerId", true));
    ASSERT_TRUE(p.save());
    EXPECT_EQ(bytes(), "[WinState]\r\nNorm_Left=99\r\n; keep me\r\nNorm_Top=20\r\nNorm_Width=640\r\n\r\n"
                       "[Browser]\r\nDDE=IExplore\r\n[Settings]\r\nCallerId=1\r\n");
    Profile again(path());
    EXPECT_EQ(again.sectionKeys("WINSTATE"), QStringList({"Norm_Left", "Norm_Top", "Norm_Width"}));
    EXPECT_EQ(again.readInteger("WinState", "Norm_Left", 0), 99);
}

TEST_F(ProfileTest, ARepeatedSectionIsReadAsOneAndSavedOnce)
{
    writeBytes("[Settings]\r\nCallerId=1\r\n[Browser]\r\nDDE=IExplore\r\n[settings]\r\nINetMail=2\r\n");
    Profile p(path());
    EXPECT_EQ(p.readInteger("Settings", "INetMail", 0), 2);
    EXPECT_EQ(p.sectionKeys("Settings"), QStringList({"CallerId", "INetMail"}));
    ASSERT_TRUE(p.writeInteger("Settings", "INetMail", 3));
    ASSERT_TRUE(p.save());
    EXPECT_EQ(bytes(), "[Settings]\r\nCallerId=1\r\nINetMail=3\r\n[Browser]\r\nDDE=IExplore\r\n");
}

TEST_F(ProfileTest, EraseSectionDeleteKeyAndEnsureSection)
{
    writeBytes("[Tools]\r\nTool0=a,b,,1\r\nTool7=c,d,,0\r\n[S]\r\na=1\r\nb=2\r\n");
    Profile p(path());
    ASSERT_TRUE(p.eraseSection("TOOLS"));
    ASSERT_TRUE(p.writeString("Tools", "Tool0", "c,d,,0"));
    ASSERT_TRUE(p.deleteKey("s", "A"));
    ASSERT_TRUE(p.ensureSection("Empty"));
    ASSERT_TRUE(p.save());
    EXPECT_EQ(bytes(), "[S]\r\nb=2\r\n[Tools]\r\nTool0=c,d,,0\r\n[Empty]\r\n");
}

TEST_F(ProfileTest, ReadsLfAndWindows1252AndWritesUtf8)
{
    writeBytes("[Categories]\nCat1=Caf\xE9\nCat2=\x80uro\n");
    Profile p(path());
    EXPECT_EQ(p.readString("Categories", "Cat1"), QString::fromUtf8("Caf\u00e9"));
    EXPECT_EQ(p.readString("Categories", "Cat2"), QString::fromUtf8("\u20acuro"));
    ASSERT_TRUE(p.writeString("Categories", "Cat3", QString::fromUtf8("\u00c5se")));
    ASSERT_TRUE(p.save());
    EXPECT_EQ(bytes(), QString::fromUtf8("[Categories]\r\nCat1=Caf\u00e9\r\nCat2=\u20acuro\r\nCat3=\u00c5se\r\n").toUtf8());
}

TEST_F(ProfileTest, SaveMergesAnotherWritersChangesAndTheDestructorSaves)
{
    {
        Profile longLived(path());
        {
            Profile options(path());
            ASSERT_TRUE(options.writeString("Browser", "DDE", "Mosaic"));
            ASSERT_TRUE(options.save());
        }
        ASSERT_TRUE(longLived.writeInteger("WinState", "Norm_Split", 150));
        ASSERT_TRUE(longLived.save());
        ASSERT_TRUE(longLived.writeString("Settings", "INetMail", "2")); // written when it goes
    }
    Profile p(path());
    EXPECT_EQ(p.readString("Browser", "DDE"), "Mosaic");
    EXPECT_EQ(p.readInteger("WinState", "Norm_Split", 0), 150);
    EXPECT_EQ(p.readInteger("Settings", "INetMail", 0), 2);
}

TEST_F(ProfileTest, RefusesWhatTheFormatCannotHoldOrTheDiskCannotTake)
{
    writeBytes("[S]\r\nk=v\r\n");
    Profile p(path());
    EXPECT_FALSE(p.writeString("S", "k", "two\nlines"));
    EXPECT_FALSE(p.errorString().isEmpty());
    for (const char *key : {"a=b", "", "[x]"})
        EXPECT_FALSE(p.writeString("S", key, "v")) << key;
    EXPECT_FALSE(p.writeString("bad]name", "k", "v"));
    EXPECT_FALSE(p.hasPendingChanges());
    EXPECT_EQ(p.readString("S", "k"), "v");

    // A file far too large for settings, or a pipe where the file belongs, is not read
    // (without waiting on the pipe) and never replaced.
    const QByteArray huge = "[S]\r\nk=v\r\n" + QByteArray(Profile::MaxFileSize, ';');
    writeBytes(huge);
    Profile big(path());
    EXPECT_EQ(big.readString("S", "k", "default"), "default");
    EXPECT_TRUE(big.errorString().contains("larger than 16 MB")) << qPrintable(big.errorString());
    ASSERT_TRUE(big.writeString("S", "k", "w"));
    EXPECT_FALSE(big.save());
    EXPECT_EQ(bytes().size(), huge.size());
    const QString pipe = dir.filePath("pipe.ini");
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    Profile piped(pipe);
    EXPECT_FALSE(piped.errorString().isEmpty());
    EXPECT_FALSE(piped.writeString("S", "k", "w") && piped.save());

    // A write failure is reported and keeps the changes pending.
    Profile q(path() + "/zeb.ini"); // below a file
    ASSERT_TRUE(q.writeString("S", "k", "w"));
    EXPECT_FALSE(q.save());
    EXPECT_FALSE(q.errorString().isEmpty());
    EXPECT_TRUE(q.hasPendingChanges());
    EXPECT_EQ(q.readString("S", "k"), "w");
}
