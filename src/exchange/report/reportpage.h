#pragma once

#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <vector>

// The page model every report is laid out into before it is drawn: positions and sizes in
// hundredths of an inch from the paper's top left edge, so what a test reads is what the
// printer or the PDF gets.

struct ReportFont
{
    QString family = QStringLiteral("Liberation Sans");
    double points = 8;
    bool bold = false;
    bool operator==(const ReportFont &) const = default;
};

enum class TextAlign { Left, Right, Center };

// One line of text. The text never reaches beyond its box: the layout cuts it to fit, and
// the painter clips to the box as well.
struct ReportText
{
    QRectF box;
    QString text;
    ReportFont font;
    TextAlign align = TextAlign::Left;
};

struct ReportLine
{
    QPointF from;
    QPointF to;
};

struct ReportPage
{
    std::vector<ReportText> texts;
    std::vector<ReportLine> lines;
};

struct ReportDocument
{
    QString title;
    // The paper as it lies (landscape already turned).
    QSizeF paper;
    bool landscape = false;
    std::vector<ReportPage> pages;
};

// What a line of text needs, in hundredths of an inch; the desktop and the PDF writer
// measure with the real fonts, tests with a fixed pitch.
class TextMeasure
{
public:
    virtual ~TextMeasure() = default;
    virtual double Width(const ReportFont &font, const QString &text) const = 0;
    // From one line's top to the next one's.
    virtual double LineHeight(const ReportFont &font) const = 0;
};

// The text cut to width, ending in an ellipsis when it had to be cut.
QString FitText(const TextMeasure &measure, const ReportFont &font, const QString &text, double width);

// The text in lines no wider than width: broken between words, and a word wider than
// the width broken where it must be. At least one line.
QStringList WrapText(const TextMeasure &measure, const ReportFont &font, const QString &text, double width);

// Points to hundredths of an inch.
constexpr double PointsToUnits(double points) { return points * 100.0 / 72.0; }
