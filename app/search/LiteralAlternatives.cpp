#include "search/LiteralAlternatives.h"

#include <QList>
#include <QStringView>

#include <algorithm>
#include <bit>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

std::optional<LiteralAlternatives> LiteralAlternatives::of(const QString& pattern, bool ignoreCase)
{
#ifndef __SSE2__
    return std::nullopt; // without the vector scan PCRE2 is faster
#endif
    if (ignoreCase || !pattern.contains(u'|'))
        return std::nullopt;
    LiteralAlternatives result;
    for (QStringView alternative : QStringView(pattern).split(u'|')) {
        if (alternative.size() < kPrefix)
            return std::nullopt;
        for (QChar c : alternative)
            if (QStringView(u"\\^$.?*+()[]{}").contains(c))
                return std::nullopt;
        for (qsizetype i = 0; i < kPrefix; ++i)
            if (!addDistinct(result.mCodeUnits[i], alternative[i].unicode()))
                return std::nullopt;
        result.mAlternatives.push_back(alternative.toString());
    }
    return result;
}

bool LiteralAlternatives::find(const char16_t* text, qsizetype length, qsizetype from,
                               qsizetype& start, qsizetype& end) const
{
    qsizetype p = from;
#ifdef __SSE2__
    __m128i codeUnits[kPrefix][kMaxCodeUnits];
    for (qsizetype i = 0; i < kPrefix; ++i)
        for (std::size_t k = 0; k < mCodeUnits[i].size(); ++k)
            codeUnits[i][k] = _mm_set1_epi16(short(mCodeUnits[i][k]));
    // Eight places a round.
    for (; p + 8 + kPrefix - 1 <= length; p += 8) {
        __m128i possible = _mm_set1_epi16(-1);
        for (qsizetype i = 0; i < kPrefix; ++i) {
            const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + p + i));
            __m128i found = _mm_cmpeq_epi16(units, codeUnits[i][0]);
            for (std::size_t k = 1; k < mCodeUnits[i].size(); ++k)
                found = _mm_or_si128(found, _mm_cmpeq_epi16(units, codeUnits[i][k]));
            possible = _mm_and_si128(possible, found);
        }
        // One bit a place: the low one of its code unit's two bytes.
        unsigned candidates = unsigned(_mm_movemask_epi8(possible)) & 0x5555u;
        while (candidates != 0) {
            const qsizetype at = p + std::countr_zero(candidates) / 2;
            if (matchAt(text, length, at, end)) {
                start = at;
                return true;
            }
            candidates &= candidates - 1;
        }
    }
#endif
    for (; p + kPrefix <= length; ++p) {
        if (matchAt(text, length, p, end)) {
            start = p;
            return true;
        }
    }
    return false;
}

bool LiteralAlternatives::addDistinct(std::vector<char16_t>& set, char16_t c)
{
    if (std::find(set.begin(), set.end(), c) == set.end()) {
        if (set.size() == kMaxCodeUnits)
            return false;
        set.push_back(c);
    }
    return true;
}

bool LiteralAlternatives::matchAt(const char16_t* text, qsizetype length, qsizetype p,
                                  qsizetype& end) const
{
    for (const QString& alternative : mAlternatives) {
        const qsizetype n = alternative.size();
        const char16_t* units = reinterpret_cast<const char16_t*>(alternative.utf16());
        if (n <= length - p && text[p] == units[0]
            && std::memcmp(text + p, units, std::size_t(n) * sizeof(char16_t)) == 0) {
            end = p + n;
            return true;
        }
    }
    return false;
}
