#include "phoneformats.h"

namespace {

// Characters QLineEdit::inputMask treats as mask characters (or reserves), plus its
// own field separator; as literals they must be escaped.
bool isQtMaskCharacter(QChar c)
{
    static const QString special = QStringLiteral("AaNnXx90Dd#HhBb><!\\[]{};");
    return special.contains(c);
}

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

} // namespace

NumberMask::NumberMask(const QString &mask) : m_mask(mask)
{
    qsizetype i = 0;
    const qsizetype n = mask.size();
    if (i < n && mask.at(i) == u'!') {
        m_leadingBlanks = true;
        ++i;
    }
    for (; i < n; ++i) {
        const QChar c = mask.at(i);
        if (c == u';')
            break;
        if (c == u'\\') {
            if (i + 1 < n)
                m_positions.append({Type::Literal, mask.at(++i)});
        } else if (c == u'0') {
            m_positions.append({Type::Required, QChar()});
        } else if (c == u'9') {
            m_positions.append({Type::Optional, QChar()});
        } else {
            m_positions.append({Type::Literal, c});
        }
    }
    if (i >= n)
        return;
    const QStringList options = mask.mid(i + 1).split(u';');
    if (!options.value(0).isEmpty())
        m_literalsSaved = options.at(0).at(0) != u'0';
    if (!options.value(1).isEmpty())
        m_blank = options.at(1).at(0);
}

QString NumberMask::qtInputMask() const
{
    if (isEmpty())
        return QString();
    QString out;
    for (const Position &p : m_positions) {
        switch (p.type) {
        case Type::Required:
            out += u'9';
            break;
        case Type::Optional:
            out += u'0';
            break;
        case Type::Literal:
            if (isQtMaskCharacter(p.literal))
                out += u'\\';
            out += p.literal;
            break;
        }
    }
    // A leading "!" has no counterpart: the field fills from the left as the user
    // types, and masked fields are never given text by the program.
    return out + u';' + m_blank;
}

QString NumberMask::bareText(const QString &shownText) const
{
    if (isEmpty())
        return shownText;
    QString out;
    const qsizetype n = qMin<qsizetype>(shownText.size(), m_positions.size());
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = shownText.at(i);
        if (m_positions.at(i).type == Type::Literal) {
            if (m_literalsSaved)
                out += c;
        } else if (c != m_blank && c != u' ') {
            out += c;
        }
    }
    return out;
}

int NumberMask::firstInput() const
{
    int pos = 0;
    while (pos < m_positions.size() && m_positions.at(pos).type == Type::Literal)
        ++pos;
    return pos;
}

QString NumberMask::shownText(const QString &typed) const
{
    if (isEmpty())
        return typed;
    QString out;
    for (const Position &p : m_positions)
        out += p.type == Type::Literal ? p.literal : m_blank;
    const auto nextInput = [this](qsizetype pos) {
        while (pos < m_positions.size() && m_positions.at(pos).type == Type::Literal)
            ++pos;
        return pos;
    };
    qsizetype pos = nextInput(0);
    for (const QChar c : typed) {
        if (pos >= m_positions.size())
            break;
        if (isDigit(c)) {
            out[pos] = c;
            pos = nextInput(pos + 1);
            continue;
        }
        // Typing a literal that lies ahead jumps past it; anything else is refused.
        for (qsizetype i = pos; i < m_positions.size(); ++i) {
            if (m_positions.at(i).type == Type::Literal && m_positions.at(i).literal == c) {
                pos = nextInput(i + 1);
                break;
            }
        }
    }
    return out;
}

const QList<PhoneFormat> &PhoneFormats()
{
    static const QList<PhoneFormat> formats = {
        {QStringLiteral("Free Format"), QString()},
        {QStringLiteral("USA"), QStringLiteral("!\\(999\\)000-0000;0;_")},
        {QStringLiteral("Denmark"), QStringLiteral("\\+45 00 00 00 00;0;_")},
        {QStringLiteral("France"), QStringLiteral("!16\\-00\\-00\\-00\\-00;0;_")},
        {QStringLiteral("Germany"), QStringLiteral("!\\(999 99\\) 99999;0;_")},
        {QStringLiteral("Italy"), QStringLiteral("!\\(9999\\) 0000 0000;0;_")},
        {QStringLiteral("Netherlands"), QStringLiteral("!\\00099\\-0000999;0;_")},
        {QStringLiteral("Norway"), QStringLiteral("00 09 99 99;0;_")},
        {QStringLiteral("Spain"), QStringLiteral("!\\(999\\)0000000;0;_")},
        {QStringLiteral("Sweden"), QStringLiteral("00 09 99 99;0;_")},
        {QStringLiteral("United Kingdom"), QStringLiteral("!\\00009 0000099;0;_")},
    };
    return formats;
}

const QList<PhoneFormat> &FaxFormats()
{
    static const QList<PhoneFormat> formats = [] {
        const QList<PhoneFormat> &phone = PhoneFormats();
        QList<PhoneFormat> fax{phone.at(1), phone.at(0)};
        fax.append(phone.mid(2));
        return fax;
    }();
    return formats;
}

QStringList FormatNames(const QList<PhoneFormat> &formats)
{
    QStringList names;
    for (const PhoneFormat &f : formats)
        names << f.name;
    return names;
}

QString FormatMask(const QList<PhoneFormat> &formats, int index)
{
    return index >= 0 && index < formats.size() ? formats.at(index).mask : QString();
}
