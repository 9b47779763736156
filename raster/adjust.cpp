#include "raster/adjust.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

#include "raster/rgb32.h"

namespace raster {

namespace {

constexpr int kBytesPerPixel = 4;

// A point filter maps each channel value on its own, so 256 results computed once stand in for
// the formula on every pixel.
using ChannelTable = std::array<std::uint8_t, 256>;

template <typename Formula>
ChannelTable tableOf(Formula formula) {
  ChannelTable table{};
  for (int v = 0; v < 256; ++v) table[v] = std::uint8_t(toChannel(formula(double(v))));
  return table;
}

// Every pixel of the picture becomes map(pixel). Width and height are read once: they are calls
// the compiler cannot move out of a loop that writes pixels.
template <typename Map>
void mapPixels(QImage& picture, Map map) {
  const int w = picture.width();
  const int h = picture.height();
  for (int y = 0; y < h; ++y) {
    QRgb* row = rowOf(picture, y);
    for (int x = 0; x < w; ++x) row[x] = map(row[x]);
  }
}

void applyTable(QImage& picture, const ChannelTable& table) {
  mapPixels(picture, [&table](QRgb p) {
    return kOpaque | QRgb(table[(p >> 16) & 0xFF]) << 16 | QRgb(table[(p >> 8) & 0xFF]) << 8 | QRgb(table[p & 0xFF]);
  });
}

void makeOpaque(std::uint8_t* row, int width) {
  for (int x = 0; x < width; ++x) row[x * kBytesPerPixel + 3] = 0xFF;
}

// One pass of a 3 x 3 kernel over the picture in place. `kernel(up, mid, down, out, width)`
// writes the new row `out` from the unchanged rows above, at and below it (bytes, four per
// pixel; past the top and bottom the edge row stands in). Each original row is kept just long
// enough to serve as the row above the next one. Returns whether any pixel changed.
template <typename Kernel>
bool kernelPass(QImage& picture, Kernel kernel) {
  const int w = picture.width();
  const int h = picture.height();
  const std::size_t rowBytes = std::size_t(w) * kBytesPerPixel;
  std::vector<std::uint8_t> above(picture.constScanLine(0), picture.constScanLine(0) + rowBytes);
  std::vector<std::uint8_t> current = above;
  bool changed = false;
  for (int y = 0; y < h; ++y) {
    std::uint8_t* out = picture.scanLine(y);
    const std::uint8_t* below = y + 1 < h ? picture.constScanLine(y + 1) : current.data();
    kernel(above.data(), current.data(), below, out, w);
    makeOpaque(out, w);
    changed = changed || std::memcmp(out, current.data(), rowBytes) != 0;
    std::swap(above, current);
    if (y + 1 < h) std::memcpy(current.data(), picture.constScanLine(y + 1), rowBytes);
  }
  return changed;
}

// Beyond this strength every pixel whose neighbours differ from it at all already ends at 0 or
// 255 (the Laplacian is a whole number), so larger strengths give the same picture.
constexpr int kSharpenSaturation = 256;
// Up to this strength v + n * Laplacian stays within 16 bits (|Laplacian| <= 1020), and the
// loop works on twice as many values at once.
constexpr int kSharpenNarrow = 31;

// Lane is the arithmetic type: 16-bit for small strengths, else 32-bit.
template <typename Lane>
std::uint8_t sharpened(int v, int up, int down, int left, int right, Lane n) {
  const Lane laplacian = Lane(4 * v - up - down - left - right);
  return std::uint8_t(std::clamp<Lane>(Lane(v + Lane(n * laplacian)), 0, 255));
}

// Loops over whole chunks of this many bytes, on pointers that cannot overlap, are vectorised
// at the default optimisation level; the remainder goes one byte at a time.
constexpr int kChunk = 16;

// Bytes [begin, end) of a row whose pixels all have a left and a right neighbour. Alpha bytes
// go through the same sum and are made opaque afterwards, which keeps the loop simple.
template <typename Lane>
void sharpenSpan(const std::uint8_t* __restrict up, const std::uint8_t* __restrict mid,
                 const std::uint8_t* __restrict down, std::uint8_t* __restrict out, int begin, int end, Lane n) {
  int i = begin;
  for (; i + kChunk <= end; i += kChunk)
    for (int k = 0; k < kChunk; ++k)
      out[i + k] = sharpened<Lane>(mid[i + k], up[i + k], down[i + k], mid[i + k - kBytesPerPixel],
                                   mid[i + k + kBytesPerPixel], n);
  for (; i < end; ++i)
    out[i] = sharpened<Lane>(mid[i], up[i], down[i], mid[i - kBytesPerPixel], mid[i + kBytesPerPixel], n);
}

// The first and last pixel of a row, whose missing neighbour is themselves (in a row of one
// pixel both are the same pixel, given the same value twice). `channel(i, left, right)` gives
// colour byte i from the indexes of the same byte of its left and right neighbours.
template <typename Channel>
void rowEnds(std::uint8_t* out, int w, Channel channel) {
  for (int x : {0, w - 1}) {
    const int left = std::max(x - 1, 0) * kBytesPerPixel;
    const int right = std::min(x + 1, w - 1) * kBytesPerPixel;
    for (int c = 0; c < 3; ++c) {
      const int i = x * kBytesPerPixel + c;
      out[i] = channel(i, left + c, right + c);
    }
  }
}

void sharpenRow(const std::uint8_t* up, const std::uint8_t* mid, const std::uint8_t* down,
                std::uint8_t* out, int w, int n) {
  const int begin = kBytesPerPixel;
  const int end = (w - 1) * kBytesPerPixel;
  if (n <= kSharpenNarrow)
    sharpenSpan<std::int16_t>(up, mid, down, out, begin, end, std::int16_t(n));
  else
    sharpenSpan<int>(up, mid, down, out, begin, end, n);
  rowEnds(out, w, [&](int i, int left, int right) {
    return sharpened<int>(mid[i], up[i], down[i], mid[left], mid[right], n);
  });
}

constexpr int kSoftenBlock = 9;
constexpr int kSoftenRounding = 4;

std::uint8_t softened(int left, int centre, int right) {
  return std::uint8_t((left + centre + right + kSoftenRounding) / kSoftenBlock);
}

void columnSums(const std::uint8_t* __restrict up, const std::uint8_t* __restrict mid,
                const std::uint8_t* __restrict down, std::uint16_t* __restrict sums, int bytes) {
  int i = 0;
  for (; i + kChunk <= bytes; i += kChunk)
    for (int k = 0; k < kChunk; ++k) sums[i + k] = std::uint16_t(up[i + k] + mid[i + k] + down[i + k]);
  for (; i < bytes; ++i) sums[i] = std::uint16_t(up[i] + mid[i] + down[i]);
}

void softenSpan(const std::uint16_t* __restrict sums, std::uint8_t* __restrict out, int begin, int end) {
  int i = begin;
  for (; i + kChunk <= end; i += kChunk)
    for (int k = 0; k < kChunk; ++k)
      out[i + k] = softened(sums[i + k - kBytesPerPixel], sums[i + k], sums[i + k + kBytesPerPixel]);
  for (; i < end; ++i) out[i] = softened(sums[i - kBytesPerPixel], sums[i], sums[i + kBytesPerPixel]);
}

void softenRow(const std::uint8_t* up, const std::uint8_t* mid, const std::uint8_t* down,
               std::uint8_t* out, int w, std::vector<std::uint16_t>& sums) {
  const int bytes = w * kBytesPerPixel;
  columnSums(up, mid, down, sums.data(), bytes);
  softenSpan(sums.data(), out, kBytesPerPixel, bytes - kBytesPerPixel);
  rowEnds(out, w, [&sums](int i, int left, int right) { return softened(sums[left], sums[i], sums[right]); });
}

}  // namespace

bool brightnessContrast(QImage& picture, double brightness, double contrast) {
  if (!std::isfinite(brightness) || !std::isfinite(contrast) || !prepareRgb32(picture)) return false;
  applyTable(picture, tableOf([&](double v) {
               return (v - 128.0) * 2.0 * contrast + 128.0 + (2.0 * brightness - 1.0) * 255.0;
             }));
  return true;
}

bool gammaCorrect(QImage& picture, double gamma) {
  if (!std::isfinite(gamma) || gamma <= 0.0 || !prepareRgb32(picture)) return false;
  const double exponent = 5.0 / gamma;
  applyTable(picture, tableOf([&](double v) { return 255.0 * std::pow(v / 255.0, exponent); }));
  return true;
}

bool grey(QImage& picture) {
  if (!prepareRgb32(picture)) return false;
  mapPixels(picture, [](QRgb p) {
    const unsigned luma = (299 * qRed(p) + 587 * qGreen(p) + 114 * qBlue(p) + 500) / 1000;
    return kOpaque | luma * 0x010101u;
  });
  return true;
}

bool negative(QImage& picture) {
  if (!prepareRgb32(picture)) return false;
  mapPixels(picture, [](QRgb p) { return ~p | kOpaque; });
  return true;
}

bool sharpen(QImage& picture, int amount) {
  if (amount < 1 || !prepareRgb32(picture)) return false;
  const int n = std::min(amount, kSharpenSaturation);
  kernelPass(picture, [n](const std::uint8_t* up, const std::uint8_t* mid, const std::uint8_t* down,
                          std::uint8_t* out, int w) { sharpenRow(up, mid, down, out, w, n); });
  return true;
}

bool soften(QImage& picture, int amount) {
  if (amount < 1 || !prepareRgb32(picture)) return false;
  std::vector<std::uint16_t> sums(std::size_t(picture.width()) * kBytesPerPixel);
  const auto pass = [&sums](const std::uint8_t* up, const std::uint8_t* mid, const std::uint8_t* down,
                            std::uint8_t* out, int w) { softenRow(up, mid, down, out, w, sums); };
  // A pass that changes nothing has reached the picture every further pass would give.
  for (int i = 0; i < amount && kernelPass(picture, pass); ++i) {
  }
  return true;
}

}  // namespace raster
