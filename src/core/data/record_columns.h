#pragma once
// Records of interleaved numbers (a run of whole numbers, record after record) spread
// into their columns: cols[c][j] = run[j * k + c], each converted to its column's type
// (float or int32).
#include <cstdint>
#include <type_traits>
#include <utility>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

#include "core/text/item_reader.h"

namespace quillane::data {

namespace record_columns {

#ifdef __SSE2__
// Four values of one column (four records) into col[0..4).
template <class Col>
[[gnu::always_inline]] inline void put4(Col* col, __m128i v) {
  if constexpr (std::is_same_v<Col, float>)
    _mm_storeu_ps(col, _mm_cvtepi32_ps(v));
  else
    _mm_storeu_si128(reinterpret_cast<__m128i*>(col), v);
}

// The 4 x 4 block rows[0..4) turned so that rows[c] holds item c of each row.
[[gnu::always_inline]] inline void transpose(__m128i (&rows)[4]) {
  const __m128i t0 = _mm_unpacklo_epi32(rows[0], rows[1]), t1 = _mm_unpacklo_epi32(rows[2], rows[3]);
  const __m128i t2 = _mm_unpackhi_epi32(rows[0], rows[1]), t3 = _mm_unpackhi_epi32(rows[2], rows[3]);
  rows[0] = _mm_unpacklo_epi64(t0, t1);
  rows[1] = _mm_unpackhi_epi64(t0, t1);
  rows[2] = _mm_unpacklo_epi64(t2, t3);
  rows[3] = _mm_unpackhi_epi64(t2, t3);
}

// Records of k = 4..8 items, four at a time: the first four items and the last four of
// each record (the same ones twice when k < 8) are two 4 x 4 blocks, turned into
// columns. Nothing outside the records is read. Returns the records spread.
template <std::size_t... C, class... Col>
inline int wideRecords(std::index_sequence<C...>, const std::int32_t* run, int records, Col*... cols) {
  constexpr int k = sizeof...(Col);
  int j = 0;
  for (; j + 4 <= records; j += 4) {
    const std::int32_t* p = run + j * k;
    const auto at = [p](int i) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i)); };
    __m128i head[4] = {at(0), at(k), at(2 * k), at(3 * k)};
    __m128i tail[4] = {at(k - 4), at(2 * k - 4), at(3 * k - 4), at(4 * k - 4)};
    transpose(head);
    transpose(tail);
    (put4(cols + j, int(C) < 4 ? head[int(C) & 3] : tail[(int(C) - (k - 4)) & 3]), ...);
  }
  return j;
}

#if defined(__x86_64__) || defined(__i386__)
#define QUILLANE_AVX2 __attribute__((target("avx2")))
// Eight values of one column (eight records) into col[0..8).
template <class Col>
[[gnu::always_inline]] QUILLANE_AVX2 inline void put8(Col* col, __m256i v) {
  if constexpr (std::is_same_v<Col, float>)
    _mm256_storeu_ps(col, _mm256_cvtepi32_ps(v));
  else
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(col), v);
}

// The seven columns of records of seven items, eight records at a time with AVX2: the
// records as the rows of an 8 x 8 block (each row's last item the next record's first,
// unused; the last row loaded one item early and moved up, so nothing past the
// records is read), turned into columns.
template <std::size_t... C, class... Col>
QUILLANE_AVX2 inline int sevenColumns(std::index_sequence<C...>, const std::int32_t* run, int records,
                                      Col*... cols) {
  static_assert(sizeof...(Col) == 7);
  int j = 0;
  for (; j + 8 <= records; j += 8) {
    const std::int32_t* p = run + j * 7;
    __m256i r[8];
#pragma GCC unroll 8
    for (int i = 0; i < 7; ++i) r[i] = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 7 * i));
    r[7] = _mm256_permutevar8x32_epi32(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 48)),
                                       _mm256_setr_epi32(1, 2, 3, 4, 5, 6, 7, 7));
    __m256i t[8], u[8];
#pragma GCC unroll 8
    for (int i = 0; i < 8; i += 2) {
      t[i] = _mm256_unpacklo_epi32(r[i], r[i + 1]);
      t[i + 1] = _mm256_unpackhi_epi32(r[i], r[i + 1]);
    }
#pragma GCC unroll 8
    for (int i = 0; i < 8; i += 4) {
      u[i] = _mm256_unpacklo_epi64(t[i], t[i + 2]);
      u[i + 1] = _mm256_unpackhi_epi64(t[i], t[i + 2]);
      u[i + 2] = _mm256_unpacklo_epi64(t[i + 1], t[i + 3]);
      u[i + 3] = _mm256_unpackhi_epi64(t[i + 1], t[i + 3]);
    }
    // Column c < 4: the low halves of u[c] and u[c + 4]; c >= 4 their high halves.
    (put8(cols + j, int(C) < 4 ? _mm256_permute2x128_si256(u[int(C) & 3], u[(int(C) & 3) + 4], 0x20)
                               : _mm256_permute2x128_si256(u[int(C) & 3], u[(int(C) & 3) + 4], 0x31)),
     ...);
  }
  return j;
}

// Records of two float columns, eight at a time with AVX2.
QUILLANE_AVX2 inline int twoRealColumns(const std::int32_t* run, int records, float* col0, float* col1) {
  int j = 0;
  for (; j + 8 <= records; j += 8) {
    const __m256 a = _mm256_cvtepi32_ps(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(run + 2 * j)));
    const __m256 b = _mm256_cvtepi32_ps(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(run + 2 * j + 8)));
    // Shuffling gives records 0, 1, 4, 5 in the low half and 2, 3, 6, 7 in the high one.
    const __m256d c0 = _mm256_castps_pd(_mm256_shuffle_ps(a, b, _MM_SHUFFLE(2, 0, 2, 0)));
    const __m256d c1 = _mm256_castps_pd(_mm256_shuffle_ps(a, b, _MM_SHUFFLE(3, 1, 3, 1)));
    _mm256_storeu_pd(reinterpret_cast<double*>(col0 + j), _mm256_permute4x64_pd(c0, 0xD8));
    _mm256_storeu_pd(reinterpret_cast<double*>(col1 + j), _mm256_permute4x64_pd(c1, 0xD8));
  }
  return j;
}
#undef QUILLANE_AVX2
#endif

// Records of one or two float columns, four at a time.
template <int K>
inline int realRecords(const std::int32_t* run, int records, float* col0, float* col1) {
  int j = 0;
  for (; j + 4 <= records; j += 4) {
    const auto real = [&](int i) { return _mm_cvtepi32_ps(_mm_loadu_si128(reinterpret_cast<const __m128i*>(run + i))); };
    if constexpr (K == 1) {
      _mm_storeu_ps(col0 + j, real(j));
    } else {
      const __m128 a = real(2 * j), b = real(2 * j + 4);
      _mm_storeu_ps(col0 + j, _mm_shuffle_ps(a, b, _MM_SHUFFLE(2, 0, 2, 0)));
      _mm_storeu_ps(col1 + j, _mm_shuffle_ps(a, b, _MM_SHUFFLE(3, 1, 3, 1)));
    }
  }
  return j;
}
#endif

template <std::size_t... C, class... Col>
inline void spread([[maybe_unused]] std::index_sequence<C...> seq, const std::int32_t* run, int records, Col*... cols) {
  constexpr int k = sizeof...(Col);
  int j = 0;
#ifdef __SSE2__
  if constexpr (k >= 4 && k <= 8) {
#if defined(__x86_64__) || defined(__i386__)
    if constexpr (k == 7)
      if (text::wideNumberWindows()) j = sevenColumns(seq, run, records, cols...);
#endif
    j += wideRecords(seq, run + j * k, records - j, (cols + j)...);
  } else if constexpr (k <= 2 && (std::is_same_v<Col, float> && ...)) {
    float* const into[] = {cols..., nullptr};
#if defined(__x86_64__) || defined(__i386__)
    if constexpr (k == 2)
      if (text::wideNumberWindows()) j = twoRealColumns(run, records, into[0], into[1]);
#endif
    j += realRecords<k>(run + j * k, records - j, into[0] + j, k == 2 ? into[1] + j : nullptr);
  }
#endif
  for (; j < records; ++j) ((cols[j] = static_cast<Col>(run[j * k + int(C)])), ...);
}

}  // namespace record_columns

template <class... Col>
inline void spreadRecords(const std::int32_t* run, int records, Col*... cols) {
  record_columns::spread(std::index_sequence_for<Col...>{}, run, records, cols...);
}

}  // namespace quillane::data
