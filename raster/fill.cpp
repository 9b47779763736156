#include "raster/fill.h"

#include <vector>

#include "raster/rgb32.h"

namespace raster {

namespace {

// Scanline flood over the 4-connected pixels that `inside` accepts, from `seed`: each popped
// point grows into the whole run of its row, which is painted, and one point per run of the rows
// above and below is pushed. `paint` must leave a pixel no longer inside, so each pixel is
// painted once and the stack stays bounded by the picture's size.
template <typename Inside, typename Paint>
void spanFill(int w, int h, QPoint seed, Inside inside, Paint paint) {
  std::vector<QPoint> pending{seed};
  while (!pending.empty()) {
    const QPoint p = pending.back();
    pending.pop_back();
    const int y = p.y();
    if (!inside(p.x(), y)) continue;
    int left = p.x();
    while (left > 0 && inside(left - 1, y)) --left;
    int right = p.x();
    while (right + 1 < w && inside(right + 1, y)) ++right;
    for (int x = left; x <= right; ++x) paint(x, y);
    for (const int ny : {y - 1, y + 1}) {
      if (ny < 0 || ny >= h) continue;
      bool inRun = false;
      for (int x = left; x <= right; ++x) {
        const bool in = inside(x, ny);
        if (in && !inRun) pending.emplace_back(x, ny);
        inRun = in;
      }
    }
  }
}

// Direct access to the pixels of a prepared picture, for loops that jump between rows.
struct PixelGrid {
  explicit PixelGrid(QImage& picture)
      : base(rowOf(picture, 0)), stride(picture.bytesPerLine() / qsizetype(sizeof(QRgb))) {}
  QRgb& at(int x, int y) const { return base[y * stride + x]; }
  QRgb* base;
  qsizetype stride;
};

bool holds(const QImage& picture, QPoint p) {
  return p.x() >= 0 && p.y() >= 0 && p.x() < picture.width() && p.y() < picture.height();
}

// Replaces the key colour in rows firstRow.. of the part `size` of the picture by what
// `replacement(x, y)` gives.
template <typename Replacement>
void replaceKey(QImage& picture, QRgb key, int firstRow, QSize size, Replacement replacement) {
  const int rows = std::min(picture.height(), size.height());
  const int columns = std::min(picture.width(), size.width());
  for (int y = std::max(firstRow, 0); y < rows; ++y) {
    QRgb* row = rowOf(picture, y);
    for (int x = 0; x < columns; ++x)
      if (sameColour(row[x], key)) row[x] = opaque(replacement(x, y));
  }
}

}  // namespace

bool floodFillSurface(QImage& picture, QPoint seed, QRgb colour) {
  if (!holds(picture, seed) || !prepareRgb32(picture)) return false;
  const PixelGrid grid(picture);
  const QRgb surface = grid.at(seed.x(), seed.y());
  if (sameColour(surface, colour)) return true;
  spanFill(
      picture.width(), picture.height(), seed,
      [&](int x, int y) { return sameColour(grid.at(x, y), surface); },
      [&](int x, int y) { grid.at(x, y) = opaque(colour); });
  return true;
}

bool floodFillBorder(QImage& picture, QPoint seed, QRgb border, QRgb colour) {
  if (!holds(picture, seed) || !prepareRgb32(picture)) return false;
  const PixelGrid grid(picture);
  if (sameColour(grid.at(seed.x(), seed.y()), border)) return false;
  const int w = picture.width();
  // The fill colour may be neither the border nor new, so painted pixels are marked apart.
  std::vector<bool> painted(std::size_t(w) * picture.height());
  spanFill(
      w, picture.height(), seed,
      [&](int x, int y) { return !painted[std::size_t(y) * w + x] && !sameColour(grid.at(x, y), border); },
      [&](int x, int y) {
        painted[std::size_t(y) * w + x] = true;
        grid.at(x, y) = opaque(colour);
      });
  return true;
}

bool patternfill(QImage& picture, QRgb key, const QImage& pattern, int firstRow) {
  const QImage source = asRgb32(pattern);
  if (source.isNull() || source.width() <= 0 || source.height() <= 0 || !prepareRgb32(picture)) return false;
  replaceKey(picture, key, firstRow, source.size(), [&](int x, int y) { return rowOf(source, y)[x]; });
  return true;
}

bool patternfill(QImage& picture, QRgb key, QRgb colour, int firstRow) {
  if (!prepareRgb32(picture)) return false;
  replaceKey(picture, key, firstRow, picture.size(), [colour](int, int) { return colour; });
  return true;
}

}  // namespace raster
