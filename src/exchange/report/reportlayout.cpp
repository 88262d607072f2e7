#include "reportlayout.h"

#include "reportrows.h"

#include <algorithm>
#include <cmath>

namespace {

// The printer's own unprintable edge the list reports keep clear of.
constexpr double kPrinterMargin = 25;
constexpr double kCellPad = 3;

QSizeF turned(const ReportOptions &options)
{
    return options.landscape ? options.paper.transposed() : options.paper;
}

ReportFont withSize(ReportFont font, double points, bool bold)
{
    font.points = points;
    font.bold = bold;
    return font;
}

ReportDocument newDocument(const QString &title, QSizeF paper, bool landscape)
{
    ReportDocument doc;
    doc.title = title;
    doc.paper = paper;
    doc.landscape = landscape;
    return doc;
}

// "Page N of M" in the bottom band, where the band has room for it.
void numberPages(ReportDocument &doc, const QRectF &frame, const ReportFont &face, const TextMeasure &measure)
{
    const ReportFont font = withSize(face, 8, false);
    const double lh = measure.LineHeight(font);
    if (doc.paper.height() - kPrinterMargin - frame.bottom() < lh)
        return;
    const int count = int(doc.pages.size());
    for (int i = 0; i < count; ++i) {
        const QRectF box(frame.left(), doc.paper.height() - kPrinterMargin - lh, frame.width(), lh);
        PlaceLines(doc.pages[i], box, {QStringLiteral("Page %1 of %2").arg(i + 1).arg(count)}, font, measure,
                   TextAlign::Right);
    }
}

} // namespace

int PlaceLines(ReportPage &page, const QRectF &box, const QStringList &lines, const ReportFont &font,
               const TextMeasure &measure, TextAlign align)
{
    const double lh = measure.LineHeight(font);
    int placed = 0;
    for (const QString &line : lines) {
        const double top = box.top() + placed * lh;
        if (top + lh > box.bottom() + 0.001)
            break;
        const QString text = FitText(measure, font, line, box.width());
        if (!text.isEmpty())
            page.texts.push_back({QRectF(box.left(), top, box.width(), lh), text, font, align});
        ++placed;
    }
    return placed;
}

QRectF ContentFrame(const ReportOptions &options, QSizeF paper)
{
    const double left = kPrinterMargin + 10.0 * std::max(0, options.leftMargin);
    const double top = kPrinterMargin + 10.0 * std::max(0, options.topMargin);
    const double right = paper.width() - kPrinterMargin;
    const double bottom = paper.height() - kPrinterMargin - 10.0 * std::max(0, options.bottomMargin);
    // Margins that leave no room still leave an inch to print in.
    return QRectF(QPointF(std::min(left, right - 100), std::min(top, bottom - 100)), QPointF(right, bottom));
}

ReportDocument LayoutTable(const TableReport &report, const ReportOptions &options, const TextMeasure &measure)
{
    ReportDocument doc = newDocument(report.title, turned(options), options.landscape);
    const QRectF frame = ContentFrame(options, doc.paper);
    const ReportFont titleFont = withSize(options.face, 14, true);
    const ReportFont headFont = withSize(options.face, 8, true);
    const ReportFont rowFont = withSize(options.face, 8, false);
    const double lh = measure.LineHeight(rowFont);
    const double headLh = measure.LineHeight(headFont);

    double total = 0;
    for (const auto &c : report.columns)
        total += c.weight;
    std::vector<double> lefts, widths;
    double x = frame.left();
    for (const auto &c : report.columns) {
        const double w = frame.width() * c.weight / (total > 0 ? total : 1);
        lefts.push_back(x);
        widths.push_back(w);
        x += w;
    }
    auto cellBox = [&](size_t column, double top, double height) {
        return QRectF(lefts[column] + kCellPad, top, std::max(0.0, widths[column] - 2 * kCellPad), height);
    };

    double y = 0;
    auto startPage = [&] {
        doc.pages.emplace_back();
        ReportPage &page = doc.pages.back();
        y = frame.top();
        if (doc.pages.size() == 1) {
            const double th = measure.LineHeight(titleFont);
            PlaceLines(page, QRectF(frame.left(), y, frame.width(), th), {report.title}, titleFont, measure);
            y += th;
            y += lh * PlaceLines(page, QRectF(frame.left(), y, frame.width(), lh * report.subtitle.size()),
                                 report.subtitle, rowFont, measure);
            y += lh / 2;
        }
        for (size_t c = 0; c < report.columns.size(); ++c)
            PlaceLines(page, cellBox(c, y, headLh), {report.columns[c].heading}, headFont, measure);
        y += headLh + 2;
        page.lines.push_back({QPointF(frame.left(), y), QPointF(frame.right(), y)});
        y += 4;
    };
    startPage();
    bool pageHasRows = false;
    for (const auto &given : report.rows) {
        // Long values wrap within their column; the row grows to hold them.
        std::vector<QStringList> row;
        for (size_t c = 0; c < given.size() && c < report.columns.size(); ++c) {
            QStringList lines;
            for (const QString &line : given[c])
                lines << WrapText(measure, rowFont, line, cellBox(c, 0, 0).width());
            row.push_back(lines);
        }
        qsizetype tallest = 1;
        for (const QStringList &cell : row)
            tallest = std::max(tallest, cell.size());
        double height = tallest * lh + 4;
        if (pageHasRows && y + height > frame.bottom()) {
            startPage();
            pageHasRows = false;
        }
        // A row taller than a whole page keeps what fits.
        height = std::min(height, frame.bottom() - y);
        ReportPage &page = doc.pages.back();
        for (size_t c = 0; c < row.size() && c < report.columns.size(); ++c)
            PlaceLines(page, cellBox(c, y, height), row[c], rowFont, measure);
        y += height;
        pageHasRows = true;
    }
    numberPages(doc, frame, options.face, measure);
    return doc;
}

ReportDocument LayoutAddressBook(const std::vector<AddressBookEntry> &entries, const ReportOptions &options,
                                 const TextMeasure &measure)
{
    ReportDocument doc = newDocument(ReportTypeCaption(ReportType::AddressBook), turned(options), options.landscape);
    const QRectF frame = ContentFrame(options, doc.paper);
    const int columns = std::clamp(options.columns, 1, 4);
    const double gutter = 10.0 * std::max(0, options.gutter);
    const double width = std::max(50.0, (frame.width() - (columns - 1) * gutter) / columns);
    const ReportFont nameFont = withSize(options.face, 8, true);
    const ReportFont textFont = withSize(options.face, 8, false);
    const ReportFont headerFont = withSize(options.face, 12, true);
    const double lh = measure.LineHeight(textFont);
    const double headerHeight = measure.LineHeight(headerFont) + 6;

    int column = columns; // the first entry opens a page
    double y = frame.bottom();
    bool columnEmpty = true;
    auto nextColumn = [&] {
        if (++column >= columns) {
            doc.pages.emplace_back();
            column = 0;
        }
        y = frame.top();
        columnEmpty = true;
    };
    auto left = [&] { return frame.left() + column * (width + gutter); };

    QString group;
    bool first = true;
    for (const AddressBookEntry &entry : entries) {
        const bool header = first || entry.group != group;
        first = false;
        group = entry.group;
        const double entryHeight = (1 + entry.address.size()) * lh + 6;
        // A header stays with the entry after it.
        const double needed = entryHeight + (header ? headerHeight : 0);
        if (doc.pages.empty() || (!columnEmpty && y + needed > frame.bottom()))
            nextColumn();
        ReportPage &page = doc.pages.back();
        const double x = left();
        if (header) {
            PlaceLines(page, QRectF(x, y, width, headerHeight - 6), {entry.group}, headerFont, measure);
            y += headerHeight - 4;
            page.lines.push_back({QPointF(x, y), QPointF(x + width, y)});
            y += 4;
        }
        const double phoneWidth = entry.phone.isEmpty() ? 0 : std::min(width / 2, measure.Width(textFont, entry.phone));
        const double bottom = std::min(frame.bottom(), y + entryHeight);
        PlaceLines(page, QRectF(x, y, std::max(0.0, width - phoneWidth - 8), bottom - y), {entry.name}, nameFont,
                   measure);
        if (phoneWidth > 0)
            PlaceLines(page, QRectF(x + width - phoneWidth, y, phoneWidth, bottom - y), {entry.phone}, textFont,
                       measure, TextAlign::Right);
        PlaceLines(page, QRectF(x + 10, y + lh, std::max(0.0, width - 10), std::max(0.0, bottom - y - lh)),
                   entry.address, textFont, measure);
        y += entryHeight;
        columnEmpty = false;
    }
    if (doc.pages.empty())
        doc.pages.emplace_back();
    numberPages(doc, frame, options.face, measure);
    return doc;
}

std::vector<QRectF> LabelCells(const LabelSettings &label, QSizeF paper)
{
    std::vector<QRectF> cells;
    if (label.Width <= 0 || label.Height <= 0)
        return cells;
    const int hpitch = std::max(label.HPitch, 1);
    const int vpitch = std::max(label.VPitch, 1);
    // As many across as asked for and as fit on the paper, at least one.
    int across = std::max(1, label.Across);
    while (across > 1 && label.Side + (across - 1) * hpitch + label.Width > paper.width())
        --across;
    for (int row = 0;; ++row) {
        const int top = label.Top + row * vpitch;
        if (row > 0 && top + label.Height > paper.height())
            break;
        for (int column = 0; column < across; ++column)
            cells.emplace_back(label.Side + column * hpitch, top, label.Width, label.Height);
    }
    return cells;
}

ReportDocument LayoutLabels(const std::vector<QStringList> &labels, const ReportOptions &options,
                            const TextMeasure &measure)
{
    ReportDocument doc = newDocument(ReportTypeCaption(ReportType::Labels), options.paper, false);
    const std::vector<QRectF> cells = LabelCells(options.label, doc.paper);
    if (cells.empty() || labels.empty()) {
        doc.pages.emplace_back();
        return doc;
    }
    const LabelSettings &l = options.label;
    for (size_t i = 0; i < labels.size(); ++i) {
        const size_t onPage = i % cells.size();
        if (onPage == 0)
            doc.pages.emplace_back();
        const QRectF cell = cells[onPage];
        // The text keeps 0.05 inch inside its label, and inside the pitch where labels overlap.
        const double height = std::min<double>(l.Height, std::max(l.VPitch, 1)) - 10;
        const double width = std::min<double>(l.Width, l.Across > 1 ? std::max(l.HPitch, 1) : l.Width) - 10;
        const QRectF box(cell.left() + 5, cell.top() + 5, std::max(0.0, width), std::max(0.0, height));
        PlaceLines(doc.pages.back(), box, labels[i], options.face, measure);
    }
    return doc;
}

ReportDocument LayoutEnvelope(const ReportOptions &options, const TextMeasure &measure)
{
    const EnvelopeSize *size = EnvelopeSizeNamed(options.envelope);
    if (!size)
        size = &EnvelopeSizes().front();
    ReportDocument doc = newDocument(ReportTypeCaption(ReportType::Envelope), QSizeF(size->Length, size->Height), true);
    doc.pages.emplace_back();
    ReportPage &page = doc.pages.back();
    const double w = doc.paper.width();
    const double h = doc.paper.height();
    const double x = w - size->Length;
    const double y = std::trunc((h - size->Height) / 2);
    // Neither box reaches past the envelope's edge.
    auto onPaper = [&](QRectF box) { return box.intersected(QRectF(QPointF(0, 0), doc.paper)); };
    if (!options.omitReturnAddress)
        PlaceLines(page, onPaper(QRectF(x + 50, y + 30, 361, 125)), options.returnAddress, options.returnFont,
                   measure);
    PlaceLines(page, onPaper(QRectF(x + size->DeliveryLeft, y + 152, 577, 125)), options.deliveryAddress,
               options.deliveryFont, measure);
    return doc;
}
