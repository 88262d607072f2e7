#pragma once

#include "exchange/cliprint.h"
#include "fontmeasure.h"

// The real fonts and the PDF writer, for "mira print".
class PdfReportWriter : public ReportWriter
{
public:
    const TextMeasure &Measure() const override { return m_measure; }
    void WritePdf(const ReportDocument &doc, const QString &fileName) const override;

private:
    FontMeasure m_measure;
};
