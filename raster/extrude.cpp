#include "raster/extrude.h"

#include <algorithm>
#include <array>
#include <vector>

#include "raster/rgb32.h"

namespace raster {

namespace {

using Word = GlyphMask::Word;
constexpr int WordBits = GlyphMask::WordBits;

int floorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

// One bit per pixel of the target picture.
class BitPlane {
 public:
  BitPlane(int width, int height)
      : words_((width + WordBits - 1) / WordBits), bits_(std::size_t(words_) * height, 0) {}
  int words() const { return words_; }
  Word* row(int y) { return bits_.data() + std::size_t(y) * words_; }

 private:
  int words_;
  std::vector<Word> bits_;
};

// Prints gathered from the last backwards: `claimed` holds the pixels a later print has already
// coloured, `layer` the prints of the colour now being gathered.
class Gathering {
 public:
  explicit Gathering(QImage& target)
      : target_(target), claimed_(target.width(), target.height()), layer_(target.width(), target.height()) {}

  void add(const GlyphMask& mask, QPoint at) {
    const QRect placed = mask.bounds().translated(at);
    const QRect area = placed.intersected(target_.rect());
    if (area.isEmpty()) return;
    // Bit 0 of every mask row lands `offset` bits into plane word `base` (+ the mask word).
    const int base = floorDiv(placed.left(), WordBits);
    const int offset = placed.left() - base * WordBits;
    const int firstWord = (area.left() - placed.left()) / WordBits;
    const int lastWord = (area.right() - placed.left()) / WordBits;
    const int words = layer_.words();
    for (int y = area.top(); y <= area.bottom(); ++y) {
      const Word* source = mask.row(y - placed.top());
      Word* plane = layer_.row(y);
      for (int w = firstWord; w <= lastWord; ++w) {
        const int low = base + w;
        if (low >= 0 && low < words) plane[low] |= source[w] << offset;
        if (offset != 0 && low + 1 >= 0 && low + 1 < words) plane[low + 1] |= source[w] >> (WordBits - offset);
      }
    }
    top_ = std::min(top_, area.top());
    bottom_ = std::max(bottom_, area.bottom());
  }

  // Colours the gathered pixels no later print has claimed, and empties the layer.
  void paint(QRgb colour) {
    const QRgb ink = opaque(colour);
    const int width = target_.width();
    uchar* const pixels = target_.bits();
    for (int y = top_; y <= bottom_; ++y) {
      Word* layer = layer_.row(y);
      Word* claimed = claimed_.row(y);
      QRgb* line = reinterpret_cast<QRgb*>(pixels + std::size_t(y) * target_.bytesPerLine());
      for (int w = 0; w < layer_.words(); ++w) {
        const Word fresh = layer[w] & ~claimed[w];
        claimed[w] |= layer[w];
        layer[w] = 0;
        forEachRun(fresh, [&](int start, int length) {
          const int from = w * WordBits + start;
          const int to = std::min(from + length, width);
          if (from < to) std::fill(line + from, line + to, ink);
        });
      }
    }
    top_ = target_.height();
    bottom_ = -1;
  }

 private:
  QImage& target_;
  BitPlane claimed_;
  BitPlane layer_;
  int top_ = target_.height();
  int bottom_ = -1;
};

constexpr std::array<QPoint, 20> rimOffsets{{
    {+1, 0}, {-1, 0}, {0, +1}, {0, -1},
    {+1, +1}, {+1, -1}, {-1, +1}, {-1, -1},
    {+2, 0}, {-2, 0}, {0, +2}, {0, -2},
    {+2, +1}, {+2, -1}, {-2, +1}, {-2, -1}, {+1, +2}, {+1, -2}, {-1, +2}, {-1, -2},
}};

// The graded shadow's colours step by multiples of 64000, a number read as the palette packs its
// colours: red + 256 x green + 65536 x blue.
constexpr long gradedStep = 64000;

}  // namespace

void fillInOrder(QImage& target, std::span<const MaskPrint> prints) {
  if (prints.empty() || target.isNull()) return;
  Gathering gathering(target);
  // Backwards, a pixel keeps the colour of the first print found on it: the last one printed.
  auto end = prints.rbegin();
  while (end != prints.rend()) {
    const QRgb colour = end->colour;
    auto run = end;
    for (; run != prints.rend() && run->colour == colour; ++run) gathering.add(*run->mask, run->at);
    gathering.paint(colour);
    end = run;
  }
}

std::span<const QPoint> outlineOffsets(int weight) {
  const std::size_t count = weight == 2 ? 20 : weight == 1 ? 8 : 4;
  return std::span<const QPoint>(rimOffsets).first(count);
}

QPoint shadowStep(ShadowSide side) {
  switch (side) {
    case ShadowSide::AboveLeft: return {+1, +1};
    case ShadowSide::AboveRight: return {-1, +1};
    case ShadowSide::BelowLeft: return {+1, -1};
    case ShadowSide::BelowRight: return {-1, -1};
  }
  return {};
}

// The far copies get the largest addition. The sum is formed channel by channel, and a channel
// that would pass 255 stays at 255 instead of carrying into the next one (which would turn a pale
// base into a dark, unrelated colour). Where no channel overflows this is the plain sum.
QRgb gradedShade(int copy, int depth, QRgb base) {
  const long addition = (long(copy) * 36 / depth + 1) * gradedStep;
  const auto channel = [addition](int value, int shift) {
    return std::min(255, value + int((addition >> shift) & 0xFF));
  };
  return qRgb(channel(qRed(base), 0), channel(qGreen(base), 8), channel(qBlue(base), 16));
}

}  // namespace raster
