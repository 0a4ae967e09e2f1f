#include "regex/LiteralFinder.h"

#include <QStringView>

#include <bit>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

/// How common c is in ordinary text, roughly: higher is more common.
int commonness(char16_t c)
{
    constexpr QStringView kLettersByFrequency = u"etaoinshrdlcumwfgypbvkjxqz";
    if (c == ' ')
        return 300;
    if (const qsizetype rank = kLettersByFrequency.indexOf(QChar(c)); rank >= 0)
        return 250 - int(rank) * 8;
    if (c == ',' || c == '.' || c == '\n' || c == '\r')
        return 100;
    if (c >= 'A' && c <= 'Z')
        return 60;
    if (c >= '0' && c <= '9')
        return 50;
    return c < 0x80 ? 20 : 10;
}

} // namespace

LiteralFinder::LiteralFinder(const QString& literal, bool caseless) : mLiteral(literal)
{
    Q_ASSERT(!literal.isEmpty());
    mCaseBits.fill(QChar(0), literal.size());
    for (qsizetype i = 0; caseless && i < literal.size(); ++i) {
        const char16_t c = literal[i].unicode();
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) {
            mLiteral[i] = QChar(c | 0x20);
            mCaseBits[i] = QChar(0x20);
        }
    }
    auto rarest = [&](qsizetype except) {
        qsizetype best = -1;
        for (qsizetype i = 0; i < mLiteral.size(); ++i)
            if (i != except && (best < 0 || commonness(mLiteral[i].unicode()) < commonness(mLiteral[best].unicode())))
                best = i;
        return best;
    };
    mFirst = rarest(-1);
    mSecond = literal.size() > 1 ? rarest(mFirst) : mFirst;
}

qsizetype LiteralFinder::find(const char16_t* text, qsizetype length, qsizetype from) const
{
    const qsizetype n = mLiteral.size();
    qsizetype p = from;
#ifdef __SSE2__
    const __m128i first = _mm_set1_epi16(short(mLiteral[mFirst].unicode()));
    const __m128i second = _mm_set1_epi16(short(mLiteral[mSecond].unicode()));
    const __m128i firstCase = _mm_set1_epi16(short(mCaseBits[mFirst].unicode()));
    const __m128i secondCase = _mm_set1_epi16(short(mCaseBits[mSecond].unicode()));
    // Eight places a round; a place is where the literal would start.
    for (; p + 8 + n - 1 <= length; p += 8) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + p + mFirst));
        __m128i both = _mm_cmpeq_epi16(_mm_or_si128(a, firstCase), first);
        if (mSecond != mFirst) {
            const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + p + mSecond));
            both = _mm_and_si128(both, _mm_cmpeq_epi16(_mm_or_si128(b, secondCase), second));
        }
        // One bit a place: the low one of its code unit's two bytes.
        unsigned candidates = unsigned(_mm_movemask_epi8(both)) & 0x5555u;
        while (candidates != 0) {
            const qsizetype at = p + std::countr_zero(candidates) / 2;
            if (matchesAt(text, at))
                return at;
            candidates &= candidates - 1;
        }
    }
#endif
    for (; p + n <= length; ++p)
        if (matchesAt(text, p))
            return p;
    return -1;
}

bool LiteralFinder::matchesAt(const char16_t* text, qsizetype at) const
{
    const auto* literal = reinterpret_cast<const char16_t*>(mLiteral.utf16());
    const auto* caseBits = reinterpret_cast<const char16_t*>(mCaseBits.utf16());
    for (qsizetype i = 0; i < mLiteral.size(); ++i)
        if ((text[at + i] | caseBits[i]) != literal[i])
            return false;
    return true;
}
