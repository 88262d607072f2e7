#include "telephonycallerid.h"

namespace {

// Network text: printable characters only, at most MaxCallerIdText of them.
QString cleanText(const QByteArray &raw)
{
    QString text = QString::fromLatin1(raw);
    QString out;
    for (QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || (c.unicode() >= 0x80 && c.unicode() < 0xA0))
            continue;
        out += c;
        if (out.size() == MaxCallerIdText)
            break;
    }
    return out.trimmed();
}

} // namespace

bool CallerIdBlock::addLine(const QByteArray &line)
{
    const int eq = line.indexOf('=');
    if (eq < 0)
        return false;
    const QByteArray key = line.left(eq).trimmed().toUpper();
    const QString value = cleanText(line.mid(eq + 1));
    // A single P or O in place of a number or name says why it is missing.
    auto reason = [&](quint32 *flag) {
        if (value == u"P")
            *flag = CallerIdFlag::Blocked;
        else if (value == u"O")
            *flag = CallerIdFlag::OutOfArea;
        return *flag != 0;
    };
    quint32 flag = 0;
    if (key == "DATE") {
        date = value;
    } else if (key == "TIME") {
        time = value;
    } else if (key == "NMBR" || key == "DDN_NMBR") {
        numberSeen = true;
        if (reason(&flag))
            flags |= flag;
        else
            number = value;
    } else if (key == "NAME") {
        nameSeen = true;
        if (reason(&flag))
            flags |= flag;
        else
            name = value;
    } else {
        return false;
    }
    return true;
}

CallerIdText decodeCallerId(const CallerIdBlock &block, bool formatName, bool formatNumber)
{
    using namespace CallerIdFlag;
    CallerIdText out;
    if (!(block.flags & (Blocked | OutOfArea | Unknown | Unavail))) {
        if (!block.number.isEmpty()) {
            out.number = block.number;
            if (formatNumber && out.number.size() == 10) {
                if (out.number.at(3) != u'-')
                    out.number.insert(3, u'-');
                if (out.number.at(7) != u'-')
                    out.number.insert(7, u'-');
            }
        }
        if (!block.name.isEmpty()) {
            out.name = block.name;
            if (formatName) {
                out.name = out.name.toLower();
                for (int i = 0; i < out.name.size(); ++i)
                    if (i == 0 || out.name.at(i - 1) == u' ')
                        out.name[i] = out.name.at(i).toUpper();
            }
        }
    }
    auto append = [&](const char *text) {
        if (!out.number.isEmpty())
            out.number += QStringLiteral(", ");
        out.number += QLatin1String(text);
    };
    out.blocked = block.flags & Blocked;
    out.outOfArea = block.flags & OutOfArea;
    if (block.flags & Blocked)
        append("*Private");
    if (block.flags & OutOfArea)
        append("*Out of Area");
    if (block.flags & Partial)
        append("*Partial");
    if (block.flags & Unknown)
        append("*Unknown");
    if (block.flags & Unavail)
        append("*Unavailable");
    return out;
}
