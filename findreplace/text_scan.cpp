#include "text_scan.hpp"

#include <bit>
#include <cstring>

#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#include <emmintrin.h>
#define MORFEX_SSE2 1
#endif

namespace morfex {
namespace {

uint64_t count_line_ends_plain(const char* p, size_t from, size_t to) {
    uint64_t count = 0;
    for (size_t i = from; i < to; ++i) count += (p[i] == '\r') | ((p[i] == '\n') & (p[i - 1] != '\r'));
    return count;
}

}  // namespace

// The needle at p, given that its first and last byte agree.
bool TextSearch::matches_at(const char* p) const {
    return needle_.size() < 3 || std::memcmp(p + 1, needle_.data() + 1, needle_.size() - 2) == 0;
}

size_t TextSearch::find_plain(std::string_view text, size_t from) const {
    const size_t n = needle_.size();
    const char first = needle_.front(), last = needle_.back();
    while (from + n <= text.size()) {
        const void* hit = std::memchr(text.data() + from, first, text.size() - n + 1 - from);
        if (!hit) break;
        from = static_cast<size_t>(static_cast<const char*>(hit) - text.data());
        if (text[from + n - 1] == last && matches_at(text.data() + from)) return from;
        ++from;
    }
    return std::string_view::npos;
}

size_t TextSearch::find(std::string_view text, size_t from) const {
    const size_t n = needle_.size();
    if (n == 0 || n > text.size()) return std::string_view::npos;
#ifdef MORFEX_SSE2
    const __m128i first = _mm_set1_epi8(needle_.front());
    const __m128i last = _mm_set1_epi8(needle_.back());
    // Sixteen positions at a time, as long as the last byte of each lies in text.
    for (; from + n - 1 + 16 <= text.size(); from += 16) {
        const char* p = text.data() + from;
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + n - 1));
        unsigned mask = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(a, first), _mm_cmpeq_epi8(b, last))));
        for (; mask != 0; mask &= mask - 1) {
            const size_t at = static_cast<size_t>(std::countr_zero(mask));
            if (matches_at(p + at)) return from + at;
        }
    }
#endif
    return find_plain(text, from);
}

uint64_t count_line_ends(std::string_view text, bool after_cr) {
    if (text.empty()) return 0;
    const char* p = text.data();
    uint64_t count = (p[0] == '\r') | ((p[0] == '\n') & !after_cr);
    size_t i = 1;
#ifdef MORFEX_SSE2
    const __m128i cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n');
    while (i + 16 <= text.size()) {
        // Each line end subtracts 1 (all bits set) from its byte lane; at
        // most 255 rounds before the lanes are added up.
        __m128i lanes = _mm_setzero_si128();
        for (int round = 0; round < 255 && i + 16 <= text.size(); ++round, i += 16) {
            const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
            const __m128i before = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i - 1));
            const __m128i ends = _mm_or_si128(_mm_cmpeq_epi8(here, cr),
                                              _mm_andnot_si128(_mm_cmpeq_epi8(before, cr), _mm_cmpeq_epi8(here, lf)));
            lanes = _mm_sub_epi8(lanes, ends);
        }
        const __m128i sums = _mm_sad_epu8(lanes, _mm_setzero_si128());
        count += static_cast<uint64_t>(_mm_cvtsi128_si32(sums)) + static_cast<uint64_t>(_mm_extract_epi16(sums, 4));
    }
#endif
    return count + count_line_ends_plain(p, i, text.size());
}

}  // namespace morfex
