#pragma once

#include "exchange/report/reportpage.h"

// How "mira print" measures and writes: the mira program installs the font measure and
// PDF writer of mira_paint before it runs a command; without one, print says so.
class ReportWriter
{
public:
    virtual ~ReportWriter() = default;
    virtual const TextMeasure &Measure() const = 0;
    // Throws EInOutError when the file cannot be written.
    virtual void WritePdf(const ReportDocument &doc, const QString &fileName) const = 0;
};

void SetCliReportWriter(const ReportWriter *writer);
