#include "journal/Crc32c.h"

#include <array>
#include <cstring>

#if defined(__x86_64__)
#include <nmmintrin.h>
#endif

namespace {

constexpr quint32 kPolynomial = 0x82F63B78; // reflected Castagnoli polynomial

constexpr std::array<quint32, 256> makeTable()
{
    std::array<quint32, 256> table{};
    for (quint32 i = 0; i < 256; ++i) {
        quint32 crc = i;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? (crc >> 1) ^ kPolynomial : crc >> 1;
        table[i] = crc;
    }
    return table;
}

constexpr std::array<quint32, 256> kTable = makeTable();

quint32 crcBytewise(const unsigned char* p, qsizetype n, quint32 crc)
{
    for (qsizetype i = 0; i < n; ++i)
        crc = kTable[(crc ^ p[i]) & 0xFF] ^ (crc >> 8);
    return crc;
}

#if defined(__x86_64__)
__attribute__((target("sse4.2"))) quint32 crcHardware(const unsigned char* p, qsizetype n, quint32 crc)
{
    quint64 wide = crc;
    while (n >= 8) {
        quint64 word;
        std::memcpy(&word, p, sizeof word);
        wide = _mm_crc32_u64(wide, word);
        p += 8;
        n -= 8;
    }
    crc = quint32(wide);
    while (n-- > 0)
        crc = _mm_crc32_u8(crc, *p++);
    return crc;
}

const bool kHardware = __builtin_cpu_supports("sse4.2");
#endif

} // namespace

quint32 crc32c(QByteArrayView data, quint32 crc)
{
    const auto* p = reinterpret_cast<const unsigned char*>(data.data());
    crc = ~crc;
#if defined(__x86_64__)
    if (kHardware)
        return ~crcHardware(p, data.size(), crc);
#endif
    return ~crcBytewise(p, data.size(), crc);
}
