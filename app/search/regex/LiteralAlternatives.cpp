#include "regex/LiteralAlternatives.h"

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
    std::optional<std::vector<QString>> alternatives = alternativesOf(pattern);
    if (!alternatives)
        return std::nullopt;
    LiteralAlternatives result;
#ifdef __SSE2__
    if (!ignoreCase && alternatives->size() > 1 && result.gatherPrefixes(*alternatives)) {
        result.mAlternatives = std::move(*alternatives);
        return result;
    }
#endif
    if (alternatives->size() < kManyAlternatives && pattern.size() < kLongPattern)
        return std::nullopt;
    result.mTrie = std::make_shared<const LiteralTrie>(*alternatives, ignoreCase);
    return result;
}

std::optional<std::vector<QString>> LiteralAlternatives::alternativesOf(const QString& pattern)
{
    constexpr QStringView kSyntax = u"\\^$.?*+()[]{}|";
    std::vector<QString> alternatives(1);
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == u'|') {
            alternatives.emplace_back();
        } else if (c == u'\\' && i + 1 < pattern.size() && kSyntax.contains(pattern[i + 1])) {
            alternatives.back() += pattern[++i];
        } else if (kSyntax.contains(c)) {
            return std::nullopt;
        } else {
            alternatives.back() += c;
        }
    }
    for (const QString& alternative : alternatives)
        if (alternative.isEmpty())
            return std::nullopt;
    return alternatives;
}

bool LiteralAlternatives::gatherPrefixes(const std::vector<QString>& alternatives)
{
    for (const QString& alternative : alternatives) {
        if (alternative.size() < kPrefix)
            return false;
        for (qsizetype i = 0; i < kPrefix; ++i)
            if (!addDistinct(mCodeUnits[std::size_t(i)], alternative[i].unicode()))
                return false;
    }
    return true;
}

bool LiteralAlternatives::find(const char16_t* text, qsizetype length, qsizetype from, qsizetype last,
                               qsizetype& start, qsizetype& end) const
{
    if (mTrie)
        return mTrie->find(text, length, from, last, start, end);
    qsizetype p = from;
#ifdef __SSE2__
    __m128i codeUnits[kPrefix][kMaxCodeUnits];
    for (qsizetype i = 0; i < kPrefix; ++i)
        for (std::size_t k = 0; k < mCodeUnits[i].size(); ++k)
            codeUnits[i][k] = _mm_set1_epi16(short(mCodeUnits[i][k]));
    // Eight places a round.
    for (; p + 8 + kPrefix - 1 <= length && p + 8 <= last; p += 8) {
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
    for (; p + kPrefix <= length && p < last; ++p) {
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
