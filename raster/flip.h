#pragma once

#include <QImage>

// Exact mirrors, in place. False for a picture without pixels.
namespace raster {

// Top and bottom change places: row y becomes row H - 1 - y.
bool flipVertical(QImage& picture);
// Left and right change places: column x becomes column W - 1 - x.
bool flipHorizontal(QImage& picture);

}  // namespace raster
