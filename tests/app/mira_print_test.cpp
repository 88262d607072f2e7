#include <gtest/gtest.h>

#include "support/filebytes.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

// "mira print" end to end: the PDF it writes read back with poppler's pdfinfo and
// pdftotext -bbox, which report where each word starts in points from the page's top left.

namespace {

constexpr double kPointsPerUnit = 0.72; // a hundredth of an inch
constexpr double kTolerance = 0.72;     // 0.01 inch

// A folder of 31 persons, each with a primary address; another folder with a person filed
// without a last name.
QByteArray database()
{
    QByteArrayList lines = {"{Params}", "{0 11 }My Contacts~~~~~~1", "{1 0 }Cards~~~~~~2", "{Fold}0"};
    for (int i = 1; i <= 31; ++i) {
        const QByteArray n = QByteArray::number(i).rightJustified(2, '0');
        lines << "{2 3 }P" + n + " Person~~ P" + n + " Person~~~~" + QByteArray::number(100 + 2 * i)
              << "{Pers}~~P" + n + "~~~~Person~~Home~~~~~~~~~~0"
              << "{3 5 }Home~~" + n + " Main St~~~~" + QByteArray::number(101 + 2 * i)
              << "{Addr}" + n + " Main St~~~~~~Springfield~~IL~~62704~~USA~~0";
    }
    lines << "{1 0 }Book~~~~~~300" << "{Fold}0"
          << "{2 3 }Zed Zorn~~ Zed Zorn~~~~301" << "{Pers}~~Zed~~~~Zorn~~~~~~~~~~~~0"
          << "{2 3 }Ann Adams~~ Ann Adams~~~~302" << "{Pers}~~Ann~~~~adams~~~~~~~~~~~~0"
          << "{2 3 }Cher~~ Cher~~~~303" << "{Pers}~~Cher~~~~~~~~~~~~~~~~0";
    QByteArray bytes;
    for (const QByteArray &line : lines)
        bytes += line + "\r\n";
    return bytes;
}

struct Word
{
    int page;
    double x, y;
    QString text;
};

class MiraPrintTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(home.isValid() && out.isValid());
        WriteBytes(home.filePath("mira.dat"), database());
    }

    struct Run
    {
        int code = -1;
        QString out, err;
    };
    Run run(const QString &program, const QStringList &args)
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("QT_QPA_PLATFORM"); // the tool needs no display of its own
        env.remove("DISPLAY");
        p.setProcessEnvironment(env);
        p.start(program, args);
        if (!p.waitForFinished(60000))
            return {};
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
    }
    Run mira(const QStringList &args) { return run(MIRA_CLI, QStringList{"--home", home.path(), "print"} + args); }
    QString pdf(const QString &name) { return out.filePath(name); }
    // Prints and checks it worked.
    void print(const QStringList &args)
    {
        const Run r = mira(args);
        ASSERT_EQ(r.code, 0) << r.err.toStdString();
    }
    QString info(const QString &file)
    {
        const Run r = run("pdfinfo", {file});
        EXPECT_EQ(r.code, 0) << "pdfinfo (poppler-utils, scripts/setup-deps): " << r.err.toStdString();
        return r.out;
    }
    std::vector<Word> words(const QString &file)
    {
        const Run r = run("pdftotext", {"-bbox", file, "-"});
        EXPECT_EQ(r.code, 0) << r.err.toStdString();
        std::vector<Word> all;
        int page = -1;
        static const QRegularExpression tag(
            R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="[\d.]+" yMax="[\d.]+">([^<]*)</word>)re");
        for (auto it = tag.globalMatch(r.out); it.hasNext();) {
            const auto m = it.next();
            if (m.captured(0) == "<page ")
                ++page;
            else
                all.push_back({page, m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3)});
        }
        return all;
    }
    static const Word *find(const std::vector<Word> &all, const QString &text)
    {
        for (const Word &w : all)
            if (w.text == text)
                return &w;
        return nullptr;
    }

    QTemporaryDir home;
    QTemporaryDir out;
};

QString pages(int n) { return QStringLiteral("Pages:           %1\n").arg(n); }

} // namespace

TEST_F(MiraPrintTest, LabelTextStartsAtItsLabelOnThePaper)
{
    print({"labels", "Cards", "--pdf", pdf("labels.pdf"), "--label", "Avery 5160-Address"});
    const QString about = info(pdf("labels.pdf"));
    EXPECT_TRUE(about.contains("612 x 792 pts (letter)")) << about.toStdString();
    EXPECT_TRUE(about.contains(pages(2))) << about.toStdString();
    const std::vector<Word> all = words(pdf("labels.pdf"));
    // Label n (from 0) of a sheet: side + column × pitch across, top + row × pitch down,
    // and the text 0.05 inch inside.
    for (int n : {0, 1, 2, 3, 16, 29, 30}) {
        SCOPED_TRACE(n);
        const Word *w = find(all, QStringLiteral("P%1").arg(n + 1, 2, 10, QLatin1Char('0')));
        ASSERT_NE(w, nullptr);
        const int onSheet = n % 30;
        EXPECT_EQ(w->page, n / 30);
        EXPECT_NEAR(w->x, (19 + 275 * (onSheet % 3) + 5) * kPointsPerUnit, kTolerance);
        EXPECT_NEAR(w->y, (50 + 100 * (onSheet / 3) + 5) * kPointsPerUnit, 2 * kTolerance);
    }
    // The address under the name, city and state joined, postal code and country.
    const Word *city = find(all, "Springfield,");
    ASSERT_NE(city, nullptr);
    EXPECT_NEAR(city->x, 24 * kPointsPerUnit, kTolerance);

    print({"labels", "Cards", "--pdf", pdf("tags.pdf"), "--label", "Avery 5095-Name Tag"});
    EXPECT_TRUE(info(pdf("tags.pdf")).contains(pages(4)));
    const Word *tag = find(words(pdf("tags.pdf")), "P02");
    ASSERT_NE(tag, nullptr);
    EXPECT_NEAR(tag->x, (69 + 375 + 5) * kPointsPerUnit, kTolerance);
}

TEST_F(MiraPrintTest, EnvelopeIsItsOwnPaperWithTheDeliveryAddressInPlace)
{
    print({"envelope", "Cards/P07 Person", "--pdf", pdf("env.pdf"), "--return-address", "Kim Sample\\n44 Linden Avenue"});
    const QString about = info(pdf("env.pdf"));
    // 9.5 by 4.12 inches, in whole points.
    EXPECT_TRUE(about.contains("684 x 297 pts")) << about.toStdString();
    EXPECT_TRUE(about.contains(pages(1)));
    const std::vector<Word> all = words(pdf("env.pdf"));
    const Word *name = find(all, "P07");
    ASSERT_NE(name, nullptr);
    EXPECT_NEAR(name->x, 300 * kPointsPerUnit, kTolerance);
    EXPECT_NEAR(name->y, 152 * kPointsPerUnit, 2 * kTolerance);
    const Word *from = find(all, "Kim");
    ASSERT_NE(from, nullptr);
    EXPECT_NEAR(from->x, 50 * kPointsPerUnit, kTolerance);
    EXPECT_NEAR(from->y, 30 * kPointsPerUnit, 2 * kTolerance);

    // The return address comes from ret_addr.dat unless left out.
    WriteBytes(home.filePath("ret_addr.dat"), "Lee Home\r\n1 Elm St\r\n");
    print({"envelope", "Cards/P07 Person", "--pdf", pdf("env2.pdf"), "--envelope", "DL Env (110 x 220 mm)"});
    EXPECT_TRUE(info(pdf("env2.pdf")).contains("634 x 317 pts"));
    EXPECT_NE(find(words(pdf("env2.pdf")), "Lee"), nullptr);
    print({"envelope", "Cards/P07 Person", "--pdf", pdf("env3.pdf"), "--omit-return-address"});
    EXPECT_EQ(find(words(pdf("env3.pdf")), "Lee"), nullptr);
}

TEST_F(MiraPrintTest, ListsAndTheAddressBookReadInOrder)
{
    print({"addressbook", "Book", "--pdf", pdf("book.pdf"), "--columns", "2"});
    const std::vector<Word> book = words(pdf("book.pdf"));
    QStringList texts;
    for (const Word &w : book)
        texts << w.text;
    const QString all = texts.join(' ');
    EXPECT_TRUE(all.startsWith("A adams, Ann C Cher Z Zorn, Zed")) << all.toStdString();

    print({"listing", "Cards", "--pdf", pdf("list.pdf"), "--title", "Holiday Cards", "--landscape"});
    const QString about = info(pdf("list.pdf"));
    EXPECT_TRUE(about.contains("792 x 612 pts")) << about.toStdString();
    EXPECT_TRUE(about.contains("Title:           Holiday Cards"));
    const std::vector<Word> list = words(pdf("list.pdf"));
    EXPECT_NE(find(list, "Holiday"), nullptr);
    EXPECT_NE(find(list, "My"), nullptr); // Source: My Contacts/Cards
    EXPECT_NE(find(list, "P31"), nullptr);

    print({"simple", "Book", "--pdf", pdf("simple.pdf")});
    EXPECT_NE(find(words(pdf("simple.pdf")), "Cher"), nullptr);
    print({"reminders", "Book", "--pdf", pdf("rem.pdf"), "--from", "2026-01-01", "--to", "2026-12-31"});
    EXPECT_NE(find(words(pdf("rem.pdf")), "Reminder"), nullptr);
}

TEST_F(MiraPrintTest, MissingOrUnknownValuesAreRefusedClearly)
{
    struct Case
    {
        QStringList args;
        const char *says;
    } cases[] = {
        {{"labels", "Cards", "--pdf", pdf("x.pdf"), "--label"}, "--label needs a value"},
        {{"labels", "Cards", "--pdf", pdf("x.pdf"), "--label", "Avery 1"}, "unknown label sheet \"Avery 1\""},
        {{"envelope", "Cards", "--pdf", pdf("x.pdf"), "--envelope", "#9"}, "unknown envelope size \"#9\""},
        {{"addressbook", "Cards", "--pdf", pdf("x.pdf"), "--columns", "5"}, "--columns takes 1 to 4"},
        {{"listing", "Cards", "--pdf", pdf("x.pdf"), "--top", "-1"}, "--top takes inches"},
        {{"listing", "Cards", "--pdf", pdf("x.pdf"), "--label", "Avery 5160-Address"}, "--label does not go with"},
        {{"poster", "Cards", "--pdf", pdf("x.pdf")}, "unknown report \"poster\""},
        {{"listing", "Cards"}, "usage: mira print"},
        {{"listing", "Cards", "--pdf"}, "--pdf needs a file name"},
        {{"listing", "Nowhere", "--pdf", pdf("x.pdf")}, "\"Nowhere\" names no container"},
        {{"listing", "Cards", "--pdf", pdf("x.txt")}, "a PDF file is named *.pdf"},
        {{"reminders", "Cards", "--pdf", pdf("x.pdf"), "--from", "tomorrow"}, "--from takes a date"},
    };
    for (const Case &c : cases) {
        const Run r = mira(c.args);
        EXPECT_EQ(r.code, 2) << c.args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains(c.says)) << r.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(pdf("x.pdf")));
}
