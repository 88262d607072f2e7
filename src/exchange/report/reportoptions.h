#pragma once

#include "labelsheets.h"
#include "reportpage.h"

#include <QDate>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <optional>
#include <span>

// The six kinds of report, in the order of the print dialog's list.
enum class ReportType { Listing, Envelope, AddressBook, Labels, Reminders, Simple };

// The list entry ("People & Organization List"...) and the mira tool's word ("listing"...).
QString ReportTypeCaption(ReportType type);
QString ReportTypeWord(ReportType type);
std::optional<ReportType> ReportTypeFromWord(const QString &word);
std::span<const ReportType> AllReportTypes();

// A label sheet's settings as the "Label Settings" fields hold them (hundredths of an inch).
struct LabelSettings
{
    int Top = 0, Side = 0, Height = 0, Width = 0, HPitch = 0, VPitch = 0, Across = 1;
    static LabelSettings From(const TLabelDimension &sheet);
};

// Everything the option sheets set. Margins and the gutter count tenths of an inch.
struct ReportOptions
{
    ReportType type = ReportType::Listing;
    // Empty: the type's default title.
    QString title;
    bool landscape = false;
    int topMargin = 5;
    int bottomMargin = 5;
    int leftMargin = 0;
    int columns = 1;
    int gutter = 10;
    LabelSettings label = LabelSettings::From(LabelSheets().front());
    QString envelope = QLatin1String(EnvelopeSizes().front().Name);
    ReportFont face;
    // Twelve and fifteen pixels high on a 96 dpi screen.
    ReportFont returnFont{QStringLiteral("Liberation Sans"), 9, false};
    ReportFont deliveryFont{QStringLiteral("Liberation Sans"), 11.25, false};
    QStringList returnAddress;
    bool omitReturnAddress = false;
    QStringList deliveryAddress;
    QDate fromDate;
    QDate toDate;
    // The paper upright, before landscape turns it; US Letter unless chosen.
    QSizeF paper{850, 1100};
};

// The title a report gets when none is given; the simple list's is the node's path.
QString DefaultReportTitle(ReportType type, const QString &path);
