#include <gtest/gtest.h>

#include "support/filebytes.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

namespace {

// The tool run on a data directory of its own, with files beside it.
class MiraImportTest : public ::testing::Test
{
protected:
    struct Result { int code; QString out, err; };
    Result mira(const QStringList &args)
    {
        QProcess p;
        p.setWorkingDirectory(files.path());
        p.start(QStringLiteral(MIRA_CLI), QStringList{"--home", home.path()} + args);
        p.waitForFinished(60000);
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
    }
    void write(const QString &name, const QByteArray &bytes) { WriteBytes(files.filePath(name), bytes); }
    QTemporaryDir home;
    QTemporaryDir files;
};

TEST_F(MiraImportTest, EachSourceImportsThroughTheSameCodeAsTheWizard)
{
    write("book.csv", "\xEF\xBB\xBF\"First Name\",\"Last Name\",\"Phone Number\"\r\nKim,Park,555-1\r\n");
    EXPECT_EQ(mira({"import", "book.csv"}).out, "imported 1 items into My Contacts\n");
    write("people.txt", "Berg\tJoakim, Jr.\r\n");
    const Result tab = mira({"import", "people.txt", "--as", "tab", "--columns", "Last Name,First Name"});
    EXPECT_EQ(tab.code, 0) << tab.err.toStdString();
    write("bm.html", "<TITLE>Links</TITLE><DL><DT><H3>Sub</H3><DL><DT><A HREF=\"http://a.example/\">A</A></DL></DL>");
    EXPECT_EQ(mira({"import", "bm.html"}).out, "imported 1 items into My Contacts\n");
    write("book.ldif", "dn: cn=Ann Lee\r\nobjectclass: person\r\ncn: Ann Lee\r\nmail: ann@x.org\r\n");
    EXPECT_EQ(mira({"import", "book.ldif", "--as", "ldif"}).code, 0);
    QDir(files.path()).mkpath("Favs");
    write("Favs/x.url", "[InternetShortcut]\nURL=http://x.example/\n");
    EXPECT_EQ(mira({"import", "Favs"}).out, "imported 1 items into My Contacts\n");

    const QString listing = mira({"list"}).out;
    for (const char *expected : {"Favs", "Links", "Ann Lee", "Joakim, Jr. Berg", "Kim Park"})
        EXPECT_TRUE(listing.contains(expected)) << expected << " in " << listing.toStdString();
    EXPECT_EQ(mira({"export", "My Contacts", "--ldif", "out.ldif"}).out, "exported 3 entries\n");
    EXPECT_TRUE(ReadBytes(files.filePath("out.ldif")).contains("dn: cn=Ann Lee,mail=ann@x.org\r\n"));
}

TEST_F(MiraImportTest, BadInputIsRefusedBeforeTheDatabaseIsTouched)
{
    write("junk.csv", QByteArray("a,b\r\n\0\0\0", 8));
    Result r = mira({"import", "junk.csv"});
    EXPECT_EQ(r.code, 2);
    EXPECT_TRUE(r.err.contains("is not a text file")) << r.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(home.filePath("mira.dat")));
    write("names.csv", "Kim,Park\r\n");
    r = mira({"import", "names.csv", "--no-header", "--header"});
    EXPECT_EQ(r.code, 2);
    r = mira({"import", "names.csv", "--as", "smoke"});
    EXPECT_TRUE(r.err.contains("unknown source \"smoke\"")) << r.err.toStdString();
    r = mira({"import", "names.csv", "--columns", "Shoe Size"});
    EXPECT_TRUE(r.err.contains("unknown column \"Shoe Size\"")) << r.err.toStdString();
    // A record without a name makes nothing, and a file of only such records is refused.
    r = mira({"import", "names.csv", "--columns", "Title"});
    EXPECT_EQ(r.code, 2);
    EXPECT_TRUE(r.err.contains("0 items were imported; 1 record made no item (line 1)")) << r.err.toStdString();
    write("tail.csv", "Kim,Park\r\n\"Ann,Lee\r\n");
    r = mira({"import", "tail.csv", "--columns", "First Name,Last Name"});
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(r.err.contains("warning: tail.csv: 1 item was imported; the record at line 2 opens a quote")) << r.err.toStdString();
}

} // namespace
