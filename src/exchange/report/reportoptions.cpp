#include "reportoptions.h"

namespace {

struct TypeNames
{
    ReportType type;
    const char *caption;
    const char *word;
};

const TypeNames kTypes[] = {
    {ReportType::Listing, "People & Organization List", "listing"},
    {ReportType::Envelope, "Envelope", "envelope"},
    {ReportType::AddressBook, "Address & Phone Book", "addressbook"},
    {ReportType::Labels, "Address Labels", "labels"},
    {ReportType::Reminders, "Reminder List", "reminders"},
    {ReportType::Simple, "Simple List", "simple"},
};

const TypeNames &names(ReportType type)
{
    for (const TypeNames &n : kTypes)
        if (n.type == type)
            return n;
    return kTypes[0];
}

} // namespace

QString ReportTypeCaption(ReportType type) { return QLatin1String(names(type).caption); }
QString ReportTypeWord(ReportType type) { return QLatin1String(names(type).word); }

std::optional<ReportType> ReportTypeFromWord(const QString &word)
{
    for (const TypeNames &n : kTypes)
        if (word == QLatin1String(n.word))
            return n.type;
    return std::nullopt;
}

std::span<const ReportType> AllReportTypes()
{
    static const ReportType all[] = {ReportType::Listing,   ReportType::Envelope,  ReportType::AddressBook,
                                     ReportType::Labels,    ReportType::Reminders, ReportType::Simple};
    return all;
}

LabelSettings LabelSettings::From(const TLabelDimension &sheet)
{
    return {sheet.Top, sheet.Side, sheet.Height, sheet.Width, sheet.HPitch, sheet.VPitch, sheet.Across};
}

QString DefaultReportTitle(ReportType type, const QString &path)
{
    switch (type) {
    case ReportType::Listing:
        return QStringLiteral("Contact List");
    case ReportType::Reminders:
        return QStringLiteral("Reminder Listing");
    case ReportType::Simple:
        return path;
    case ReportType::Envelope:
    case ReportType::AddressBook:
    case ReportType::Labels:
        break;
    }
    return ReportTypeCaption(type);
}
