#include "fontmeasure.h"

#include <QFontMetricsF>

namespace {
constexpr int kReferenceDpi = 1200;
constexpr double kUnitsPerPixel = 100.0 / kReferenceDpi;
} // namespace

QFont ReportQFont(const ReportFont &font)
{
    QFont f(font.family);
    f.setPointSizeF(font.points);
    f.setBold(font.bold);
    f.setKerning(false);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

FontMeasure::FontMeasure() : m_reference(1, 1, QImage::Format_RGB32)
{
    const int dotsPerMeter = qRound(kReferenceDpi / 0.0254);
    m_reference.setDotsPerMeterX(dotsPerMeter);
    m_reference.setDotsPerMeterY(dotsPerMeter);
}

double FontMeasure::Width(const ReportFont &font, const QString &text) const
{
    return QFontMetricsF(ReportQFont(font), &m_reference).horizontalAdvance(text) * kUnitsPerPixel;
}

double FontMeasure::LineHeight(const ReportFont &font) const
{
    return QFontMetricsF(ReportQFont(font), &m_reference).lineSpacing() * kUnitsPerPixel;
}
