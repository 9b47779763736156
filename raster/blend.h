#pragma once

#include <QImage>
#include <QRect>
#include <QRgb>
#include <optional>

// The ghost blend of an insert into the main picture.
namespace raster {

// Each channel (a * ratio + b * (100 - ratio)) \ 100, the remainder dropped; ratio 0..100.
QRgb blendcolour(QRgb a, QRgb b, int ratio);

// Over `area` (both its last row and last column included), clipped to both pictures, each pixel
// of `picture` becomes blendcolour(insert pixel, picture pixel, ratio); where the insert pixel
// has the colour `skip` the picture keeps its own. False, changing nothing, for a ratio outside
// 0..100 or a picture without pixels.
bool blendArea(QImage& picture, const QImage& insert, const QRect& area, int ratio,
               std::optional<QRgb> skip = std::nullopt);

}  // namespace raster
