#include "reportpage.h"

QString FitText(const TextMeasure &measure, const ReportFont &font, const QString &text, double width)
{
    if (measure.Width(font, text) <= width)
        return text;
    const QString ellipsis(QChar(0x2026));
    // Binary search on the length: widths grow with the length.
    qsizetype low = 0;
    qsizetype high = text.size();
    while (low < high) {
        const qsizetype mid = (low + high + 1) / 2;
        if (measure.Width(font, text.left(mid) + ellipsis) <= width)
            low = mid;
        else
            high = mid - 1;
    }
    if (low == 0)
        return measure.Width(font, ellipsis) <= width ? ellipsis : QString();
    // Never split a surrogate pair.
    if (text.at(low - 1).isHighSurrogate())
        --low;
    return text.left(low).trimmed() + ellipsis;
}

namespace {

// How many characters of text from start fit the width; at least one, and never half a
// surrogate pair.
qsizetype fittingLength(const TextMeasure &measure, const ReportFont &font, QStringView text, double width)
{
    qsizetype low = 1;
    qsizetype high = text.size();
    while (low < high) {
        const qsizetype mid = (low + high + 1) / 2;
        if (measure.Width(font, text.left(mid).toString()) <= width)
            low = mid;
        else
            high = mid - 1;
    }
    if (low < text.size() && text.at(low - 1).isHighSurrogate())
        low = low > 1 ? low - 1 : low + 1;
    return low;
}

} // namespace

QStringList WrapText(const TextMeasure &measure, const ReportFont &font, const QString &text, double width)
{
    QStringList lines;
    QString line;
    const QStringList words = text.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (QString word : words) {
        const QString joined = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
        if (measure.Width(font, joined) <= width) {
            line = joined;
            continue;
        }
        if (!line.isEmpty())
            lines << line;
        // A word wider than a whole line goes in pieces.
        while (measure.Width(font, word) > width) {
            const qsizetype n = fittingLength(measure, font, word, width);
            lines << word.left(n);
            word = word.mid(n);
        }
        line = word;
    }
    if (!line.isEmpty() || lines.isEmpty())
        lines << line;
    return lines;
}
