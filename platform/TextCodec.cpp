#include "platform/TextCodec.h"

#include "platform/HugePages.h"

#include <QStringDecoder>

#include <array>
#include <cstdint>
#include <cstring>
#include <utility>

namespace {

constexpr QByteArrayView kByteOrderMark("\xEF\xBB\xBF", 3);

// Windows-1252 from 0x80 to 0x9F. The five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the C1 control of the same value, so every
// byte has a character and every such character goes back to its byte.
constexpr std::array<char16_t, 32> kWindows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

bool startsWithAscii8(const unsigned char* p)
{
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    return (word & 0x8080808080808080u) == 0;
}

// Well-formed UTF-8 as Unicode defines it: the second byte's range excludes overlong
// forms (after E0, F0), surrogates (after ED) and code points above U+10FFFF (after F4).
bool isValidUtf8(QByteArrayView bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = p + bytes.size();
    while (p < end) {
        if (end - p >= 8 && startsWithAscii8(p)) {
            p += 8;
            continue;
        }
        const unsigned char lead = *p;
        if (lead < 0x80) {
            ++p;
            continue;
        }
        int continuation = 0;
        unsigned char secondMin = 0x80;
        unsigned char secondMax = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            continuation = 1;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            continuation = 2;
            if (lead == 0xE0)
                secondMin = 0xA0;
            else if (lead == 0xED)
                secondMax = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            continuation = 3;
            if (lead == 0xF0)
                secondMin = 0x90;
            else if (lead == 0xF4)
                secondMax = 0x8F;
        } else {
            return false;
        }
        if (end - p <= continuation)
            return false;
        if (p[1] < secondMin || p[1] > secondMax)
            return false;
        for (int i = 2; i <= continuation; ++i) {
            if (p[i] < 0x80 || p[i] > 0xBF)
                return false;
        }
        p += continuation + 1;
    }
    return true;
}

/// Room for count code units, its pages not yet touched, in huge pages where it is large.
QString freshText(qsizetype count)
{
    QString text(count, Qt::Uninitialized);
    adviseHugePages(text.data(), std::size_t(count) * sizeof(char16_t));
    return text;
}

QString decodeWindows1252(QByteArrayView bytes)
{
    QString text = freshText(bytes.size());
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        *out++ = (value >= 0x80 && value < 0xA0) ? kWindows1252High[value - 0x80] : value;
    }
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

EncodedText encodeWindows1252(QStringView text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char* out = bytes.data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const std::optional<char> byte = windows1252Byte(text[i].unicode());
        if (!byte)
            return {{}, i};
        *out++ = *byte;
    }
    return {bytes, std::nullopt};
}

std::optional<qsizetype> firstLoneSurrogate(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (!c.isSurrogate())
            continue;
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else
            return i;
    }
    return std::nullopt;
}

EncodedText encodeUtf8(QStringView text, bool byteOrderMark)
{
    // QString::toUtf8 would write a lone surrogate as a substitute character; that
    // would change the text silently, so such a text is refused instead.
    if (const std::optional<qsizetype> at = firstLoneSurrogate(text))
        return {{}, at};
    QByteArray bytes;
    if (byteOrderMark)
        bytes = kByteOrderMark.toByteArray();
    bytes += text.toUtf8();
    return {bytes, std::nullopt};
}

} // namespace

namespace TextCodec {

DecodedText decode(QByteArrayView bytes)
{
    if (!isValidUtf8(bytes))
        return {decodeWindows1252(bytes), {TextEncoding::Windows1252, false}};
    const bool byteOrderMark = bytes.startsWith(kByteOrderMark);
    if (byteOrderMark)
        bytes = bytes.sliced(kByteOrderMark.size());
    // QString::fromUtf8 would drop a second byte-order mark that belongs to the text.
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    QString text = freshText(decoder.requiredSpace(bytes.size()));
    const QChar* end = decoder.appendToBuffer(text.data(), bytes);
    text.truncate(end - text.constData());
    return {std::move(text), {TextEncoding::Utf8, byteOrderMark}};
}

EncodedText encode(QStringView text, TextFormat format)
{
    switch (format.encoding) {
    case TextEncoding::Utf8:
        return encodeUtf8(text, format.byteOrderMark);
    case TextEncoding::Windows1252:
        return encodeWindows1252(text);
    }
    Q_UNREACHABLE();
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

QString encodingName(TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Utf8:
        return QStringLiteral("UTF-8");
    case TextEncoding::Windows1252:
        return QStringLiteral("Windows-1252");
    }
    Q_UNREACHABLE();
}

} // namespace TextCodec
