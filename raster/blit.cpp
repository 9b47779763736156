#include "raster/blit.h"

#include "raster/rgb32.h"

namespace raster {

namespace {

QImage thirtyTwoBit(const QImage& image) {
  return image.depth() == 32 ? image : image.convertToFormat(QImage::Format_RGB32);
}

}  // namespace

void transparentCopy(QImage& target, const QImage& background, const QImage& source, const QRect& from, QPoint to,
                     QRgb key) {
  const QImage src = thirtyTwoBit(source);
  // The part of `from` that lies in the source and lands on the target, in source coordinates.
  const QPoint shift = to - from.topLeft();
  const QRect area = from.intersected(src.rect()).intersected(target.rect().translated(-shift));
  if (area.isEmpty()) return;
  for (int sy = area.top(); sy <= area.bottom(); ++sy) {
    const int ty = sy + shift.y();
    const QRgb* in = rowOf(src, sy);
    const QRgb* under = rowOf(background, ty);
    QRgb* out = rowOf(target, ty);
    for (int sx = area.left(); sx <= area.right(); ++sx) {
      const int tx = sx + shift.x();
      out[tx] = opaque(sameColour(in[sx], key) ? under[tx] : in[sx]);
    }
  }
}

}  // namespace raster
