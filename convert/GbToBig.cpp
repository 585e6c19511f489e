#include "convert/GbToBig.h"

#include "convert/GbToBigTable.h"

#include <algorithm>
#include <bit>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr std::size_t kCodes = 0x10000;

inline quint16 load16(const char *p)
{
    quint16 v;
    std::memcpy(&v, p, 2);
    return v;
}

inline void store16(char *p, quint16 v)
{
    std::memcpy(p, &v, 2);
}

inline bool isLead(char c)
{
    return quint8(c) >= 0x81;
}

// Bit i set when byte i of the 64 bytes at p is 0x81..0xFF.
inline quint64 leadMask(const char *p)
{
#if defined(__SSE2__)
    const __m128i first = _mm_set1_epi8(char(0x81));
    quint64 mask = 0;
#pragma GCC unroll 4
    for (int k = 0; k < 4; ++k) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + 16 * k));
        const __m128i lead = _mm_cmpeq_epi8(_mm_max_epu8(x, first), x);
        mask |= quint64(quint16(_mm_movemask_epi8(lead))) << (16 * k);
    }
    return mask;
#else
    quint64 mask = 0;
    for (int i = 0; i < 64; ++i)
        mask |= quint64(isLead(p[i])) << i;
    return mask;
#endif
}

// Where pairs start among 64 bytes whose first byte is on a character boundary. A byte
// below 0x81 always ends a character (alone or as a second byte), so the byte after it
// is a boundary; within a run of lead-byte values the pairs start at every other byte,
// counted from the run's start.
inline quint64 pairStarts(quint64 leads)
{
    constexpr quint64 even = 0x5555555555555555ULL;
    const quint64 runStarts = leads & ~(leads << 1);
    // Adding a run's start bit carries through the whole run and clears it.
    const quint64 evenRuns = leads & ~(leads + (runStarts & even));
    const quint64 oddRuns = leads & ~evenRuns;
    return (evenRuns & even) | (oddRuns & ~even);
}

// Number of set bits in a mask whose bits are all at even positions. std::popcount
// becomes a library call on plain x86-64.
inline int countEvenBits(quint64 x)
{
    x = (x & 0x3333333333333333ULL) + ((x >> 2) & 0x3333333333333333ULL);
    x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0FULL;
    return int((x * 0x0101010101010101ULL) >> 56);
}

} // namespace

TGbToBig::TGbToBig(QObject *owner)
    : QObject(owner)
    , m_lookup(new quint16[2 * kCodes])
{
    for (const std::string_view line : GbToBigTable::simplifiedLines)
        m_simplified.append(line.data(), qsizetype(line.size()));
    for (const std::string_view line : GbToBigTable::traditionalLines)
        m_traditional.append(line.data(), qsizetype(line.size()));

    quint16 *toTraditional = m_lookup.get();
    quint16 *toSimplified = m_lookup.get() + kCodes;
    for (std::size_t i = 0; i < kCodes; ++i) {
        toTraditional[i] = quint16(i);
        toSimplified[i] = quint16(i);
    }
    // Walking backwards lets the earlier entry of a repeated code have the last word.
    for (qsizetype i = m_simplified.size() - 2; i >= 0; i -= 2) {
        const quint16 s = load16(m_simplified.constData() + i);
        const quint16 t = load16(m_traditional.constData() + i);
        toTraditional[s] = t;
        toSimplified[t] = s;
    }
}

TGbToBig::~TGbToBig() = default;

void TGbToBig::SetMode(TMode value)
{
    if (value != m_mode)
        m_mode = value;
}

QByteArray TGbToBig::Convert(QByteArrayView source) const
{
    const qsizetype n = source.size();
    if (n == 0)
        return {};
    const quint16 *table = m_lookup.get() + (m_mode == Gb2Big ? 0 : kCodes);
    QByteArray result(n, Qt::Uninitialized);
    const char *in = source.data();
    char *out = result.data();

    // Blocks of 64 bytes: find every pair start at once, then look pairs up without a
    // branch per byte. Most pairs of a block start at offsets of one parity, so every
    // two-byte slot of that parity goes through the table unconditionally: a slot of two
    // single bytes has a first byte below 0x81, and such codes map to themselves. The few
    // pairs of the other parity are written afterwards, each restoring the single byte
    // after it that a misaligned slot has overwritten. A pair that starts on a block's last
    // byte is finished after the next block.
    constexpr quint64 even = 0x5555555555555555ULL;
    constexpr quint64 lastBit = quint64(1) << 63;
    qsizetype i = 0;
    bool straddling = false;
    for (; i + 64 <= n; i += 64) {
        const char *src = in + i;
        char *dst = out + i;
        quint64 leads = leadMask(src);
        if (straddling)
            leads &= ~quint64(1);
        const quint64 starts = pairStarts(leads);
        const quint64 evenStarts = starts & even;
        const quint64 oddStarts = starts & ~even & ~lastBit;
        if (countEvenBits(oddStarts >> 1) <= countEvenBits(evenStarts)) {
#pragma GCC unroll 32
            for (int k = 0; k < 64; k += 2)
                store16(dst + k, table[load16(src + k)]);
            if (straddling)
                dst[1] = src[1];
            for (quint64 rest = oddStarts; rest; rest &= rest - 1) {
                const int k = std::countr_zero(rest);
                dst[k + 2] = src[k + 2];
                store16(dst + k, table[load16(src + k)]);
            }
        } else {
            dst[0] = src[0];
#pragma GCC unroll 31
            for (int k = 1; k < 63; k += 2)
                store16(dst + k, table[load16(src + k)]);
            dst[63] = src[63];
            for (quint64 rest = evenStarts; rest; rest &= rest - 1) {
                const int k = std::countr_zero(rest);
                const int after = std::min(k + 2, 63);
                dst[after] = src[after];
                store16(dst + k, table[load16(src + k)]);
            }
        }
        if (straddling)
            store16(dst - 1, table[load16(src - 1)]);
        straddling = starts & lastBit;
    }
    if (straddling) {
        if (i < n) {
            out[i] = in[i];
            store16(out + i - 1, table[load16(in + i - 1)]);
            ++i;
        } else {
            return result; // the lone lead byte at the end is already copied
        }
    }
    while (i < n) {
        if (isLead(in[i]) && i + 1 < n) {
            store16(out + i, table[load16(in + i)]);
            i += 2;
        } else {
            out[i] = in[i];
            ++i;
        }
    }
    return result;
}
