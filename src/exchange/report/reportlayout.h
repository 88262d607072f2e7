#pragma once

#include "reportoptions.h"
#include "reportpage.h"

#include <QStringList>
#include <vector>

// A report of rows under column headings: the listing, the reminder list and the simple list.
struct TableReport
{
    struct Column
    {
        QString heading;
        // Share of the width.
        double weight;
    };
    QString title;
    // Lines under the title on the first page ("Source: ...").
    QStringList subtitle;
    std::vector<Column> columns;
    // Each row holds one cell per column, each cell its lines; a row is as high as its
    // tallest cell.
    std::vector<std::vector<QStringList>> rows;
};

// Where a page's content may go: a quarter inch all round for the printer's own margin,
// then the report's margins.
QRectF ContentFrame(const ReportOptions &options, QSizeF paper);

ReportDocument LayoutTable(const TableReport &report, const ReportOptions &options, const TextMeasure &measure);

struct AddressBookEntry;
ReportDocument LayoutAddressBook(const std::vector<AddressBookEntry> &entries, const ReportOptions &options,
                                 const TextMeasure &measure);

// Labels across, then down, from the paper's edge: label i of a page at
// (Side + column × HPitch, Top + row × VPitch).
ReportDocument LayoutLabels(const std::vector<QStringList> &labels, const ReportOptions &options,
                            const TextMeasure &measure);
// The labels' rectangles on one sheet, in the order they are filled.
std::vector<QRectF> LabelCells(const LabelSettings &label, QSizeF paper);

// One envelope, the paper of its size lying landscape.
ReportDocument LayoutEnvelope(const ReportOptions &options, const TextMeasure &measure);

// The lines from the box's top down, each cut to the box's width; lines that do not fit
// the box's height are left out. Returns how many were placed.
int PlaceLines(ReportPage &page, const QRectF &box, const QStringList &lines, const ReportFont &font,
               const TextMeasure &measure, TextAlign align = TextAlign::Left);
