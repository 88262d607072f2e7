#include "reportpainter.h"

#include "fontmeasure.h"
#include "store/recordfile.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace {

QRectF scaled(const QRectF &r, double k) { return QRectF(r.x() * k, r.y() * k, r.width() * k, r.height() * k); }

Qt::Alignment alignment(TextAlign align)
{
    switch (align) {
    case TextAlign::Right:
        return Qt::AlignRight;
    case TextAlign::Center:
        return Qt::AlignHCenter;
    case TextAlign::Left:
        break;
    }
    return Qt::AlignLeft;
}

} // namespace

QPageLayout ReportPageLayout(const ReportDocument &doc)
{
    // Page sizes are named upright; a wide page is an upright one turned.
    const bool wide = doc.paper.width() > doc.paper.height();
    const QSizeF upright = (wide ? doc.paper.transposed() : doc.paper) / 100.0;
    return QPageLayout(QPageSize(upright, QPageSize::Inch, QString(), QPageSize::ExactMatch),
                       wide ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF());
}

void PaintReportPage(QPainter &painter, const ReportPage &page, double dpi)
{
    const double k = dpi / 100.0;
    painter.save();
    painter.setPen(QPen(Qt::black, std::max(1.0, dpi / 150.0)));
    for (const ReportLine &line : page.lines)
        painter.drawLine(line.from * k, line.to * k);
    for (const ReportText &text : page.texts) {
        const QRectF box = scaled(text.box, k);
        painter.setFont(ReportQFont(text.font));
        // Nothing spills out of its box, whatever the device's fonts make of it.
        painter.setClipRect(box);
        painter.drawText(box, int(alignment(text.align) | Qt::AlignTop | Qt::TextSingleLine), text.text);
        painter.setClipping(false);
    }
    painter.restore();
}

bool PaintReport(const ReportDocument &doc, QPagedPaintDevice &device)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const double dpi = device.logicalDpiX();
    for (size_t i = 0; i < doc.pages.size(); ++i) {
        if (i > 0)
            device.newPage();
        PaintReportPage(painter, doc.pages[i], dpi);
    }
    return painter.end();
}

void WriteReportPdf(const ReportDocument &doc, const QString &fileName)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw EInOutError(file.errorString());
    {
        QPdfWriter pdf(&file);
        pdf.setTitle(doc.title);
        pdf.setCreator(QStringLiteral("Mirabook"));
        pdf.setResolution(1200);
        pdf.setPageLayout(ReportPageLayout(doc));
        if (!PaintReport(doc, pdf))
            throw EInOutError(QStringLiteral("cannot draw the report"));
    }
    if (!file.commit())
        throw EInOutError(file.errorString());
}
