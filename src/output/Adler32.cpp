#include "output/Adler32.h"

#include <zlib.h>

#include <algorithm>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define ORV_ADLER_SSSE3 1
#endif

namespace orv {

namespace {

constexpr uint32_t kBase = 65521;
// Blocks of 32 bytes between reductions, so that no 32-bit lane overflows.
constexpr size_t kMostBlocks = 5552 / 32;

#ifdef ORV_ADLER_SSSE3
__attribute__((target("ssse3"))) uint32_t Adler32Ssse3(uint32_t adler, const uint8_t* data,
                                                        size_t size) {
    uint64_t s1 = adler & 0xFFFF;
    uint64_t s2 = adler >> 16;
    const __m128i zero = _mm_setzero_si128();
    const __m128i ones = _mm_set1_epi16(1);
    // Within a block of 32, byte i adds (32 - i) times to s2.
    const __m128i weightsHigh =
        _mm_setr_epi8(32, 31, 30, 29, 28, 27, 26, 25, 24, 23, 22, 21, 20, 19, 18, 17);
    const __m128i weightsLow = _mm_setr_epi8(16, 15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1);
    while (size >= 32) {
        const size_t blocks = std::min(size / 32, kMostBlocks);
        size -= blocks * 32;
        __m128i sums = zero;      // bytes so far in this run
        __m128i earlier = zero;   // `sums` before each block, added up
        __m128i weighted = zero;  // each block's own share of s2
        for (size_t b = 0; b < blocks; ++b, data += 32) {
            const __m128i first = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data));
            const __m128i second = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + 16));
            earlier = _mm_add_epi32(earlier, sums);
            sums = _mm_add_epi32(sums, _mm_sad_epu8(first, zero));
            sums = _mm_add_epi32(sums, _mm_sad_epu8(second, zero));
            weighted = _mm_add_epi32(
                weighted, _mm_madd_epi16(_mm_maddubs_epi16(first, weightsHigh), ones));
            weighted = _mm_add_epi32(
                weighted, _mm_madd_epi16(_mm_maddubs_epi16(second, weightsLow), ones));
        }
        alignas(16) uint32_t lanes[3][4];
        _mm_store_si128(reinterpret_cast<__m128i*>(lanes[0]), sums);
        _mm_store_si128(reinterpret_cast<__m128i*>(lanes[1]), earlier);
        _mm_store_si128(reinterpret_cast<__m128i*>(lanes[2]), weighted);
        uint64_t lane[3] = {0, 0, 0};
        for (int k = 0; k < 3; ++k) {
            for (const uint32_t v : lanes[k]) lane[k] += v;
        }
        s2 += 32 * blocks * s1 + 32 * lane[1] + lane[2];
        s1 += lane[0];
        s1 %= kBase;
        s2 %= kBase;
    }
    for (; size > 0; --size) {
        s1 += *data++;
        s2 += s1;
    }
    return static_cast<uint32_t>((s2 % kBase) << 16 | (s1 % kBase));
}
#endif

}  // namespace

uint32_t Adler32(uint32_t adler, const uint8_t* data, size_t size) {
#ifdef ORV_ADLER_SSSE3
    static const bool ssse3 = __builtin_cpu_supports("ssse3");
    if (ssse3) return Adler32Ssse3(adler, data, size);
#endif
    while (size > 0) {
        const uInt part = static_cast<uInt>(std::min<size_t>(size, 1u << 30));
        adler = static_cast<uint32_t>(adler32(adler, data, part));
        data += part;
        size -= part;
    }
    return adler;
}

}  // namespace orv
