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
