#include "qsl/textfind.h"

#include <algorithm>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace logbook {

namespace {

bool matchesAt(const char16_t* text, QStringView needle) {
  return std::memcmp(text, needle.utf16(), size_t(needle.size()) * sizeof(char16_t)) == 0;
}

}  // namespace

qsizetype findText(QStringView text, QStringView needle, qsizetype from) {
  from = std::max<qsizetype>(from, 0);
  const qsizetype m = needle.size();
  const qsizetype lastStart = text.size() - m;
  if (from > lastStart) return -1;
  if (m == 0) return from;
  if (m == 1) return text.indexOf(needle.front(), from);  // Qt's own search for one character is vectorised
  const char16_t* h = text.utf16();
  const char16_t first = needle.front().unicode();
  const char16_t last = needle.back().unicode();
  qsizetype i = from;
#ifdef __SSE2__
  // Eight places at a time: only where the needle's first and last characters both stand is the
  // rest compared.
  constexpr qsizetype Lanes = 8;
  const __m128i firsts = _mm_set1_epi16(short(first));
  const __m128i lasts = _mm_set1_epi16(short(last));
  for (; i + Lanes - 1 <= lastStart; i += Lanes) {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(h + i));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(h + i + m - 1));
    // Two mask bits per character.
    unsigned mask = unsigned(_mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi16(a, firsts), _mm_cmpeq_epi16(b, lasts))));
    while (mask != 0) {
      const qsizetype at = i + __builtin_ctz(mask) / 2;
      if (matchesAt(h + at + 1, needle.sliced(1, m - 2))) return at;
      mask &= mask - 1;
      mask &= mask - 1;
    }
  }
#endif
  for (; i <= lastStart; ++i)
    if (h[i] == first && h[i + m - 1] == last && matchesAt(h + i + 1, needle.sliced(1, m - 2))) return i;
  return -1;
}

}  // namespace logbook
