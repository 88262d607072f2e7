#include "pdfreportwriter.h"

#include "reportpainter.h"

void PdfReportWriter::WritePdf(const ReportDocument &doc, const QString &fileName) const
{
    WriteReportPdf(doc, fileName);
}
