#include "vcardtext.h"

#include "vcardproperty.h"

#include "platform/textcodec.h"
#include "store/linescan.h"

#include <QStringDecoder>

namespace {

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

QString decodeAuto(QByteArrayView bytes)
{
    // Most values are plain ASCII, which reads the same either way.
    if (LineScan::IsAscii(bytes.data(), bytes.size()))
        return QString::fromLatin1(bytes);
    return isValidUtf8(bytes.data(), bytes.size()) ? QString::fromUtf8(bytes)
                                                   : decodeWindows1252(bytes.data(), bytes.size());
}

bool isWesternCharset(QByteArrayView charset)
{
    for (const char *name : {"ISO-8859-1", "ISO8859-1", "LATIN1", "WINDOWS-1252", "CP1252", "US-ASCII", "ASCII"})
        if (IsAsciiWord(charset, name))
            return true;
    return false;
}

} // namespace

bool VCardIsUtf8Charset(QByteArrayView charset) { return IsAsciiWord(charset, "UTF-8"); }

QByteArray VCardBytesAsUtf8(const QByteArray &bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return bytes.mid(3);
    const bool le = bytes.startsWith("\xFF\xFE");
    if (le || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder decoder(le ? QStringConverter::Utf16LE : QStringConverter::Utf16BE);
        const QString text = decoder(QByteArrayView(bytes).sliced(2));
        return text.toUtf8();
    }
    return bytes;
}

QByteArray DecodeQuotedPrintable(QByteArrayView value)
{
    QByteArray out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const char c = value.at(i);
        if (c == '=' && i + 2 < value.size() && hexDigit(value.at(i + 1)) >= 0 && hexDigit(value.at(i + 2)) >= 0) {
            out += char(hexDigit(value.at(i + 1)) * 16 + hexDigit(value.at(i + 2)));
            i += 2;
        } else {
            out += c;
        }
    }
    return out;
}

QString DecodeVCardValue(QByteArrayView value, const VCardHead &head)
{
    QByteArray decoded;
    if (head.quotedPrintable) {
        decoded = DecodeQuotedPrintable(value);
        value = decoded;
    }
    const QByteArrayView bytes = value;
    if (head.charset.isEmpty() || VCardIsUtf8Charset(head.charset))
        return decodeAuto(bytes);
    if (isWesternCharset(head.charset))
        return decodeWindows1252(bytes.data(), bytes.size());
    if (auto encoding = QStringConverter::encodingForName(head.charset.toByteArray().constData())) {
        QStringDecoder decoder(*encoding);
        const QString text = decoder(bytes);
        if (!decoder.hasError())
            return text;
    }
    return decodeAuto(bytes);
}
