#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <bit>
#include <cstdint>
#include <vector>

namespace raster {

// A one-bit picture of where a print puts colour, placed relative to its anchor: text is
// rendered into one once and then stamped wherever it is printed, however often.
class GlyphMask {
 public:
  using Word = std::uint64_t;
  static constexpr int WordBits = 64;

  // The pixels of `image` whose alpha is not 0; `anchor` is where the anchor lies in `image`.
  static GlyphMask fromAlpha(const QImage& image, QPoint anchor);

  // The smallest rectangle holding every set pixel, relative to the anchor; empty for none.
  QRect bounds() const { return bounds_; }
  // Row `r` of the bounds (0 = top) in words of 64 pixels: bit b of word w is the pixel
  // bounds().left() + 64 w + b.
  const Word* row(int r) const { return bits_.data() + std::size_t(r) * wordsPerRow_; }
  std::size_t byteSize() const { return bits_.size() * sizeof(Word); }

 private:
  QRect bounds_;
  int wordsPerRow_ = 0;
  std::vector<Word> bits_;
};

// Calls visit(start, length) for every run of set bits of `bits`, lowest bits first.
template <class Visit>
void forEachRun(GlyphMask::Word bits, Visit visit) {
  while (bits != 0) {
    const int start = std::countr_zero(bits);
    const int length = std::countr_one(bits >> start);
    visit(start, length);
    bits = start + length >= GlyphMask::WordBits ? 0 : bits & (~GlyphMask::Word(0) << (start + length));
  }
}

// Paints the set pixels of `mask`, its anchor at `at`, in `colour`; what falls outside `target`
// is left out. `target` is a 32-bit picture (RGB32 or ARGB32); the pixels written are opaque.
void fill(QImage& target, const GlyphMask& mask, QPoint at, QRgb colour);

}  // namespace raster
