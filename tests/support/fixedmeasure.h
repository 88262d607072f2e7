#pragma once

#include "exchange/report/reportpage.h"

// Every character half an em wide, lines 1.2 em apart: layouts come out the same on any
// machine, fonts or not.
class FixedMeasure : public TextMeasure
{
public:
    double Width(const ReportFont &font, const QString &text) const override
    {
        return text.size() * PointsToUnits(font.points) / 2;
    }
    double LineHeight(const ReportFont &font) const override { return PointsToUnits(font.points) * 1.2; }
};
