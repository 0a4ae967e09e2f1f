#include "platform/Utf8Bytes.h"

#include "platform/FreshText.h"
#include "platform/TextCodec.h"

#include <QStringDecoder>

#include <cstdint>
#include <cstring>

namespace {

using Byte = unsigned char;

bool startsWithAscii8(const Byte* p)
{
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    return (word & 0x8080808080808080u) == 0;
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
        if (end - p >= 8 && startsWithAscii8(p)) {
            p += 8;
            continue;
        }
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
        if (end - p >= 8 && startsWithAscii8(p)) {
            p += 8;
            continue;
        }
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

QString decode(QByteArrayView bytes, bool valid)
{
    // Runs of well-formed UTF-8 go through Qt's vectorized decoder; it would drop a
    // byte-order mark at the start of the text, which belongs to the text here.
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    QString text = freshText(decoder.requiredSpace(bytes.size()));
    QChar* out = text.data();
    if (valid) {
        out = decoder.appendToBuffer(out, bytes);
    } else {
        const auto* p = reinterpret_cast<const Byte*>(bytes.data());
        const auto* const end = p + bytes.size();
        while (p < end) {
            const Byte* runEnd = endOfValidRun(p, end);
            out = decoder.appendToBuffer(out, QByteArrayView(p, runEnd - p));
            p = runEnd;
            if (p < end)
                *out++ = QChar(TextCodec::standIn(*p++));
        }
    }
    text.truncate(out - text.constData());
    return text;
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
