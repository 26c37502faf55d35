#pragma once
// Records of interleaved numbers (a run of whole numbers, record after record) spread
// into their columns: cols[c][j] = run[j * k + c], each converted to its column's type
// (float or int32).
#include <cstdint>
#include <type_traits>
#include <utility>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

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
    j = wideRecords(seq, run, records, cols...);
  } else if constexpr (k <= 2 && (std::is_same_v<Col, float> && ...)) {
    float* const into[] = {cols..., nullptr};
    j = realRecords<k>(run, records, into[0], into[1]);
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
