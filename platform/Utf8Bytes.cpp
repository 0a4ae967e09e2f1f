#include "platform/Utf8Bytes.h"

#include "platform/FreshText.h"
#include "platform/TextCodec.h"

#include <QStringDecoder>

#include <bit>
#include <cstdint>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

using Byte = unsigned char;

bool startsWithAscii8(const Byte* p)
{
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    return (word & 0x8080808080808080u) == 0;
}

/// Where the run of ASCII bytes that starts at p ends, looked at 16 bytes at a time: the first
/// byte above 0x7F, or a place less than 16 bytes before the end.
const Byte* skipAscii(const Byte* p, const Byte* end)
{
#ifdef __SSE2__
    while (end - p >= 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const int high = _mm_movemask_epi8(bytes);
        if (high != 0)
            return p + std::countr_zero(unsigned(high));
        p += 16;
    }
#endif
    return p;
}

/// The length of the well-formed character that starts at `p`, or 0 when the byte at `p`
/// starts none. The second byte's range excludes overlong forms (after E0, F0), surrogates
/// (after ED) and code points above U+10FFFF (after F4).
int characterLength(const Byte* p, const Byte* end)
{
    const Byte lead = *p;
    if (lead < 0x80)
        return 1;
    int continuation = 0;
    Byte secondMin = 0x80;
    Byte secondMax = 0xBF;
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
        return 0;
    }
    if (end - p <= continuation)
        return 0;
    if (p[1] < secondMin || p[1] > secondMax)
        return 0;
    for (int i = 2; i <= continuation; ++i) {
        if (p[i] < 0x80 || p[i] > 0xBF)
            return 0;
    }
    return continuation + 1;
}

/// Where the run of well-formed UTF-8 that starts at `p` ends.
const Byte* endOfValidRun(const Byte* p, const Byte* end)
{
    while (p < end) {
        p = skipAscii(p, end);
        if (end - p >= 8 && startsWithAscii8(p)) {
            p += 8;
            continue;
        }
        if (p == end)
            break;
        const int length = characterLength(p, end);
        if (length == 0)
            break;
        p += length;
    }
    return p;
}

/// Whether the three bytes at `p` are one of the stand-ins U+EF80 to U+EFFF in UTF-8 (EE BE 80 to EE BF BF).
bool isStandInSequence(const Byte* p)
{
    return p[0] == 0xEE && (p[1] == 0xBE || p[1] == 0xBF);
}

} // namespace

namespace Utf8Bytes {

bool isValid(QByteArrayView bytes)
{
    const auto* p = reinterpret_cast<const Byte*>(bytes.data());
    const auto* const end = p + bytes.size();
    return endOfValidRun(p, end) == end;
}

Scan scan(QByteArrayView bytes)
{
    Scan found;
    const auto* p = reinterpret_cast<const Byte*>(bytes.data());
    const auto* const end = p + bytes.size();
    while (p < end) {
        p = skipAscii(p, end);
        if (end - p >= 8 && startsWithAscii8(p)) {
            p += 8;
            continue;
        }
        if (p == end)
            break;
        const int length = characterLength(p, end);
        if (length == 0) {
            ++found.strayBytes;
            ++p;
            continue;
        }
        if (length > 1)
            ++found.multiByteCharacters;
        if (length == 3 && isStandInSequence(p))
            found.holdsStandIn = true;
        p += length;
    }
    return found;
}

namespace {

/// Writes the text of bytes to out, which has room for decoder.requiredSpace(bytes.size())
/// code units; returns its end, and counts the stray bytes in strays.
QChar* decodeTo(QByteArrayView bytes, bool valid, QChar* out, qsizetype& strays)
{
    // Runs of well-formed UTF-8 go through Qt's vectorized decoder; it would drop a
    // byte-order mark at the start of the text, which belongs to the text here.
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    strays = 0;
    if (valid)
        return decoder.appendToBuffer(out, bytes);
    const auto* p = reinterpret_cast<const Byte*>(bytes.data());
    const auto* const end = p + bytes.size();
    while (p < end) {
        const Byte* runEnd = endOfValidRun(p, end);
        out = decoder.appendToBuffer(out, QByteArrayView(p, runEnd - p));
        p = runEnd;
        if (p < end) {
            *out++ = QChar(TextCodec::standIn(*p++));
            ++strays;
        }
    }
    return out;
}

qsizetype requiredSpace(qsizetype bytes)
{
    return QStringDecoder(QStringConverter::Utf8).requiredSpace(bytes);
}

} // namespace

QString decode(QByteArrayView bytes, bool valid)
{
    QString text = freshText(requiredSpace(bytes.size()));
    qsizetype strays = 0;
    const QChar* end = decodeTo(bytes, valid, text.data(), strays);
    text.truncate(end - text.constData());
    return text;
}

qsizetype decodeInto(QByteArrayView bytes, bool valid, QString& text)
{
    text.resize(requiredSpace(bytes.size()));
    qsizetype strays = 0;
    const QChar* end = decodeTo(bytes, valid, text.data(), strays);
    text.truncate(end - text.constData());
    return strays;
}

qsizetype utf16Length(QByteArrayView bytes)
{
    // Every byte but a continuation byte starts a code unit, and a four-byte lead two.
    const auto* p = reinterpret_cast<const signed char*>(bytes.data());
    const qsizetype size = bytes.size();
    qsizetype units = size;
    qsizetype i = 0;
#ifdef __SSE2__
    const __m128i continuationEnd = _mm_set1_epi8(-64);   // 0x80 to 0xBF are -128 to -65
    const __m128i fourByteStart = _mm_set1_epi8(-17);     // 0xF0 to 0xFF are -16 to -1
    const __m128i zero = _mm_setzero_si128();
    for (; i + 16 <= size; i += 16) {
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        const unsigned continuations = unsigned(_mm_movemask_epi8(_mm_cmplt_epi8(b, continuationEnd)));
        const unsigned fourByteLeads = unsigned(_mm_movemask_epi8(
            _mm_and_si128(_mm_cmpgt_epi8(b, fourByteStart), _mm_cmplt_epi8(b, zero))));
        units += std::popcount(fourByteLeads) - std::popcount(continuations);
    }
#endif
    for (; i < size; ++i) {
        const auto byte = static_cast<unsigned char>(p[i]);
        if ((byte & 0xC0) == 0x80)
            --units;
        else if (byte >= 0xF0)
            ++units;
    }
    return units;
}

QByteArray encode(QStringView text, bool writeStandIns, qsizetype& standInsWritten)
{
    standInsWritten = 0;
    if (!writeStandIns)
        return text.toUtf8();
    QByteArray bytes;
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        if (!TextCodec::isStandIn(unit))
            continue;
        bytes += text.sliced(runStart, i - runStart).toUtf8();
        bytes += char(unit - 0xEF00);
        ++standInsWritten;
        runStart = i + 1;
    }
    if (runStart == 0)
        return text.toUtf8();
    bytes += text.sliced(runStart).toUtf8();
    return bytes;
}

} // namespace Utf8Bytes
