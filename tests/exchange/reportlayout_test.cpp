#include "exchange/report/reportlayout.h"
#include "exchange/report/reportrows.h"
#include "support/fixedmeasure.h"

#include <gtest/gtest.h>

namespace {

const FixedMeasure kMeasure;

ReportOptions labelsOf(const char *sheet)
{
    ReportOptions options;
    options.type = ReportType::Labels;
    options.label = LabelSettings::From(*LabelSheetNamed(QLatin1String(sheet)));
    return options;
}

bool inside(const QRectF &inner, const QRectF &outer)
{
    return inner.left() >= outer.left() - 1e-9 && inner.top() >= outer.top() - 1e-9 &&
           inner.right() <= outer.right() + 1e-9 && inner.bottom() <= outer.bottom() + 1e-9;
}

std::vector<const ReportText *> textsNamed(const ReportPage &page, const QString &text)
{
    std::vector<const ReportText *> found;
    for (const ReportText &t : page.texts)
        if (t.text == text)
            found.push_back(&t);
    return found;
}

} // namespace

TEST(LabelLayoutTest, SheetsListTheirSettingsInOrder)
{
    ASSERT_EQ(LabelSheets().size(), 18u);
    EXPECT_STREQ(LabelSheets().front().Name, "Avery 5095-Name Tag");
    EXPECT_STREQ(LabelSheets().back().Name, "Avery 5664-Shipping");
    const LabelSettings s = LabelSettings::From(*LabelSheetNamed("Avery 5160-Address"));
    EXPECT_EQ((std::vector<int>{s.Top, s.Side, s.Height, s.Width, s.HPitch, s.VPitch, s.Across}),
              (std::vector<int>{50, 19, 100, 263, 275, 100, 3}));
    EXPECT_EQ(LabelSheetNamed("Avery 9999"), nullptr);
    EXPECT_EQ(EnvelopeSizeNamed("#10 Env (4.125 x 9.5 in)")->Length, 950);
}

TEST(LabelLayoutTest, LabelsSitAtSidePlusPitchFromThePaperEdge)
{
    const QSizeF letter(850, 1100);
    struct Case
    {
        const char *sheet;
        size_t perSheet;
        QRectF second, last;
    } cases[] = {
        {"Avery 5160-Address", 30, {294, 50, 263, 100}, {569, 950, 263, 100}},
        {"Avery 5095-Name Tag", 8, {444, 58, 338, 233}, {444, 808, 338, 233}},
        {"Avery 5660-Address", 30, {283, 50, 283, 100}, {566, 950, 283, 100}},
        {"Avery 5389-Post Card", 2, {175, 550, 600, 400}, {175, 550, 600, 400}},
        {"Avery 5162-Address", 14, {435, 83, 400, 133}, {435, 881, 400, 133}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.sheet);
        const LabelSettings label = labelsOf(c.sheet).label;
        const std::vector<QRectF> cells = LabelCells(label, letter);
        ASSERT_EQ(cells.size(), c.perSheet);
        EXPECT_EQ(cells.front(), QRectF(label.Side, label.Top, label.Width, label.Height));
        EXPECT_EQ(cells[1], c.second);
        EXPECT_EQ(cells.back(), c.last);
        for (const QRectF &cell : cells)
            EXPECT_TRUE(inside(cell, QRectF(QPointF(0, 0), letter)));
    }
}

TEST(LabelLayoutTest, LabelsFillAcrossThenDownThenTheNextSheet)
{
    std::vector<QStringList> labels;
    for (int i = 0; i < 31; ++i)
        labels.push_back({QStringLiteral("Name %1").arg(i), QStringLiteral("1 Main St")});
    const ReportDocument doc = LayoutLabels(labels, labelsOf("Avery 5160-Address"), kMeasure);
    ASSERT_EQ(doc.pages.size(), 2u);
    EXPECT_EQ(doc.paper, QSizeF(850, 1100));
    // The text starts 0.05 inch inside its label.
    const auto at = [&](size_t page, int i) { return textsNamed(doc.pages[page], QStringLiteral("Name %1").arg(i)); };
    ASSERT_EQ(at(0, 0).size(), 1u);
    EXPECT_EQ(at(0, 0)[0]->box.topLeft(), QPointF(24, 55));
    EXPECT_EQ(at(0, 2)[0]->box.topLeft(), QPointF(574, 55));
    EXPECT_EQ(at(0, 4)[0]->box.topLeft(), QPointF(299, 155));
    EXPECT_EQ(at(0, 29)[0]->box.topLeft(), QPointF(574, 955));
    EXPECT_EQ(at(1, 30)[0]->box.topLeft(), QPointF(24, 55));
    EXPECT_TRUE(at(1, 29).empty());
}

TEST(LabelLayoutTest, TextStaysInsideItsOwnLabel)
{
    const QString longLine(200, QLatin1Char('W'));
    QStringList many;
    for (int i = 0; i < 20; ++i)
        many << longLine;
    ReportOptions options = labelsOf("Avery 5160-Address");
    const ReportDocument doc = LayoutLabels({many, many, many, many}, options, kMeasure);
    const std::vector<QRectF> cells = LabelCells(options.label, doc.paper);
    ASSERT_EQ(doc.pages.size(), 1u);
    const double lh = kMeasure.LineHeight(options.face);
    // Each label keeps the lines its height holds, each cut with an ellipsis.
    EXPECT_EQ(doc.pages[0].texts.size(), 4 * size_t(90 / lh));
    for (const ReportText &t : doc.pages[0].texts) {
        EXPECT_TRUE(t.text.endsWith(QChar(0x2026)));
        EXPECT_LE(kMeasure.Width(t.font, t.text), t.box.width());
        bool inOne = false;
        for (const QRectF &cell : cells)
            inOne = inOne || inside(t.box, cell.adjusted(5, 5, -5, -5));
        EXPECT_TRUE(inOne) << t.box.x() << "," << t.box.y();
    }

    // Settings that ask for more labels across than the paper holds keep to the paper.
    options.label.Across = 5;
    EXPECT_EQ(LabelCells(options.label, doc.paper).size(), 30u);
    options.label.Width = 0;
    EXPECT_TRUE(LabelCells(options.label, doc.paper).empty());
    EXPECT_EQ(LayoutLabels({many}, options, kMeasure).pages.size(), 1u);
}

TEST(EnvelopeLayoutTest, AddressesSitWhereTheSizeSays)
{
    ReportOptions options;
    options.type = ReportType::Envelope;
    options.returnAddress = {"Kim Sample", "44 Linden Avenue"};
    options.deliveryAddress = {"Ada Brennan", "9 Orchard Lane", "Madison, WI", "53703 USA"};
    ReportDocument doc = LayoutEnvelope(options, kMeasure);
    EXPECT_EQ(doc.paper, QSizeF(950, 412));
    EXPECT_TRUE(doc.landscape);
    ASSERT_EQ(doc.pages.size(), 1u);
    EXPECT_EQ(textsNamed(doc.pages[0], "Kim Sample")[0]->box.topLeft(), QPointF(50, 30));
    EXPECT_EQ(textsNamed(doc.pages[0], "Ada Brennan")[0]->box.topLeft(), QPointF(300, 152));
    EXPECT_EQ(textsNamed(doc.pages[0], "9 Orchard Lane")[0]->box.top(),
              152 + kMeasure.LineHeight(options.deliveryFont));

    // A narrower envelope: the delivery box ends at the paper's edge.
    options.envelope = "Monarch (3.875 x 7.5 in)";
    options.omitReturnAddress = true;
    doc = LayoutEnvelope(options, kMeasure);
    EXPECT_EQ(doc.paper, QSizeF(750, 388));
    EXPECT_TRUE(textsNamed(doc.pages[0], "Kim Sample").empty());
    const ReportText *name = textsNamed(doc.pages[0], "Ada Brennan")[0];
    EXPECT_EQ(name->box.topLeft(), QPointF(200, 152));
    EXPECT_EQ(name->box.right(), 750);
}

TEST(TableLayoutTest, RowsGrowWithTheirLinesAndBreakIntoPages)
{
    TableReport report;
    report.title = "Contact List";
    report.subtitle = {"Source: My Contacts"};
    report.columns = {{"Contact", 1}, {"Address", 1}};
    ReportOptions options;
    const double lh = kMeasure.LineHeight(options.face);

    // No rows: one page with the title and the headings.
    ReportDocument doc = LayoutTable(report, options, kMeasure);
    ASSERT_EQ(doc.pages.size(), 1u);
    EXPECT_EQ(textsNamed(doc.pages[0], "Contact List").size(), 1u);
    EXPECT_EQ(textsNamed(doc.pages[0], "Address").size(), 1u);
    EXPECT_EQ(textsNamed(doc.pages[0], "Page 1 of 1").size(), 1u);

    for (int i = 0; i < 200; ++i)
        report.rows.push_back({{QStringLiteral("Row %1").arg(i)}, {"1 Main St", "Springfield, IL", "62704 USA"}});
    doc = LayoutTable(report, options, kMeasure);
    const QRectF frame = ContentFrame(options, doc.paper);
    // Each row is three lines high; the page holds what fits between the margins.
    const auto r0 = textsNamed(doc.pages[0], "Row 0")[0]->box.top();
    const auto r1 = textsNamed(doc.pages[0], "Row 1")[0]->box.top();
    EXPECT_DOUBLE_EQ(r1 - r0, 3 * lh + 4);
    const size_t pages = doc.pages.size();
    EXPECT_GT(pages, 5u);
    int rows = 0;
    for (size_t p = 0; p < pages; ++p) {
        EXPECT_EQ(textsNamed(doc.pages[p], "Contact").size(), 1u) << "headings on page " << p;
        EXPECT_EQ(textsNamed(doc.pages[p], QStringLiteral("Page %1 of %2").arg(p + 1).arg(pages)).size(), 1u);
        for (const ReportText &t : doc.pages[p].texts) {
            if (t.text.startsWith("Row "))
                ++rows;
            if (!t.text.startsWith("Page ")) {
                EXPECT_TRUE(inside(t.box, frame)) << t.text.toStdString();
            }
        }
    }
    EXPECT_EQ(rows, 200);
    EXPECT_EQ(textsNamed(doc.pages[1], "Contact List").size(), 0u);

    // Landscape turns the paper; fewer rows fit a page.
    options.landscape = true;
    const ReportDocument wide = LayoutTable(report, options, kMeasure);
    EXPECT_EQ(wide.paper, QSizeF(1100, 850));
    EXPECT_GT(wide.pages.size(), pages);
}

TEST(AddressBookLayoutTest, HeadersStayWithTheEntryAfterThem)
{
    std::vector<AddressBookEntry> entries;
    for (int i = 0; i < 120; ++i) {
        const QString letter(QChar(u'A' + i / 10));
        entries.push_back({letter, letter + QStringLiteral("name %1").arg(i), "555-01", {"1 Main St", "Town"}});
    }
    ReportOptions options;
    options.columns = 2;
    const ReportDocument doc = LayoutAddressBook(entries, options, kMeasure);
    const QRectF frame = ContentFrame(options, doc.paper);
    const double width = (frame.width() - 100) / 2;
    int headers = 0;
    bool secondColumn = false;
    for (const ReportPage &page : doc.pages) {
        for (const ReportText &t : page.texts) {
            if (t.text.startsWith("Page "))
                continue;
            EXPECT_TRUE(inside(t.box, frame)) << t.text.toStdString();
            secondColumn = secondColumn || t.box.left() >= frame.left() + width + 100;
            if (t.text.size() != 1)
                continue;
            ++headers;
            // Under its header, the first entry of the group, in the same column.
            const auto first = textsNamed(page, t.text + QStringLiteral("name %1").arg((t.text[0].unicode() - u'A') * 10));
            ASSERT_EQ(first.size(), 1u) << t.text.toStdString();
            EXPECT_EQ(first[0]->box.left(), t.box.left());
            EXPECT_GT(first[0]->box.top(), t.box.top());
        }
    }
    EXPECT_EQ(headers, 12);
    EXPECT_TRUE(secondColumn);
    EXPECT_GT(doc.pages.size(), 1u);
}

TEST(FitTextTest, CutsToTheWidthWithAnEllipsis)
{
    const ReportFont font;
    const double em = PointsToUnits(font.points) / 2;
    EXPECT_EQ(FitText(kMeasure, font, "Short", 5 * em), "Short");
    EXPECT_EQ(FitText(kMeasure, font, "Longer text", 5 * em), QStringLiteral("Long") + QChar(0x2026));
    EXPECT_EQ(FitText(kMeasure, font, "Longer", 0.5 * em), QString());
    // A surrogate pair is never split.
    const QString clef = QString::fromUtf8("ab\xF0\x9D\x84\x9E" "cd");
    EXPECT_EQ(FitText(kMeasure, font, clef, 4 * em), QStringLiteral("ab") + QChar(0x2026));
}

TEST(FitTextTest, WrapsBetweenWordsAndBreaksWordsWiderThanALine)
{
    const ReportFont font;
    const double em = PointsToUnits(font.points) / 2;
    EXPECT_EQ(WrapText(kMeasure, font, "Met at  the chess club", 10 * em), (QStringList{"Met at the", "chess club"}));
    EXPECT_EQ(WrapText(kMeasure, font, "ada.brennan@example.org", 10 * em),
              (QStringList{"ada.brenna", "n@example.", "org"}));
    EXPECT_EQ(WrapText(kMeasure, font, "", 10 * em), QStringList{""});
    // Narrower than one character: one at a time, never stuck.
    EXPECT_EQ(WrapText(kMeasure, font, "abc", 0.5 * em), (QStringList{"a", "b", "c"}));
}

TEST(TableLayoutTest, ALongValueWrapsAndItsRowGrows)
{
    TableReport report;
    report.title = "List";
    report.columns = {{"Contact", 1}, {"E-Mail", 1}};
    const QString mail = QStringLiteral("someone.with.a.very.long.name@") + QString(60, QLatin1Char('x')) + ".example";
    report.rows = {{{"Ada"}, {mail}}, {{"Kim"}, {"kim@example.org"}}};
    ReportOptions options;
    const ReportDocument doc = LayoutTable(report, options, kMeasure);
    ASSERT_EQ(doc.pages.size(), 1u);
    QString joined;
    int pieces = 0;
    for (const ReportText &t : doc.pages[0].texts)
        if (t.box.left() > 400 && t.text != "E-Mail" && !t.text.startsWith("Page ") && t.text != "kim@example.org") {
            joined += t.text;
            ++pieces;
            EXPECT_LE(kMeasure.Width(t.font, t.text), t.box.width());
        }
    // Nothing of the value is lost, and the next row starts below its last piece.
    EXPECT_EQ(joined, mail);
    EXPECT_GT(pieces, 1);
    const double lh = kMeasure.LineHeight(options.face);
    EXPECT_DOUBLE_EQ(textsNamed(doc.pages[0], "Kim")[0]->box.top() - textsNamed(doc.pages[0], "Ada")[0]->box.top(),
                     pieces * lh + 4);
}
