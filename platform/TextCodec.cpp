#include "platform/TextCodec.h"

#include "platform/FreshText.h"
#include "platform/Utf8Bytes.h"
#include "platform/WideUnicode.h"

#include <array>
#include <limits>
#include <utility>

namespace {

constexpr QByteArrayView kUtf8ByteOrderMark("\xEF\xBB\xBF", 3);

// Windows-1252 from 0x80 to 0x9F. The five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the C1 control of the same value, so every
// byte has a character and every such character goes back to its byte.
constexpr std::array<char16_t, 32> kWindows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void decodeWindows1252To(QByteArrayView bytes, char16_t* out)
{
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        *out++ = (value >= 0x80 && value < 0xA0) ? kWindows1252High[value - 0x80] : value;
    }
}

QString decodeWindows1252(QByteArrayView bytes)
{
    QString text = freshText(bytes.size());
    decodeWindows1252To(bytes, reinterpret_cast<char16_t*>(text.data()));
    return text;
}

std::optional<char> windows1252Byte(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    for (std::size_t i = 0; i < kWindows1252High.size(); ++i) {
        if (kWindows1252High[i] == c)
            return static_cast<char>(0x80 + i);
    }
    return std::nullopt;
}

std::optional<qsizetype> firstOutsideWindows1252(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!windows1252Byte(text[i].unicode()))
            return i;
    }
    return std::nullopt;
}

EncodedText encodeWindows1252(QStringView text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char* out = bytes.data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const std::optional<char> byte = windows1252Byte(text[i].unicode());
        if (!byte)
            return Unencodable{i};
        *out++ = *byte;
    }
    return EncodedBytes{bytes};
}

/// A text in a Unicode form: every character but a lone surrogate, which would otherwise be
/// written as a substitute and change the text silently.
EncodedText encodeUnicode(QStringView text, TextFormat format)
{
    if (const std::optional<qsizetype> at = WideUnicode::firstLoneSurrogate(text))
        return Unencodable{*at};
    EncodedBytes encoded;
    if (format.encoding == TextEncoding::Utf8) {
        if (format.byteOrderMark)
            encoded.bytes = kUtf8ByteOrderMark.toByteArray();
        qsizetype standIns = 0;
        encoded.bytes += Utf8Bytes::encode(text, format.strayBytes > 0, standIns);
        encoded.strayBytes = standIns;
        return encoded;
    }
    encoded.bytes = WideUnicode::byteOrderMark(format.encoding).toByteArray();
    encoded.bytes += WideUnicode::encode(text, format.encoding);
    return encoded;
}

/// UTF-8, or nothing when the stray bytes are too many to take the bytes for UTF-8.
std::optional<DecodedText> decodeUtf8(QByteArrayView bytes)
{
    TextFormat format;
    format.byteOrderMark = bytes.startsWith(kUtf8ByteOrderMark);
    if (format.byteOrderMark)
        bytes = bytes.sliced(kUtf8ByteOrderMark.size());
    const bool valid = Utf8Bytes::isValid(bytes);
    if (!valid) {
        const Utf8Bytes::Scan scan = Utf8Bytes::scan(bytes);
        if (scan.strayBytes >= scan.multiByteCharacters || scan.holdsStandIn)
            return std::nullopt;
        format.strayBytes = scan.strayBytes;
    }
    return DecodedText{Utf8Bytes::decode(bytes, valid), format};
}

} // namespace

namespace TextCodec {

DecodedText decode(QByteArrayView bytes)
{
    if (const std::optional<TextEncoding> marked = WideUnicode::markedEncoding(bytes)) {
        const QByteArrayView mark = WideUnicode::byteOrderMark(*marked);
        if (std::optional<QString> text = WideUnicode::decode(bytes.sliced(mark.size()), *marked))
            return {std::move(*text), {*marked, true, 0}};
        // Four bytes FF FE 00 00 are also the UTF-16 LE mark and a U+0000.
        if (*marked == TextEncoding::Utf32LE) {
            const QByteArrayView utf16Mark = WideUnicode::byteOrderMark(TextEncoding::Utf16LE);
            if (std::optional<QString> text = WideUnicode::decode(bytes.sliced(utf16Mark.size()), TextEncoding::Utf16LE))
                return {std::move(*text), {TextEncoding::Utf16LE, true, 0}};
        }
    }
    if (std::optional<DecodedText> utf8 = decodeUtf8(bytes))
        return std::move(*utf8);
    return {decodeWindows1252(bytes), {TextEncoding::Windows1252, false, 0}};
}

qsizetype decodeInto(QByteArrayView bytes, TextEncoding encoding, bool valid, QString& text)
{
    Q_ASSERT(encoding == TextEncoding::Utf8 || encoding == TextEncoding::Windows1252);
    if (encoding == TextEncoding::Utf8)
        return Utf8Bytes::decodeInto(bytes, valid, text);
    text.resize(bytes.size());
    decodeWindows1252To(bytes, reinterpret_cast<char16_t*>(text.data()));
    return 0;
}

EncodedText encode(QStringView text, TextFormat format)
{
    if (format.encoding == TextEncoding::Windows1252)
        return encodeWindows1252(text);
    return encodeUnicode(text, format);
}

std::optional<qsizetype> firstUnencodable(QStringView text, TextFormat format)
{
    if (format.encoding == TextEncoding::Windows1252)
        return firstOutsideWindows1252(text);
    return WideUnicode::firstLoneSurrogate(text);
}

bool fitsInUtf8(QStringView text, qint64 maxBytes)
{
    if (text.size() > maxBytes)
        return false;
    if (text.size() <= maxBytes / 3)
        return true;
    // A surrogate pair takes four bytes, two for each of its code units.
    qint64 bytes = 0;
    for (const QChar c : text) {
        const char16_t unit = c.unicode();
        bytes += 1 + (unit >= 0x80) + (unit >= 0x800 && !QChar::isSurrogate(unit));
    }
    return bytes <= maxBytes;
}

qint64 fileBytesFor(qint64 maxUtf8, QByteArrayView start)
{
    constexpr qint64 kMostMark = 4;
    qint64 perCharacter = 1;
    if (const std::optional<TextEncoding> marked = WideUnicode::markedEncoding(start))
        perCharacter = (*marked == TextEncoding::Utf32LE || *marked == TextEncoding::Utf32BE) ? 4 : 2;
    constexpr qint64 kMost = std::numeric_limits<qint64>::max();
    if (maxUtf8 > (kMost - kMostMark) / perCharacter)
        return kMost;
    return maxUtf8 * perCharacter + kMostMark;
}

QString codePointName(QStringView text, qsizetype at)
{
    char32_t codePoint = text[at].unicode();
    if (text[at].isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate())
        codePoint = QChar::surrogateToUcs4(text[at], text[at + 1]);
    return QStringLiteral("U+%1").arg(uint(codePoint), 4, 16, QLatin1Char('0')).toUpper();
}

QString encodingName(TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Utf8: return QStringLiteral("UTF-8");
    case TextEncoding::Windows1252: return QStringLiteral("Windows-1252");
    case TextEncoding::Utf16LE: return QStringLiteral("UTF-16 LE");
    case TextEncoding::Utf16BE: return QStringLiteral("UTF-16 BE");
    case TextEncoding::Utf32LE: return QStringLiteral("UTF-32 LE");
    case TextEncoding::Utf32BE: return QStringLiteral("UTF-32 BE");
    }
    Q_UNREACHABLE();
    return {};
}

} // namespace TextCodec
