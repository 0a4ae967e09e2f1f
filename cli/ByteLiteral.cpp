#include "cli/ByteLiteral.h"

#include <QByteArrayView>

#include <bit>

#ifdef __SSE2__
#include <emmintrin.h>
#endif
#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace {

/// How common byte b is in ordinary text, roughly: higher is more common.
int commonness(unsigned char b)
{
    constexpr QByteArrayView kLettersByFrequency = "etaoinshrdlcumwfgypbvkjxqz";
    if (b == ' ')
        return 300;
    if (const qsizetype rank = kLettersByFrequency.indexOf(char(b)); rank >= 0)
        return 250 - int(rank) * 8;
    if (b == ',' || b == '.')
        return 100;
    if (b >= 'A' && b <= 'Z')
        return 60;
    if (b >= '0' && b <= '9')
        return 50;
    // A UTF-8 lead byte is shared by the characters of a script; a continuation byte less so.
    if (b >= 0xC0)
        return 40;
    return b < 0x80 ? 20 : 10;
}

bool isAsciiLetter(unsigned char b)
{
    return (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z');
}

} // namespace

std::optional<ByteLiteral> ByteLiteral::of(const RegExp::RequiredText& literal, TextEncoding encoding)
{
    for (const QChar c : literal.text) {
        if (c.isSurrogate() || TextCodec::isStandIn(c.unicode()))
            return std::nullopt;
    }
    QByteArray bytes;
    if (encoding == TextEncoding::Utf8) {
        bytes = literal.text.toUtf8();
    } else if (encoding == TextEncoding::Windows1252) {
        EncodedText encoded = TextCodec::encode(literal.text, TextFormat{TextEncoding::Windows1252, false, 0});
        if (!encoded.ok())
            return std::nullopt;
        bytes = encoded->bytes;
    } else {
        return std::nullopt;
    }
    QByteArray caseBits(bytes.size(), '\0');
    for (qsizetype i = 0; literal.caseless && i < bytes.size(); ++i) {
        if (isAsciiLetter(static_cast<unsigned char>(bytes[i]))) {
            bytes[i] = char(bytes[i] | 0x20);
            caseBits[i] = 0x20;
        }
    }
    if (bytes.isEmpty())
        return std::nullopt;
    return ByteLiteral(bytes, caseBits);
}

ByteLiteral::ByteLiteral(QByteArray bytes, QByteArray caseBits) : mBytes(std::move(bytes)), mCaseBits(std::move(caseBits))
{
    auto rarest = [&](qsizetype except) {
        qsizetype best = -1;
        for (qsizetype i = 0; i < mBytes.size(); ++i) {
            const auto b = static_cast<unsigned char>(mBytes[i]);
            if (i != except && (best < 0 || commonness(b) < commonness(static_cast<unsigned char>(mBytes[best]))))
                best = i;
        }
        return best;
    };
    mFirst = rarest(-1);
    mSecond = mBytes.size() > 1 ? rarest(mFirst) : mFirst;
#if defined(__x86_64__)
    mWide = __builtin_cpu_supports("avx2");
#endif
}

#if defined(__x86_64__)
/// find's scan 32 places a round, on processors that have AVX2; returns where it stopped, or
/// the place found in found.
__attribute__((target("avx2"))) qsizetype ByteLiteral::scanWide(const char* data, qsizetype length,
                                                                qsizetype p, qsizetype& found) const
{
    const qsizetype n = mBytes.size();
    const __m256i first = _mm256_set1_epi8(mBytes[mFirst]);
    const __m256i second = _mm256_set1_epi8(mBytes[mSecond]);
    const __m256i firstCase = _mm256_set1_epi8(mCaseBits[mFirst]);
    const __m256i secondCase = _mm256_set1_epi8(mCaseBits[mSecond]);
    for (; p + 32 + n - 1 <= length; p += 32) {
        const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data + p + mFirst));
        const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data + p + mSecond));
        const __m256i both = _mm256_and_si256(_mm256_cmpeq_epi8(_mm256_or_si256(a, firstCase), first),
                                              _mm256_cmpeq_epi8(_mm256_or_si256(b, secondCase), second));
        unsigned candidates = unsigned(_mm256_movemask_epi8(both));
        while (candidates != 0) {
            const qsizetype at = p + std::countr_zero(candidates);
            if (matchesAt(data + at)) {
                found = at;
                return p;
            }
            candidates &= candidates - 1;
        }
    }
    return p;
}
#endif

qsizetype ByteLiteral::find(QByteArrayView bytes, qsizetype from) const
{
    const char* data = bytes.data();
    const qsizetype length = bytes.size();
    const qsizetype n = mBytes.size();
    qsizetype p = from;
#if defined(__x86_64__)
    if (mWide) {
        qsizetype found = -1;
        p = scanWide(data, length, p, found);
        if (found >= 0)
            return found;
    }
#endif
#ifdef __SSE2__
    const __m128i first = _mm_set1_epi8(mBytes[mFirst]);
    const __m128i second = _mm_set1_epi8(mBytes[mSecond]);
    const __m128i firstCase = _mm_set1_epi8(mCaseBits[mFirst]);
    const __m128i secondCase = _mm_set1_epi8(mCaseBits[mSecond]);
    // Sixteen places a round; a place is where the literal would start.
    for (; p + 16 + n - 1 <= length; p += 16) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + p + mFirst));
        __m128i both = _mm_cmpeq_epi8(_mm_or_si128(a, firstCase), first);
        if (mSecond != mFirst) {
            const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + p + mSecond));
            both = _mm_and_si128(both, _mm_cmpeq_epi8(_mm_or_si128(b, secondCase), second));
        }
        unsigned candidates = unsigned(_mm_movemask_epi8(both));
        while (candidates != 0) {
            const qsizetype at = p + std::countr_zero(candidates);
            if (matchesAt(data + at))
                return at;
            candidates &= candidates - 1;
        }
    }
#endif
    for (; p + n <= length; ++p) {
        if (matchesAt(data + p))
            return p;
    }
    return -1;
}

bool ByteLiteral::matchesAt(const char* bytes) const
{
    for (qsizetype i = 0; i < mBytes.size(); ++i) {
        if (char(bytes[i] | mCaseBits[i]) != mBytes[i])
            return false;
    }
    return true;
}
