#include "raster/blend.h"

#include "raster/rgb32.h"

namespace raster {

namespace {

constexpr int kWhole = 100;

}  // namespace

QRgb blendcolour(QRgb a, QRgb b, int ratio) {
  const int rest = kWhole - ratio;
  const auto mix = [&](int ca, int cb) { return (ca * ratio + cb * rest) / kWhole; };
  return qRgb(mix(qRed(a), qRed(b)), mix(qGreen(a), qGreen(b)), mix(qBlue(a), qBlue(b)));
}

bool blendArea(QImage& picture, const QImage& insert, const QRect& area, int ratio, std::optional<QRgb> skip) {
  const QImage source = asRgb32(insert);
  if (ratio < 0 || ratio > kWhole || source.isNull() || !prepareRgb32(picture)) return false;
  const QRect box = area.normalized() & picture.rect() & source.rect();
  for (int y = box.top(); y <= box.bottom(); ++y) {
    QRgb* row = rowOf(picture, y);
    const QRgb* from = rowOf(source, y);
    for (int x = box.left(); x <= box.right(); ++x)
      if (!skip || !sameColour(from[x], *skip)) row[x] = blendcolour(from[x], row[x], ratio);
  }
  return true;
}

}  // namespace raster
