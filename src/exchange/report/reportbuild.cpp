#include "reportbuild.h"

#include "exchange/treepath.h"
#include "reportlayout.h"
#include "reportrows.h"

#include <QCollator>

namespace {

QString titleOf(const ReportOptions &options, const QString &path)
{
    return options.title.isEmpty() ? DefaultReportTitle(options.type, path) : options.title;
}

TableReport listing(TTreeNode *node, const QString &title, const QString &path, const QString &created)
{
    TableReport report;
    report.title = title;
    report.subtitle = {QStringLiteral("Source: ") + path, QStringLiteral("created: ") + created};
    report.columns = {{QStringLiteral("Contact"), 18}, {QStringLiteral("Address"), 21},
                      {QStringLiteral("Phone Number"), 12}, {QStringLiteral("FAX Number"), 12},
                      {QStringLiteral("E-Mail"), 20},  {QStringLiteral("URL"), 17}};
    for (const ListingRow &r : ListingRows(node))
        report.rows.push_back({{r.contact}, r.address, {r.phone}, {r.fax}, {r.email}, {r.url}});
    return report;
}

TableReport reminders(TTreeNode *node, const QString &title, const ReportOptions &options, const QLocale &locale,
                      const QDate &today)
{
    const QDate from = options.fromDate.isValid() ? options.fromDate : today;
    const QDate to = options.toDate.isValid() ? options.toDate : today;
    TableReport report;
    report.title = title;
    report.subtitle = {locale.toString(from, QLocale::ShortFormat) + QStringLiteral(" - ") +
                       locale.toString(to, QLocale::ShortFormat)};
    report.columns = {{QStringLiteral("Date"), 14}, {QStringLiteral("Reminder"), 30},
                      {QStringLiteral("Contact"), 28}, {QStringLiteral("Comment"), 28}};
    for (const ReminderRow &r : ReminderRows(node, from, to))
        report.rows.push_back({{locale.toString(r.date, QLocale::ShortFormat)}, {r.reminder}, {r.contact}, {r.comment}});
    return report;
}

TableReport simple(TTreeNode *node, const QString &title)
{
    TableReport report;
    report.title = title;
    report.columns = {{QStringLiteral("Title"), 35}, {QStringLiteral("Target"), 30}, {QStringLiteral("Comment"), 35}};
    for (const SimpleRow &r : SimpleRows(node))
        report.rows.push_back({{r.title}, {r.target}, {r.comment}});
    return report;
}

} // namespace

ReportDocument BuildReport(TTreeNode *node, const ReportOptions &options, const TextMeasure &measure,
                           const QLocale &locale, const QDate &today)
{
    const QString path = TreePath(node);
    const QString title = titleOf(options, path);
    switch (options.type) {
    case ReportType::Listing:
        return LayoutTable(listing(node, title, path, locale.toString(today, QLocale::ShortFormat)), options, measure);
    case ReportType::Reminders:
        return LayoutTable(reminders(node, title, options, locale, today), options, measure);
    case ReportType::Simple:
        return LayoutTable(simple(node, title), options, measure);
    case ReportType::AddressBook: {
        QCollator collator(locale);
        return LayoutAddressBook(AddressBookEntries(node, collator), options, measure);
    }
    case ReportType::Labels:
        return LayoutLabels(LabelTexts(node), options, measure);
    case ReportType::Envelope:
        return LayoutEnvelope(options, measure);
    }
    return {};
}
