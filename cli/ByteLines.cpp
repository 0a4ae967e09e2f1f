#include "cli/ByteLines.h"

#include <bit>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace ByteLines {

qsizetype countBreaks(QByteArrayView bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype size = bytes.size();
    qsizetype breaks = 0;
    qsizetype i = 0;
#ifdef __SSE2__
    // A line feed ends a line, and so does a CR that no line feed follows.
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i cr = _mm_set1_epi8('\r');
    for (; i + 17 <= size; i += 16) {
        const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + 1));
        const unsigned lfs = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(here, lf)));
        const unsigned loneCrs = unsigned(_mm_movemask_epi8(
            _mm_andnot_si128(_mm_cmpeq_epi8(next, lf), _mm_cmpeq_epi8(here, cr))));
        breaks += std::popcount(lfs) + std::popcount(loneCrs);
    }
#endif
    for (; i < size; ++i) {
        if (p[i] == '\n' || (p[i] == '\r' && (i + 1 == size || p[i + 1] != '\n')))
            ++breaks;
    }
    return breaks;
}

qsizetype lineStart(QByteArrayView bytes, qsizetype from, qsizetype position)
{
    const char* data = bytes.data();
    for (qsizetype i = position; i > from; --i) {
        if (data[i - 1] == '\n' || data[i - 1] == '\r')
            return i;
    }
    return from;
}

qsizetype lineEnd(QByteArrayView bytes, qsizetype position)
{
    const char* data = bytes.data();
    const qsizetype size = bytes.size();
    for (qsizetype i = position; i < size; ++i) {
        if (data[i] == '\n')
            return i + 1;
        if (data[i] == '\r')
            return i + 1 < size && data[i + 1] == '\n' ? i + 2 : i + 1;
    }
    return size;
}

bool isAscii(QByteArrayView bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype size = bytes.size();
    qsizetype i = 0;
#ifdef __SSE2__
    __m128i any = _mm_setzero_si128();
    for (; i + 16 <= size; i += 16)
        any = _mm_or_si128(any, _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i)));
    if (_mm_movemask_epi8(any) != 0)
        return false;
#endif
    for (; i < size; ++i) {
        if (p[i] >= 0x80)
            return false;
    }
    return true;
}

} // namespace ByteLines
