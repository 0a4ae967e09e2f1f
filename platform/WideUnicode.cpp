#include "platform/WideUnicode.h"

#include "platform/FreshText.h"

#include <QtEndian>

#include <cstring>

namespace {

constexpr QByteArrayView kUtf16LE("\xFF\xFE", 2);
constexpr QByteArrayView kUtf16BE("\xFE\xFF", 2);
constexpr QByteArrayView kUtf32LE("\xFF\xFE\0\0", 4);
constexpr QByteArrayView kUtf32BE("\0\0\xFE\xFF", 4);

bool bigEndian(TextEncoding encoding)
{
    return encoding == TextEncoding::Utf16BE || encoding == TextEncoding::Utf32BE;
}

bool isUtf32(TextEncoding encoding)
{
    return encoding == TextEncoding::Utf32LE || encoding == TextEncoding::Utf32BE;
}

template <typename Unit>
Unit unitAt(const char* p, bool big)
{
    return big ? qFromBigEndian<Unit>(p) : qFromLittleEndian<Unit>(p);
}

template <typename Unit>
void putUnit(char* p, Unit unit, bool big)
{
    if (big)
        qToBigEndian<Unit>(unit, p);
    else
        qToLittleEndian<Unit>(unit, p);
}

std::optional<QString> decodeUtf16(QByteArrayView bytes, bool big)
{
    if (bytes.size() % 2 != 0)
        return std::nullopt;
    QString text = freshText(bytes.size() / 2);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    if (big == (QSysInfo::ByteOrder == QSysInfo::BigEndian)) {
        std::memcpy(out, bytes.data(), std::size_t(bytes.size()));
    } else {
        for (qsizetype i = 0; i < bytes.size(); i += 2)
            *out++ = unitAt<quint16>(bytes.data() + i, big);
    }
    if (WideUnicode::firstLoneSurrogate(text))
        return std::nullopt;
    return text;
}

std::optional<QString> decodeUtf32(QByteArrayView bytes, bool big)
{
    if (bytes.size() % 4 != 0)
        return std::nullopt;
    // At most two code units for each code point.
    QString text = freshText(bytes.size() / 2);
    QChar* out = text.data();
    for (qsizetype i = 0; i < bytes.size(); i += 4) {
        const char32_t codePoint = unitAt<quint32>(bytes.data() + i, big);
        if (codePoint > 0x10FFFF || QChar::isSurrogate(codePoint))
            return std::nullopt;
        if (QChar::requiresSurrogates(codePoint)) {
            *out++ = QChar(QChar::highSurrogate(codePoint));
            *out++ = QChar(QChar::lowSurrogate(codePoint));
        } else {
            *out++ = QChar(char16_t(codePoint));
        }
    }
    text.truncate(out - text.constData());
    return text;
}

QByteArray encodeUtf16(QStringView text, bool big)
{
    QByteArray bytes(text.size() * 2, Qt::Uninitialized);
    char* out = bytes.data();
    for (const QChar c : text) {
        putUnit<quint16>(out, c.unicode(), big);
        out += 2;
    }
    return bytes;
}

QByteArray encodeUtf32(QStringView text, bool big)
{
    QByteArray bytes;
    bytes.reserve(text.size() * 4);
    char unit[4];
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t codePoint = text[i].unicode();
        if (text[i].isHighSurrogate()) {
            codePoint = QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i;
        }
        putUnit<quint32>(unit, codePoint, big);
        bytes.append(unit, 4);
    }
    return bytes;
}

} // namespace

namespace WideUnicode {

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

std::optional<TextEncoding> markedEncoding(QByteArrayView bytes)
{
    if (bytes.startsWith(kUtf32LE))
        return TextEncoding::Utf32LE;
    if (bytes.startsWith(kUtf32BE))
        return TextEncoding::Utf32BE;
    if (bytes.startsWith(kUtf16LE))
        return TextEncoding::Utf16LE;
    if (bytes.startsWith(kUtf16BE))
        return TextEncoding::Utf16BE;
    return std::nullopt;
}

bool isWide(TextEncoding encoding)
{
    return encoding != TextEncoding::Utf8 && encoding != TextEncoding::Windows1252;
}

QByteArrayView byteOrderMark(TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Utf16LE: return kUtf16LE;
    case TextEncoding::Utf16BE: return kUtf16BE;
    case TextEncoding::Utf32LE: return kUtf32LE;
    case TextEncoding::Utf32BE: return kUtf32BE;
    case TextEncoding::Utf8:
    case TextEncoding::Windows1252: break;
    }
    Q_UNREACHABLE();
    return {};
}

std::optional<QString> decode(QByteArrayView bytes, TextEncoding encoding)
{
    return isUtf32(encoding) ? decodeUtf32(bytes, bigEndian(encoding)) : decodeUtf16(bytes, bigEndian(encoding));
}

QByteArray encode(QStringView text, TextEncoding encoding)
{
    return isUtf32(encoding) ? encodeUtf32(text, bigEndian(encoding)) : encodeUtf16(text, bigEndian(encoding));
}

} // namespace WideUnicode
