#include "vcardfile.h"

#include "vcardtext.h"
#include "vcardvalues.h"

#include "platform/safefiles.h"
#include "store/recordfile.h"
#include "store/fieldcodec.h"
#include "store/linescan.h"
#include "store/recordsource.h"

#include <QFile>
#include <QStringDecoder>

#include <cstring>
#include <functional>

namespace {

// Reads cards from the bytes of a file, one logical line at a time.
class CardReader
{
public:
    CardReader(QByteArrayView bytes, VCardReadNotes &notes, const std::function<void(CardValues &)> &each)
        : m_p(bytes.constData()), m_end(bytes.constData() + bytes.size()), m_each(each), m_notes(notes)
    {
    }

    // Reads every card; gives the count of lines read.
    int Run()
    {
        const char *b;
        const char *e;
        while (nextPhysical(b, e)) {
            if (m_inLine && continues(b, e)) {
                if (m_inCard && std::memchr(b, 0, size_t(e - b)))
                    m_unreadable = true;
                continue;
            }
            endLogical();
            startLogical(b, e);
            if (m_stop)
                break;
        }
        endLogical();
        if (m_inCard) {
            ++m_notes.unended;
            endCard();
        }
        return m_lineNumber;
    }

private:
    size_t skipped() const { return size_t(m_notes.unreadable + m_notes.empty); }

    // Lines end at LF, at CR LF, or at a CR alone: after a CR only an LF is taken with it.
    bool nextPhysical(const char *&b, const char *&e)
    {
        if (m_p >= m_end)
            return false;
        b = m_p;
        e = LineScan::FindLineEnd(m_p, m_end);
        m_p = LineScan::SkipLineEnd(e, m_end);
        ++m_lineNumber;
        return true;
    }

    // A folded line (a blank first), or the next part of a quoted-printable value whose
    // line ended in "=". Adds it to the logical line when that is kept.
    bool continues(const char *b, const char *e)
    {
        if (m_softBreak) {
            m_softBreak = e > b && e[-1] == '=';
            append(b, m_softBreak ? e - 1 : e);
            return true;
        }
        if (b < e && (*b == ' ' || *b == '\t')) {
            append(b + 1, e);
            return true;
        }
        return false;
    }

    // The value is read where it stands in the file while it is one piece; a value that
    // goes on over lines is put together in m_line.
    void append(const char *b, const char *e)
    {
        if (!m_keep)
            return;
        if ((m_joined ? m_line.size() : m_value.size()) + (e - b) > TVCardFile::MaxPropertyLine) {
            m_unreadable = true;
            m_keep = false;
            return;
        }
        if (!m_joined) {
            if (!m_started) {
                m_value = QByteArrayView(b, e - b);
                m_started = true;
                return;
            }
            // Emptied, not freed: each value goes where the one before was.
            m_line.resize(0);
            AppendBytes(m_line, m_value.data(), m_value.size());
            m_joined = true;
        }
        AppendBytes(m_line, b, e - b);
    }

    void startLogical(const char *b, const char *e)
    {
        m_inLine = true;
        m_keep = false;
        m_softBreak = false;
        m_started = false;
        m_joined = false;
        m_value = {};
        if (StartsWithAsciiWord(QByteArrayView(b, e), "begin:")) {
            if (m_inCard) {
                // The card before has no END: it ends where the next begins.
                ++m_notes.unended;
                endCard();
            }
            if (m_kept + skipped() >= size_t(TVCardFile::MaxCards)) {
                m_notes.tooMany = true;
                m_stop = true;
                m_inLine = false;
                return;
            }
            m_inCard = true;
            m_card.Clear();
            m_card.Line = m_lineNumber;
            m_unreadable = false;
            m_inLine = false;
            return;
        }
        if (!m_inCard)
            return;
        if (StartsWithAsciiWord(QByteArrayView(b, e), "end:")) {
            endCard();
            m_inLine = false;
            return;
        }
        if (std::memchr(b, 0, size_t(e - b)))
            m_unreadable = true;
        const char *colon = static_cast<const char *>(std::memchr(b, ':', size_t(e - b)));
        if (!colon)
            return; // no name: nothing to find it by
        // Quoted parameter values may hold a colon; they are rare, so the exact end of
        // the head is looked for only when a quote comes before the first colon.
        if (std::memchr(b, '"', size_t(colon - b))) {
            const qsizetype end = VCardHeadEnd(QByteArrayView(b, e - b));
            if (end < 0)
                return;
            colon = b + end;
        }
        m_head = ParseVCardHead(QByteArrayView(b, colon - b));
        m_softBreak = m_head.quotedPrintable && e > colon + 1 && e[-1] == '=';
        // The properties the program reads; every other one is passed over.
        m_keep = m_head.kept != VCardName::Other;
        append(colon + 1, m_softBreak ? e - 1 : e);
    }

    void endLogical()
    {
        if (!m_inLine)
            return;
        m_inLine = false;
        if (!m_keep)
            return;
        // A value put together in m_line is read before the next one goes there.
        const QByteArrayView value = m_joined ? QByteArrayView(m_line) : m_value;
        if (m_head.kept == VCardName::VERSION)
            m_card.SetVersion(m_head, value, m_joined);
        else
            m_card.Add(m_head, value, m_joined);
    }

    void endCard()
    {
        m_inCard = false;
        if (m_unreadable) {
            if (m_notes.unreadable++ == 0)
                m_notes.firstUnreadableLine = m_card.Line;
        } else if (m_card.Count() == 0) {
            ++m_notes.empty;
        } else {
            ++m_kept;
            m_each(m_card);
        }
        m_card.Clear();
    }

    const char *m_p;
    const char *m_end;
    const std::function<void(CardValues &)> &m_each;
    VCardReadNotes &m_notes;
    size_t m_kept = 0;
    int m_lineNumber = 0;

    bool m_stop = false;
    bool m_inCard = false;
    bool m_unreadable = false;
    CardValues m_card;

    bool m_inLine = false;
    bool m_keep = false;
    bool m_softBreak = false;
    VCardHead m_head;
    bool m_started = false; // the value has its first piece
    bool m_joined = false;  // the value is in m_line, not in the file
    QByteArrayView m_value;
    QByteArray m_line;
};

// Lines of a card should not pass 75 bytes; longer ones go on in lines that start
// with a blank, never inside a character.
void appendFolded(QByteArray &out, const QString &line)
{
    const QByteArray bytes = line.toUtf8();
    qsizetype start = 0;
    qsizetype room = 75;
    while (bytes.size() - start > room) {
        qsizetype cut = start + room;
        while (cut > start && (uchar(bytes.at(cut)) & 0xC0) == 0x80)
            --cut;
        out.append(bytes.constData() + start, cut - start);
        out.append("\r\n ");
        start = cut;
        room = 74;
    }
    out.append(bytes.constData() + start, bytes.size() - start);
    out.append("\r\n");
}

} // namespace

int TCard::IndexOf(const TCardProperty *property) const
{
    for (size_t i = 0; i < m_properties.size(); ++i)
        if (&m_properties[i] == property)
            return int(i);
    return -1;
}

const TCardProperty *TCard::FindProperty(QStringView name) const
{
    if (name.isEmpty())
        return nullptr;
    for (const TCardProperty &property : m_properties)
        if (property.Name.size() == name.size() && property.Name.compare(name, Qt::CaseInsensitive) == 0)
            return &property;
    return nullptr;
}

std::optional<TCardProperty> TCard::TakeProperty(QStringView name)
{
    const TCardProperty *found = FindProperty(name);
    if (!found)
        return std::nullopt;
    const int index = IndexOf(found);
    TCardProperty taken = std::move(m_properties[size_t(index)]);
    Delete(index);
    return taken;
}

void TCard::WriteTo(RecordSink &sink) const
{
    QByteArray out = "BEGIN:VCARD\r\nVERSION:3.0\r\n";
    for (const TCardProperty &property : m_properties)
        appendFolded(out, property.GetLine());
    out.append("END:VCARD\r\n");
    sink.Bytes(out);
}

QByteArray ReadVCardFile(const QString &fileName)
{
    const std::shared_ptr<RecordSource> source = ReadVCardSource(fileName, false);
    if (!source->mapped)
        return source->bytes;
    // Still the mapped file (no memory for the copy on the way): a copy of its own.
    return QByteArray(source->bytes.constData(), source->bytes.size());
}

std::shared_ptr<RecordSource> ReadVCardSource(const QString &fileName, bool keepMapped)
{
    QFile file;
    QString why;
    switch (SafeFiles::OpenForReading(file, fileName, &why)) {
    case SafeFiles::Opened::Yes:
        break;
    case SafeFiles::Opened::CannotOpen:
        throw EInOutError(QStringLiteral("Cannot open \"%1\": %2").arg(fileName, why));
    case SafeFiles::Opened::NotAFile:
        throw EInOutError(why);
    }
    if (file.size() > TVCardFile::MaxFileSize)
        throw EInOutError(QStringLiteral("\"%1\" is larger than %2 MB, more than any card file holds")
                              .arg(fileName)
                              .arg(TVCardFile::MaxFileSize / (1024 * 1024)));
    const std::shared_ptr<RecordSource> source = ReadRecordSource(file, keepMapped);
    source->FinishCopy();
    return source;
}

void ReadVCards(const QByteArray &bytes, VCardReadNotes &notes, const std::function<void(TCard &)> &each)
{
    ReadVCardText(VCardBytesAsUtf8(bytes), notes, [&each](CardValues &values) {
        TCard card = values.ToCard();
        each(card);
    });
}

int ReadVCardText(QByteArrayView text, VCardReadNotes &notes, const std::function<void(CardValues &)> &each)
{
    return CardReader(text, notes, each).Run();
}

qsizetype VCardCutAfter(QByteArrayView text, qsizetype from)
{
    const char *const begin = text.data();
    const char *const end = begin + text.size();
    if (from >= text.size())
        return -1;
    // Lines are looked at from the start of one: after an LF there always is one.
    const char *p = begin;
    if (from > 0) {
        p = static_cast<const char *>(std::memchr(begin + from - 1, '\n', size_t(end - (begin + from - 1))));
        if (!p)
            return -1;
        ++p;
    }
    bool afterPlainLine = false; // the line before ends in no "="
    bool afterEnd = false;       // the line before is an END line that follows such a line
    while (p < end) {
        const char *e = LineScan::FindLineEnd(p, end);
        if (afterEnd && StartsWithAsciiWord(QByteArrayView(p, e), "begin:"))
            return p - begin;
        afterEnd = afterPlainLine && StartsWithAsciiWord(QByteArrayView(p, e), "end:");
        afterPlainLine = e == p || e[-1] != '=';
        // The line's end as the reader takes it: LF, CR LF, or a CR alone.
        p = LineScan::SkipLineEnd(e, end);
    }
    return -1;
}

void TVCardFile::LoadFromFile() { LoadFromBytes(ReadVCardFile(Filename)); }

void TVCardFile::LoadFromBytes(const QByteArray &bytes)
{
    ReadVCards(bytes, m_notes, [this](TCard &card) { m_cards.push_back(std::move(card)); });
}

void TVCardFile::SaveToFile() const
{
    WriteWholeFile(Filename, [this](RecordSink &sink) {
        for (const TCard &card : m_cards)
            card.WriteTo(sink);
    });
}

QString VCardShortfall(const VCardReadNotes &notes)
{
    QStringList parts;
    if (notes.unreadable > 0)
        parts << QStringLiteral("%1 could not be read (bytes that are no text, or a line longer than %2 characters) "
                                "and %3 skipped, the first at line %4")
                     .arg(notes.unreadable == 1 ? QStringLiteral("1 card") : QStringLiteral("%1 cards").arg(notes.unreadable))
                     .arg(TVCardFile::MaxPropertyLine)
                     .arg(notes.unreadable == 1 ? QStringLiteral("was") : QStringLiteral("were"))
                     .arg(notes.firstUnreadableLine);
    if (notes.empty > 0)
        parts << (notes.empty == 1 ? QStringLiteral("1 card held nothing to import")
                                   : QStringLiteral("%1 cards held nothing to import").arg(notes.empty));
    if (notes.tooMany)
        parts << QStringLiteral("the file holds more than %1 cards; the rest was not read").arg(TVCardFile::MaxCards);
    return parts.join(QLatin1String("; "));
}
