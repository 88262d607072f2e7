#include "ldif.h"

#include "platform/textcodec.h"
#include "store/contactobject.h"
#include "store/itemfactory.h"
#include "store/recordfile.h"
#include "store/treenodes.h"
#include "store/zebobject.h"

#include <QFileInfo>
#include <QScopeGuard>

namespace {

// Attribute → the program's column, as the import reads and the export writes them.
const struct { const char *attribute; const char *column; } kColumns[] = {
    {"givenName", "First Name"},
    {"sn", "Last Name"},
    {"cn", "Title"},
    {"mail", "E-Mail Address"},
    {"telephoneNumber", "Phone Number"},
    {"facsimileTelephoneNumber", "Fax Number"},
    {"l", "City"},
    {"st", "State/Province"},
    {"postalCode", "Postal Code"},
    {"c", "Country"},
    {"mozillaWorkUrl", "Website"},
    {"description", "Comment"},
};
// Street lines: the first goes in "street", the second in the client's own attribute;
// a third makes "street" hold all of them, one under the other.
const char *const kStreetColumns[] = {"Address Line 1", "Address Line 2", "Address Line 3"};
// Persons have no job-title field: the title is kept as a comment line of this shape,
// which the export gives back as the attribute.
const QLatin1String kJobTitle("Job title: ");
// Further numbers, as phone items of these titles.
const struct { const char *attribute; const char *title; } kExtraPhones[] = {
    {"homePhone", "Home Phone"},
    {"mobile", "Mobile Phone"},
};

QString attributeName(QStringView written)
{
    const qsizetype options = written.indexOf(u';');
    return (options < 0 ? written : written.first(options)).trimmed().toString();
}

bool safeValue(const QString &v)
{
    if (v.isEmpty())
        return true;
    if (v.front() == u' ' || v.front() == u':' || v.front() == u'<' || v.back() == u' ')
        return false;
    for (const QChar c : v)
        if (c.unicode() == 0 || c.unicode() > 127 || c == u'\n' || c == u'\r')
            return false;
    return true;
}

// The value of a column as the item's own CSV cell gives it.
QString columnValue(const TZEBObject &item, const QString &column)
{
    const QString cell = item.GetFieldCSV(column);
    if (cell.size() < 3 || !cell.startsWith(u'"') || !cell.endsWith(QLatin1String("\",")))
        return QString();
    return cell.mid(1, cell.size() - 3).replace(QLatin1String("\"\""), QLatin1String("\""));
}

bool hasClass(const LdifEntry &e, QStringView name)
{
    for (const QString &c : e.Values(u"objectclass"))
        if (c.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

// A postalAddress value: lines separated by "$", with "\24" and "\5C" standing for "$"
// and "\".
QStringList postalAddressLines(const QString &value)
{
    QStringList lines;
    for (QString line : value.split(u'$')) {
        line.replace(QLatin1String("\\24"), QLatin1String("$")).replace(QLatin1String("\\5C"), QLatin1String("\\"), Qt::CaseInsensitive);
        lines << line;
    }
    return lines;
}

// The street lines of an entry: "street" split at its line breaks, then the client's
// second line; failing both, the postal address. Blank lines are dropped and lines
// beyond the third, which an address does not keep, join the third.
QStringList streetLines(const LdifEntry &e)
{
    QStringList raw = e.Value(u"street").split(u'\n');
    raw << e.Value(u"mozillaPostalAddress2").split(u'\n');
    QStringList lines;
    for (const QString &l : raw)
        if (!l.trimmed().isEmpty())
            lines << l.trimmed();
    if (lines.isEmpty())
        for (const QString &l : postalAddressLines(e.Value(u"postalAddress")))
            if (!l.trimmed().isEmpty())
                lines << l.trimmed();
    while (lines.size() > 3)
        lines[2] += QLatin1String(", ") + lines.takeAt(3);
    return lines;
}

// The comment of a person with its job title, if any, as a line of its own at the end.
QString commentWithJobTitle(const QString &comment, const QString &jobTitle)
{
    if (jobTitle.isEmpty())
        return comment;
    return (comment.isEmpty() ? QString() : comment + u'\n') + kJobTitle + jobTitle;
}

// The other way: the comment without a last "Job title: " line, and that title.
QPair<QString, QString> splitJobTitle(const QString &comment)
{
    const qsizetype lineStart = comment.lastIndexOf(u'\n') + 1;
    if (!QStringView(comment).sliced(lineStart).startsWith(kJobTitle))
        return {comment, QString()};
    return {comment.left(qMax<qsizetype>(0, lineStart - 1)), comment.mid(lineStart + kJobTitle.size())};
}

TTreeNode *organizationIn(TTreeNode *target, const QString &title, ImportNotes &notes)
{
    for (int i = 0; i < target->Count(); ++i) {
        TTreeNode *n = target->Child(i);
        if (n->Item()->Kind() == ItemKind::Organization && n->Item()->Title() == title)
            return n;
    }
    TZEBObject *org = CreateItem(ItemKind::Organization, {}, {}, {}, target, {}, 0);
    if (!org->ImportFields({title}, {QStringLiteral("Title")})) {
        DiscardItem(org);
        return target;
    }
    ++notes.made;
    return org->Node();
}

} // namespace

QString LdifEntry::Value(QAnyStringView name) const
{
    for (const auto &a : attributes)
        if (QAnyStringView::compare(attributeName(a.first), name, Qt::CaseInsensitive) == 0)
            return a.second;
    return QString();
}

QStringList LdifEntry::Values(QAnyStringView name) const
{
    QStringList values;
    for (const auto &a : attributes)
        if (QAnyStringView::compare(attributeName(a.first), name, Qt::CaseInsensitive) == 0)
            values << a.second;
    return values;
}

LdifFile ParseLdif(const QString &text)
{
    LdifFile file;
    const QStringList raw = text.split(u'\n');
    LdifEntry entry;
    QString logical;
    int logicalLine = 0;
    auto bad = [&file](int line) {
        if (file.badLines++ == 0)
            file.firstBadLine = line;
    };
    auto takeLine = [&] {
        if (logical.isEmpty())
            return;
        const QString line = std::exchange(logical, {});
        if (line.startsWith(u'#') || line.startsWith(QLatin1String("version:"), Qt::CaseInsensitive))
            return;
        const qsizetype colon = line.indexOf(u':');
        if (colon <= 0) {
            bad(logicalLine);
            return;
        }
        const QString name = line.left(colon).trimmed();
        QString value;
        if (line.mid(colon + 1).startsWith(u':')) {
            const auto decoded = QByteArray::fromBase64Encoding(line.mid(colon + 2).trimmed().toLatin1(),
                                                                 QByteArray::AbortOnBase64DecodingErrors);
            if (!decoded) {
                bad(logicalLine);
                return;
            }
            value = isValidUtf8(*decoded) ? QString::fromUtf8(*decoded) : decodeWindows1252(*decoded);
        } else if (line.mid(colon + 1).startsWith(u'<')) {
            return; // a value held elsewhere (a URL) is not fetched
        } else {
            value = line.mid(colon + 1);
            while (value.startsWith(u' '))
                value.remove(0, 1);
        }
        if (entry.attributes.isEmpty())
            entry.line = logicalLine;
        entry.attributes.append({name, value});
    };
    auto takeEntry = [&] {
        takeLine();
        if (!entry.attributes.isEmpty())
            file.entries.push_back(std::exchange(entry, {}));
    };
    for (int i = 0; i < raw.size(); ++i) {
        QString line = raw.at(i);
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.startsWith(u' ') && !logical.isEmpty()) {
            logical += QStringView(line).sliced(1);
            continue;
        }
        if (line.trimmed().isEmpty()) {
            takeEntry();
            continue;
        }
        takeLine();
        logical = line;
        logicalLine = i + 1;
    }
    takeEntry();
    return file;
}

QString LdifLine(const QString &name, const QString &value)
{
    const QString line = safeValue(value) ? name + QLatin1String(": ") + value
                                          : name + QLatin1String(":: ") + QString::fromLatin1(value.toUtf8().toBase64());
    if (line.size() <= 76)
        return line;
    QString folded = line.left(76);
    for (qsizetype i = 76; i < line.size(); i += 75)
        folded += QLatin1String("\r\n ") + line.mid(i, 75);
    return folded;
}

QString LdifDnValue(const QString &value)
{
    QString out;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (QStringView(u",+\"\\<>;=").contains(c) || (i == 0 && (c == u'#' || c == u' ')) ||
            (i == value.size() - 1 && c == u' '))
            out += u'\\';
        out += c;
    }
    return out;
}

ImportNotes ImportLdif(TTreeNode *target, const QString &fileName)
{
    ImportNotes notes;
    if (!QFileInfo::exists(fileName))
        return notes;
    if (const TZEBObject *owner = target->Item(); owner && (owner->IsRemote() || owner->InRemote()))
        throw ERemoteParent();
    const LdifFile file = ParseLdif(ImportText::ReadText(fileName));
    TTreeNodes *nodes = target->Owner();
    nodes->BeginUpdate();
    const auto update = qScopeGuard([nodes] { nodes->EndUpdate(); });
    int lists = 0;
    for (const LdifEntry &e : file.entries) {
        if (hasClass(e, u"groupOfNames") || hasClass(e, u"mozillaAbList")) {
            ++lists;
            continue;
        }
        const bool organization = hasClass(e, u"organization") && !hasClass(e, u"person") && !hasClass(e, u"inetOrgPerson");
        QStringList names;
        QStringList values;
        for (const auto &c : kColumns) {
            names << QString::fromLatin1(c.column);
            values << e.Value(QLatin1String(c.attribute)).trimmed();
        }
        auto set = [&](const char *column, const QString &value) { values[names.indexOf(QLatin1String(column))] = value; };
        const QStringList street = streetLines(e);
        for (qsizetype i = 0; i < street.size(); ++i) {
            names << QString::fromLatin1(kStreetColumns[i]);
            values << street.at(i);
        }
        if (values[names.indexOf(QLatin1String("Website"))].isEmpty())
            set("Website", e.Value(u"mozillaHomeUrl").isEmpty() ? e.Value(u"labeledURI").section(u' ', 0, 0)
                                                                 : e.Value(u"mozillaHomeUrl"));
        if (values[names.indexOf(QLatin1String("Fax Number"))].isEmpty())
            set("Fax Number", e.Value(u"fax"));
        TTreeNode *into = target;
        TZEBObject *item = nullptr;
        if (organization) {
            set("Title", e.Value(u"o").trimmed());
            item = CreateItem(ItemKind::Organization, {}, {}, {}, into, {}, 0);
        } else {
            const QString cn = e.Value(u"cn").simplified();
            if (e.Value(u"givenName").isEmpty() && e.Value(u"sn").isEmpty() && cn.contains(u' ')) {
                set("First Name", cn.section(u' ', 0, -2));
                set("Last Name", cn.section(u' ', -1));
            } else if (e.Value(u"givenName").isEmpty() && e.Value(u"sn").isEmpty()) {
                set("Last Name", cn);
            }
            set("Comment", commentWithJobTitle(e.Value(u"description").trimmed(), e.Value(u"title").simplified()));
            if (const QString o = e.Value(u"o").trimmed(); !o.isEmpty())
                into = organizationIn(target, o, notes);
            item = CreateItem(ItemKind::Person, {}, {}, {}, into, {}, 0);
        }
        if (!item->ImportFields(values, names)) {
            DiscardItem(item);
            notes.Skip(e.line);
            continue;
        }
        ++notes.made;
        for (const auto &p : kExtraPhones)
            if (const QString number = e.Value(QLatin1String(p.attribute)).trimmed(); !number.isEmpty())
                CreateItem(ItemKind::Phone, QString::fromLatin1(p.title), number, {}, item->Node(), {}, 0);
    }
    if (lists > 0)
        notes.problems << (lists == 1 ? QStringLiteral("1 mailing list was left out")
                                      : QStringLiteral("%1 mailing lists were left out").arg(lists));
    if (file.badLines > 0)
        notes.problems << QStringLiteral("%1 line(s) that are not \"name: value\" were passed over, the first at line %2")
                              .arg(file.badLines)
                              .arg(file.firstBadLine);
    return notes;
}

int ExportLdif(TTreeNode *node, const QString &fileName)
{
    int written = 0;
    WriteWholeFile(fileName, [&](RecordSink &sink) {
        ForEachShownNode(node, [&](TTreeNode *n, int) {
            const TZEBObject &item = *n->Item();
            const bool person = item.Kind() == ItemKind::Person;
            if (!person && item.Kind() != ItemKind::Organization)
                return;
            const QString mail = columnValue(item, QStringLiteral("E-Mail Address"));
            if (person) {
                const QString cn = columnValue(item, QStringLiteral("Title"));
                sink.Line(LdifLine(QStringLiteral("dn"), QStringLiteral("cn=") + LdifDnValue(cn) +
                                                             (mail.isEmpty() ? QString() : QStringLiteral(",mail=") + LdifDnValue(mail))));
                for (const char *c : {"top", "person", "organizationalPerson", "inetOrgPerson"})
                    sink.Line(LdifLine(QStringLiteral("objectclass"), QString::fromLatin1(c)));
            } else {
                sink.Line(LdifLine(QStringLiteral("dn"), QStringLiteral("o=") + LdifDnValue(item.Title())));
                for (const char *c : {"top", "organization"})
                    sink.Line(LdifLine(QStringLiteral("objectclass"), QString::fromLatin1(c)));
                sink.Line(LdifLine(QStringLiteral("o"), item.Title()));
            }
            for (const auto &c : kColumns) {
                if (!person && (QLatin1String(c.attribute) == QLatin1String("givenName") ||
                                QLatin1String(c.attribute) == QLatin1String("sn") || QLatin1String(c.attribute) == QLatin1String("cn")))
                    continue;
                QString v = columnValue(item, QString::fromLatin1(c.column));
                if (person && QLatin1String(c.column) == QLatin1String("Comment"))
                    v = splitJobTitle(v).first;
                if (!v.isEmpty())
                    sink.Line(LdifLine(QString::fromLatin1(c.attribute), v));
            }
            QStringList street;
            for (const char *column : kStreetColumns)
                street << columnValue(item, QString::fromLatin1(column));
            while (!street.isEmpty() && street.last().isEmpty())
                street.removeLast();
            if (street.size() > 2) {
                sink.Line(LdifLine(QStringLiteral("street"), street.join(u'\n')));
            } else {
                if (!street.value(0).isEmpty())
                    sink.Line(LdifLine(QStringLiteral("street"), street.value(0)));
                if (!street.value(1).isEmpty())
                    sink.Line(LdifLine(QStringLiteral("mozillaPostalAddress2"), street.value(1)));
            }
            if (person)
                if (const QString job = splitJobTitle(columnValue(item, QStringLiteral("Comment"))).second; !job.isEmpty())
                    sink.Line(LdifLine(QStringLiteral("title"), job));
            for (const auto &p : kExtraPhones)
                if (const TZEBObject *phone = item.FindChild(QString::fromLatin1(p.title), ItemKind::Phone))
                    sink.Line(LdifLine(QString::fromLatin1(p.attribute), phone->Value()));
            if (person && n->Parent() && n->Parent()->Item()->Kind() == ItemKind::Organization)
                sink.Line(LdifLine(QStringLiteral("o"), n->Parent()->Item()->Title()));
            sink.Line(QString());
            ++written;
        });
    });
    return written;
}
