#include "raster/flip.h"

#include <algorithm>

#include "raster/rgb32.h"

namespace raster {

bool flipVertical(QImage& picture) {
  if (!prepareRgb32(picture)) return false;
  const int w = picture.width();
  for (int top = 0, bottom = picture.height() - 1; top < bottom; ++top, --bottom)
    std::swap_ranges(rowOf(picture, top), rowOf(picture, top) + w, rowOf(picture, bottom));
  return true;
}

bool flipHorizontal(QImage& picture) {
  if (!prepareRgb32(picture)) return false;
  const int w = picture.width();
  const int h = picture.height();
  for (int y = 0; y < h; ++y) std::reverse(rowOf(picture, y), rowOf(picture, y) + w);
  return true;
}

}  // namespace raster
