#include "cliprint.h"

#include "clicommands.h"
#include "clidatabase.h"
#include "miracli.h"
#include "exchange/report/reportbuild.h"
#include "exchange/report/reportrows.h"
#include "exchange/report/returnaddress.h"
#include "platform/safefiles.h"
#include "store/addressobject.h"
#include "store/errorreport.h"
#include "store/recordfile.h"
#include "store/treenodes.h"
#include "store/zebobject.h"

#include <QFileInfo>
#include <QLocale>
#include <QTextStream>
#include <functional>
#include <map>
#include <vector>

namespace {

const ReportWriter *g_writer = nullptr;

const char *const kUsage =
    "usage: mira print REPORT PATH --pdf FILE.pdf [options]\n"
    "  REPORT: listing, envelope, addressbook, labels, reminders or simple\n"
    "  --title TEXT               listing, reminders, simple\n"
    "  --landscape | --portrait   listing, addressbook, reminders, simple\n"
    "  --top IN --bottom IN --left IN   margins in inches (0.0 to 9.9)\n"
    "  --columns N --gutter IN    addressbook (1 to 4 columns)\n"
    "  --label NAME               labels (\"Avery 5160-Address\"...)\n"
    "  --envelope NAME            envelope (\"#10 Env (4.125 x 9.5 in)\"...)\n"
    "  --return-address TEXT      envelope (lines split at \\n; default ret_addr.dat)\n"
    "  --omit-return-address      envelope\n"
    "  --from DATE --to DATE      reminders (YYYY-MM-DD; default today)\n"
    "  --font FAMILY --paper letter|legal|a4";

using Types = std::vector<ReportType>;
const Types kLists = {ReportType::Listing, ReportType::Reminders, ReportType::Simple};
const Types kPaged = {ReportType::Listing, ReportType::AddressBook, ReportType::Reminders, ReportType::Simple};
const Types kNotEnvelope = {ReportType::Listing, ReportType::AddressBook, ReportType::Labels, ReportType::Reminders,
                            ReportType::Simple};

// A margin or gutter in inches as the option sheets take it: tenths, 0.0 to 9.9.
std::optional<int> tenths(const QString &text)
{
    bool ok = false;
    const double inches = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok || inches < 0 || inches > 9.9)
        return std::nullopt;
    return qRound(inches * 10);
}

QString names(auto list)
{
    QStringList all;
    for (const auto &entry : list)
        all << QStringLiteral("\"%1\"").arg(QLatin1String(entry.Name));
    return all.join(QStringLiteral(", "));
}

struct PrintRequest
{
    ReportOptions options;
    QString path;
    QString pdf;
    bool returnGiven = false;
};

// Each option: the reports it goes with, and what it does with its value (an error
// text when the value will not do).
struct OptionRule
{
    Types types;
    bool takesValue;
    std::function<QString(PrintRequest &, const QString &)> apply;
};

const std::map<QString, OptionRule> &optionRules()
{
    static const std::map<QString, OptionRule> rules = {
        {"--title", {kLists, true, [](PrintRequest &r, const QString &v) { r.options.title = v; return QString(); }}},
        {"--landscape", {kPaged, false, [](PrintRequest &r, const QString &) { r.options.landscape = true; return QString(); }}},
        {"--portrait", {kPaged, false, [](PrintRequest &r, const QString &) { r.options.landscape = false; return QString(); }}},
        {"--top", {kPaged, true, [](PrintRequest &r, const QString &v) {
             const auto t = tenths(v);
             r.options.topMargin = t.value_or(0);
             return t ? QString() : QStringLiteral("--top takes inches from 0.0 to 9.9, not \"%1\"").arg(v);
         }}},
        {"--bottom", {kPaged, true, [](PrintRequest &r, const QString &v) {
             const auto t = tenths(v);
             r.options.bottomMargin = t.value_or(0);
             return t ? QString() : QStringLiteral("--bottom takes inches from 0.0 to 9.9, not \"%1\"").arg(v);
         }}},
        {"--left", {kPaged, true, [](PrintRequest &r, const QString &v) {
             const auto t = tenths(v);
             r.options.leftMargin = t.value_or(0);
             return t ? QString() : QStringLiteral("--left takes inches from 0.0 to 9.9, not \"%1\"").arg(v);
         }}},
        {"--gutter", {{ReportType::AddressBook}, true, [](PrintRequest &r, const QString &v) {
             const auto t = tenths(v);
             r.options.gutter = t.value_or(0);
             return t ? QString() : QStringLiteral("--gutter takes inches from 0.0 to 9.9, not \"%1\"").arg(v);
         }}},
        {"--columns", {{ReportType::AddressBook}, true, [](PrintRequest &r, const QString &v) {
             bool ok = false;
             r.options.columns = v.toInt(&ok);
             return ok && r.options.columns >= 1 && r.options.columns <= 4
                        ? QString() : QStringLiteral("--columns takes 1 to 4, not \"%1\"").arg(v);
         }}},
        {"--label", {{ReportType::Labels}, true, [](PrintRequest &r, const QString &v) {
             const TLabelDimension *sheet = LabelSheetNamed(v);
             if (!sheet)
                 return QStringLiteral("unknown label sheet \"%1\"; the sheets are %2").arg(v, names(LabelSheets()));
             r.options.label = LabelSettings::From(*sheet);
             return QString();
         }}},
        {"--envelope", {{ReportType::Envelope}, true, [](PrintRequest &r, const QString &v) {
             if (!EnvelopeSizeNamed(v))
                 return QStringLiteral("unknown envelope size \"%1\"; the sizes are %2").arg(v, names(EnvelopeSizes()));
             r.options.envelope = v;
             return QString();
         }}},
        {"--return-address", {{ReportType::Envelope}, true, [](PrintRequest &r, const QString &v) {
             QString text = v;
             text.replace(QLatin1String("\\n"), QLatin1String("\n"));
             r.options.returnAddress = text.split(QLatin1Char('\n'));
             r.returnGiven = true;
             return QString();
         }}},
        {"--omit-return-address", {{ReportType::Envelope}, false, [](PrintRequest &r, const QString &) {
             r.options.omitReturnAddress = true;
             return QString();
         }}},
        {"--from", {{ReportType::Reminders}, true, [](PrintRequest &r, const QString &v) {
             r.options.fromDate = QDate::fromString(v, Qt::ISODate);
             return r.options.fromDate.isValid() ? QString() : QStringLiteral("--from takes a date YYYY-MM-DD, not \"%1\"").arg(v);
         }}},
        {"--to", {{ReportType::Reminders}, true, [](PrintRequest &r, const QString &v) {
             r.options.toDate = QDate::fromString(v, Qt::ISODate);
             return r.options.toDate.isValid() ? QString() : QStringLiteral("--to takes a date YYYY-MM-DD, not \"%1\"").arg(v);
         }}},
        {"--font", {kNotEnvelope, true, [](PrintRequest &r, const QString &v) {
             r.options.face.family = v.trimmed();
             return v.trimmed().isEmpty() ? QStringLiteral("--font needs a family name") : QString();
         }}},
        {"--paper", {kNotEnvelope, true, [](PrintRequest &r, const QString &v) {
             const QString p = v.toLower();
             if (p == QLatin1String("letter"))
                 r.options.paper = QSizeF(850, 1100);
             else if (p == QLatin1String("legal"))
                 r.options.paper = QSizeF(850, 1400);
             else if (p == QLatin1String("a4"))
                 r.options.paper = QSizeF(827, 1169);
             else
                 return QStringLiteral("--paper takes letter, legal or a4, not \"%1\"").arg(v);
             return QString();
         }}},
    };
    return rules;
}

int parsePrintArguments(const CliContext &c, const QStringList &args, PrintRequest &request)
{
    const QString usage = QLatin1String(kUsage);
    if (args.isEmpty())
        return c.fail(CliExit::BadInput, usage);
    const std::optional<ReportType> type = ReportTypeFromWord(args.front());
    if (!type)
        return c.fail(CliExit::BadInput, QStringLiteral("unknown report \"%1\"\n%2").arg(args.front(), usage));
    request.options.type = *type;
    bool havePath = false;
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString &a = args.at(i);
        if (a == QLatin1String("--pdf")) {
            if (i + 1 >= args.size() || args.at(i + 1).isEmpty())
                return c.fail(CliExit::BadInput, QStringLiteral("--pdf needs a file name"));
            request.pdf = args.at(++i);
            continue;
        }
        if (!a.startsWith(QLatin1String("--"))) {
            if (havePath)
                return c.fail(CliExit::BadInput, QStringLiteral("one PATH only: \"%1\"\n%2").arg(a, usage));
            request.path = a;
            havePath = true;
            continue;
        }
        const auto rule = optionRules().find(a);
        if (rule == optionRules().end())
            return c.fail(CliExit::BadInput, QStringLiteral("unknown option \"%1\"\n%2").arg(a, usage));
        if (std::find(rule->second.types.begin(), rule->second.types.end(), *type) == rule->second.types.end())
            return c.fail(CliExit::BadInput, QStringLiteral("%1 does not go with the %2 report").arg(a, args.front()));
        QString value;
        if (rule->second.takesValue) {
            if (i + 1 >= args.size())
                return c.fail(CliExit::BadInput, QStringLiteral("%1 needs a value").arg(a));
            value = args.at(++i);
        }
        if (const QString why = rule->second.apply(request, value); !why.isEmpty())
            return c.fail(CliExit::BadInput, why);
    }
    if (!havePath || request.pdf.isEmpty())
        return c.fail(CliExit::BadInput, usage);
    return CliExit::Ok;
}

} // namespace

void SetCliReportWriter(const ReportWriter *writer) { g_writer = writer; }

int PrintCommand(const CliContext &c, const QStringList &args)
{
    PrintRequest request;
    if (const int status = parsePrintArguments(c, args, request); status != CliExit::Ok)
        return status;
    const QString target = c.absolute(request.pdf);
    if (!target.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        return c.fail(CliExit::BadInput, QStringLiteral("%1: a PDF file is named *.pdf").arg(request.pdf));
    if (!QFileInfo(QFileInfo(target).absolutePath()).isDir())
        return c.fail(CliExit::BadInput, QStringLiteral("%1: no such directory").arg(QFileInfo(target).absolutePath()));
    if (QFileInfo(target).isDir())
        return c.fail(CliExit::BadInput, QStringLiteral("%1 is a directory").arg(request.pdf));
    if (!g_writer)
        return c.fail(CliExit::Failed, QStringLiteral("this build of mira cannot write PDF files"));

    int status = CliExit::Ok;
    if (!loadForReading(c, c.db, status))
        return status;
    TTreeNode *node = resolve(c, c.db, request.path);
    if (!node)
        return c.fail(CliExit::BadInput, QStringLiteral("\"%1\" names no container").arg(request.path));
    CliDatabase::RefreshRemote(node, c.err);

    ReportOptions &options = request.options;
    if (options.type == ReportType::Envelope) {
        options.deliveryAddress = DeliveryFor(*node->Item());
        if (!request.returnGiven)
            options.returnAddress = ReturnAddress::Read();
    }
    if (options.fromDate.isValid() && options.toDate.isValid() && options.fromDate > options.toDate)
        return c.fail(CliExit::BadInput, QStringLiteral("--from comes after --to"));
    const ReportDocument doc =
        BuildReport(node, options, g_writer->Measure(), QLocale(), node->Item()->Context().Today());
    try {
        g_writer->WritePdf(doc, target);
    } catch (const std::exception &e) {
        return c.fail(CliExit::Failed, QStringLiteral("cannot write %1: %2").arg(request.pdf, ErrorText(e)));
    }
    c.out << "printed " << doc.pages.size() << (doc.pages.size() == 1 ? " page" : " pages") << " to " << request.pdf
          << "\n";
    return CliExit::Ok;
}
