#pragma once

#include "exchange/report/reportpage.h"

#include <QFont>
#include <QImage>

// The font for a report text, sized in points.
QFont ReportQFont(const ReportFont &font);

// Measures with the installed fonts (Liberation where a report names Arial's metrics), on a
// 1200 dpi reference so the layout matches print and PDF rather than a screen's hinting.
// Needs a QGuiApplication.
class FontMeasure : public TextMeasure
{
public:
    FontMeasure();
    double Width(const ReportFont &font, const QString &text) const override;
    double LineHeight(const ReportFont &font) const override;

private:
    QImage m_reference;
};
