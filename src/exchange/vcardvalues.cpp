#include "vcardvalues.h"

#include "vcardfile.h"
#include "vcardtext.h"

#include "platform/textcodec.h"

#include <array>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

bool isComponent(VCardName name) { return name == VCardName::N || name == VCardName::ADR || name == VCardName::ORG; }

// What a look at every byte of a value tells: whether it holds a backslash, a control
// character other than LF, a byte beyond ASCII.
struct Look
{
    bool backslash = false;
    bool controls = false;
    bool high = false;
};

Look lookAt(QByteArrayView text)
{
    const auto *p = reinterpret_cast<const unsigned char *>(text.data());
    const qsizetype n = text.size();
    qsizetype i = 0;
    Look look;
#if defined(__SSE2__)
    // Sixteen bytes at a time: every value of every card is looked at.
    const __m128i slash = _mm_set1_epi8('\\');
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i notControl = _mm_set1_epi8(char(0xE0));
    const __m128i zero = _mm_setzero_si128();
    __m128i slashes = zero;
    __m128i marks = zero;
    __m128i highs = zero;
    for (; i + 16 <= n; i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + i));
        slashes = _mm_or_si128(slashes, _mm_cmpeq_epi8(v, slash));
        // Below 0x20 (no bit above the low five) and not LF.
        const __m128i control = _mm_cmpeq_epi8(_mm_and_si128(v, notControl), zero);
        marks = _mm_or_si128(marks, _mm_andnot_si128(_mm_cmpeq_epi8(v, lf), control));
        highs = _mm_or_si128(highs, v);
    }
    look.backslash = _mm_movemask_epi8(slashes) != 0;
    look.controls = _mm_movemask_epi8(marks) != 0;
    look.high = _mm_movemask_epi8(highs) != 0;
#endif
    // The rest (most values are short) through a table: 1 for a backslash, 2 for a
    // control, 4 beyond ASCII.
    static constexpr auto kClass = [] {
        std::array<unsigned char, 256> table{};
        for (int c = 0; c < 0x20; ++c)
            table[size_t(c)] = c == '\n' ? 0 : 2;
        table['\\'] = 1;
        for (int c = 0x80; c < 0x100; ++c)
            table[size_t(c)] = 4;
        return table;
    }();
    unsigned char found = 0;
    for (; i < n; ++i)
        found |= kClass[p[i]];
    look.backslash |= (found & 1) != 0;
    look.controls |= (found & 2) != 0;
    look.high |= (found & 4) != 0;
    return look;
}

// Reads the backslash escapes of store/vcardline.h ("\N" and "\:" too); a backslash
// before anything else is kept.
QByteArrayView unescaped(QByteArrayView text, TextRoom &room)
{
    if (!std::memchr(text.data(), '\\', size_t(text.size())))
        return text;
    char *const out = room.Take(text.size());
    char *to = out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\\' || i + 1 == text.size()) {
            *to++ = c;
            continue;
        }
        const char next = text[i + 1];
        if (next == 'n' || next == 'N') {
            *to++ = '\n';
            ++i;
        } else if (next == '\\' || next == ';' || next == ',' || next == ':') {
            *to++ = next;
            ++i;
        } else {
            // Not an escape: a path or a stray backslash keeps it.
            *to++ = c;
        }
    }
    room.GiveBack(to);
    return QByteArrayView(out, to - out);
}

// Control characters other than line breaks would reach titles and the record file;
// line breaks of any kind (a quoted-printable CR LF) become LF.
QByteArrayView withoutControls(QByteArrayView text, TextRoom &room)
{
    if (!lookAt(text).controls)
        return text;
    char *const out = room.Take(text.size());
    char *to = out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n')
                continue;
            *to++ = '\n';
        } else {
            *to++ = uchar(c) < 0x20 && c != '\n' ? ' ' : c;
        }
    }
    room.GiveBack(to);
    return QByteArrayView(out, to - out);
}

QByteArrayView withoutScheme(QByteArrayView value, std::string_view scheme)
{
    return StartsWithAsciiWord(value, scheme) ? value.sliced(qsizetype(scheme.size())) : value;
}

} // namespace

QString VCardText(QByteArrayView utf8)
{
    // Decoding drops one at the start, as a file's own mark.
    QString text;
    while (utf8.startsWith("\xEF\xBB\xBF")) {
        text += QChar(0xFEFF);
        utf8 = utf8.sliced(3);
    }
    return text.isEmpty() ? QString::fromUtf8(utf8) : text + QString::fromUtf8(utf8);
}

namespace {

// SplitVCardValue with a look at text (or at more than text) taken already: one look at
// the value says whether any piece of it needs more than a view.
void splitValue(VCardName kept, bool uriValue, QByteArrayView text, Look look, TextRoom &room, VCardPieces &pieces)
{
    pieces.clear();
    while (!text.isEmpty() && (text.front() == ' ' || text.front() == '\t'))
        text = text.sliced(1);
    const bool escaped = look.backslash;
    const bool controls = look.controls;
    const auto piece = [&](QByteArrayView t) {
        if (escaped)
            t = unescaped(t, room);
        return controls ? withoutControls(t, room) : t;
    };
    if (!isComponent(kept)) {
        pieces.append(piece(text));
    } else if (!escaped) {
        // Components end at a ";"; without a backslash, at every one.
        qsizetype start = 0;
        for (;;) {
            const auto *semi = static_cast<const char *>(
                std::memchr(text.data() + start, ';', size_t(text.size() - start)));
            const qsizetype end = semi ? semi - text.data() : text.size();
            pieces.append(piece(text.sliced(start, end - start)));
            if (!semi)
                break;
            start = end + 1;
        }
    } else {
        // Components end at a ";" that no backslash escapes; commas are text.
        qsizetype start = 0;
        for (qsizetype i = 0; i <= text.size(); ++i) {
            if (i + 1 < text.size() && text[i] == '\\') {
                ++i;
                continue;
            }
            if (i == text.size() || text[i] == ';') {
                pieces.append(piece(text.sliced(start, i - start)));
                start = i + 1;
            }
        }
    }
    if (uriValue || kept == VCardName::TEL)
        pieces[0] = withoutScheme(pieces[0], "tel:");
    if (kept == VCardName::EMAIL)
        pieces[0] = withoutScheme(pieces[0], "mailto:");
}

} // namespace

void SplitVCardValue(VCardName kept, bool uriValue, QByteArrayView text, TextRoom &room, VCardPieces &pieces)
{
    splitValue(kept, uriValue, text, lookAt(text), room, pieces);
}

QByteArrayView DecodedVCardText(QByteArrayView value, const VCardHead &head, TextRoom &room)
{
    // Most values are UTF-8 (or ASCII) as they stand, and are read as such; a leading
    // byte-order mark is not, as decoding drops it.
    if (!head.quotedPrintable && (head.charset.isEmpty() || VCardIsUtf8Charset(head.charset)) &&
        !value.startsWith("\xEF\xBB\xBF") && isValidUtf8(value.data(), value.size()))
        return value;
    return room.Copy(QStringView(DecodeVCardValue(value, head)));
}

void CardValues::addSplit(const VCardHead &head)
{
    m_properties.push_back({head.kept, head.types, head.name, qsizetype(m_pieces.size()), m_split.size()});
    m_pieces.insert(m_pieces.end(), m_split.begin(), m_split.end());
}

void CardValues::Add(const VCardHead &head, QByteArrayView value, bool transient)
{
    // Plain ASCII, the shape of most values, needs no decoding: the look that tells it
    // serves the split too.
    const Look look = lookAt(value);
    if (!look.high && !head.quotedPrintable && (head.charset.isEmpty() || VCardIsUtf8Charset(head.charset))) {
        splitValue(head.kept, head.uriValue, transient ? m_room.Copy(value) : value, look, m_room, m_split);
    } else {
        QByteArrayView text = DecodedVCardText(value, head, m_room);
        if (transient && text.data() == value.data())
            text = m_room.Copy(text);
        SplitVCardValue(head.kept, head.uriValue, text, m_room, m_split);
    }
    addSplit(head);
}

void CardValues::SetVersion(const VCardHead &head, QByteArrayView value, bool transient)
{
    const QByteArrayView text = DecodedVCardText(value, head, m_room);
    const QByteArrayView trimmed = text.trimmed();
    if (!trimmed.isEmpty() && (uchar(trimmed.front()) >= 0x80 || uchar(trimmed.back()) >= 0x80))
        // Blanks beyond ASCII are trimmed as text trims them.
        m_version = m_room.Copy(QStringView(VCardText(trimmed).trimmed()));
    else
        m_version = transient && text.data() == value.data() ? m_room.Copy(trimmed) : trimmed;
}

const CardValues::Property *CardValues::Find(VCardName name) const
{
    for (const Property &p : m_properties)
        if (p.name == name)
            return &p;
    return nullptr;
}

void CardValues::Clear()
{
    m_properties.clear();
    m_pieces.clear();
    m_version = {};
    m_room.Clear();
    Line = 0;
}

TCard CardValues::ToCard() const
{
    TCard card;
    card.Version = VCardText(m_version);
    card.Line = Line;
    for (const Property &p : m_properties) {
        TCardProperty property;
        property.Name = VCardNameText(p.written, p.name);
        property.Types = p.types;
        property.Values.reserve(p.count);
        for (qsizetype i = 0; i < p.count; ++i)
            property.Values << VCardText(Piece(p, i));
        card.Add(std::move(property));
    }
    return card;
}

void CardValues::Assign(const TCard &card)
{
    Clear();
    Line = card.Line;
    m_version = m_room.Copy(QStringView(card.Version));
    for (int i = 0; i < card.Count(); ++i) {
        const TCardProperty &p = card.Items(i);
        const VCardName name = VCardNameOf(p.Name);
        if (name == VCardName::Other)
            continue;
        const QByteArrayView written = m_room.Copy(QStringView(p.Name));
        m_properties.push_back({name, p.Types, written, qsizetype(m_pieces.size()), p.Values.size()});
        for (const QString &value : p.Values)
            m_pieces.push_back(m_room.Copy(QStringView(value)));
    }
}
