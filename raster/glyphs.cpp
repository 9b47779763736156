#include "raster/glyphs.h"

#include <algorithm>
#include <climits>

#include "raster/rgb32.h"

namespace raster {

namespace {

QImage withAlpha(const QImage& image) {
  const QImage::Format f = image.format();
  if (f == QImage::Format_ARGB32 || f == QImage::Format_ARGB32_Premultiplied) return image;
  return image.convertToFormat(QImage::Format_ARGB32);
}

QRect alphaBounds(const QImage& image) {
  int left = INT_MAX;
  int right = -1;
  int top = -1;
  int bottom = -1;
  for (int y = 0; y < image.height(); ++y) {
    const QRgb* row = rowOf(image, y);
    const QRgb* end = row + image.width();
    const QRgb* first = std::find_if(row, end, [](QRgb p) { return qAlpha(p) != 0; });
    if (first == end) continue;
    const QRgb* last = std::find_if(std::make_reverse_iterator(end), std::make_reverse_iterator(first),
                                    [](QRgb p) { return qAlpha(p) != 0; })
                           .base() - 1;
    left = std::min(left, int(first - row));
    right = std::max(right, int(last - row));
    if (top < 0) top = y;
    bottom = y;
  }
  return top < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

}  // namespace

GlyphMask GlyphMask::fromAlpha(const QImage& image, QPoint anchor) {
  const QImage argb = withAlpha(image);
  const QRect found = alphaBounds(argb);
  GlyphMask mask;
  if (found.isEmpty()) return mask;
  mask.bounds_ = found.translated(-anchor);
  mask.wordsPerRow_ = (found.width() + WordBits - 1) / WordBits;
  mask.bits_.assign(std::size_t(mask.wordsPerRow_) * found.height(), 0);
  for (int r = 0; r < found.height(); ++r) {
    const QRgb* row = rowOf(argb, found.top() + r) + found.left();
    Word* bits = mask.bits_.data() + std::size_t(r) * mask.wordsPerRow_;
    for (int x = 0; x < found.width(); ++x)
      if (qAlpha(row[x]) != 0) bits[x / WordBits] |= Word(1) << (x % WordBits);
  }
  return mask;
}

void fill(QImage& target, const GlyphMask& mask, QPoint at, QRgb colour) {
  const QRect placed = mask.bounds().translated(at);
  const QRect area = placed.intersected(target.rect());
  if (area.isEmpty()) return;
  const QRgb ink = opaque(colour);
  // Only the words that reach the target are read: a line far wider than the picture costs what
  // its visible part does.
  const int firstWord = (area.left() - placed.left()) / GlyphMask::WordBits;
  const int lastWord = (area.right() - placed.left()) / GlyphMask::WordBits;
  uchar* const pixels = target.bits();
  for (int y = area.top(); y <= area.bottom(); ++y) {
    const GlyphMask::Word* bits = mask.row(y - placed.top());
    QRgb* line = reinterpret_cast<QRgb*>(pixels + std::size_t(y) * target.bytesPerLine());
    for (int w = firstWord; w <= lastWord; ++w) {
      const int wordLeft = placed.left() + w * GlyphMask::WordBits;
      forEachRun(bits[w], [&](int start, int length) {
        const int from = std::max(wordLeft + start, area.left());
        const int to = std::min(wordLeft + start + length, area.right() + 1);
        if (from < to) std::fill(line + from, line + to, ink);
      });
    }
  }
}

}  // namespace raster
