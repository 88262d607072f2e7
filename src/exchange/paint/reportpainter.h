#pragma once

#include "exchange/report/reportpage.h"

#include <QString>

class QPageLayout;
class QPagedPaintDevice;
class QPainter;

// The report's paper without margins, turned when it lies wide.
QPageLayout ReportPageLayout(const ReportDocument &doc);

// Draws the pages on a device whose origin is the paper's top left edge (a printer in full
// page mode, a PDF writer without margins); the device's page size is the caller's.
// False when the painter could not start on the device (its error is the device's).
bool PaintReport(const ReportDocument &doc, QPagedPaintDevice &device);
// One page on a painter already begun, at dpi pixels per inch.
void PaintReportPage(QPainter &painter, const ReportPage &page, double dpi);

// Writes the report as a PDF, its pages the report's paper; the file is replaced only once
// complete. Throws EInOutError when it cannot be written.
void WriteReportPdf(const ReportDocument &doc, const QString &fileName);
