#include "raster/blit.h"

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
  const QRgb keyColour = key & RGB_MASK;
  for (int sy = area.top(); sy <= area.bottom(); ++sy) {
    const int ty = sy + shift.y();
    const QRgb* in = reinterpret_cast<const QRgb*>(src.constScanLine(sy));
    const QRgb* under = reinterpret_cast<const QRgb*>(background.constScanLine(ty));
    QRgb* out = reinterpret_cast<QRgb*>(target.scanLine(ty));
    for (int sx = area.left(); sx <= area.right(); ++sx) {
      const int tx = sx + shift.x();
      const QRgb s = in[sx] & RGB_MASK;
      out[tx] = (s == keyColour ? under[tx] : s) | 0xFF000000u;
    }
  }
}

}  // namespace raster
