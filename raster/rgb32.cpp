#include "raster/rgb32.h"

namespace raster {

bool prepareRgb32(QImage& picture) {
  if (picture.isNull() || picture.width() <= 0 || picture.height() <= 0) return false;
  if (picture.format() != QImage::Format_RGB32) picture.convertTo(QImage::Format_RGB32);
  return picture.bits() != nullptr;
}

QImage asRgb32(const QImage& picture) {
  if (picture.format() == QImage::Format_RGB32) return picture;
  return picture.convertToFormat(QImage::Format_RGB32);
}

}  // namespace raster
