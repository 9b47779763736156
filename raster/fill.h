#pragma once

#include <QImage>
#include <QPoint>
#include <QRgb>

// Fills that replace colours of a picture in place. Pixels compare by their 24 colour bits.
// Each returns false, changing nothing, for a picture without pixels or an argument that names
// no pixel of it.
namespace raster {

// ColFill's surface flood: the area of the seed pixel's colour that is 4-connected to the seed
// takes `colour`; every other pixel of that colour stays.
bool floodFillSurface(QImage& picture, QPoint seed, QRgb colour);
// The outline flood: every pixel 4-connected to the seed without crossing a pixel of `border`
// takes `colour`. False when the seed itself has the border colour.
bool floodFillBorder(QImage& picture, QPoint seed, QRgb border, QRgb colour);

// PatFil: every pixel of colour `key` in rows firstRow..H-1 and columns 0..W-1 takes the
// pattern's pixel at the same place; where the pattern has no such pixel the picture keeps its
// own. False for a pattern without pixels.
bool patternfill(QImage& picture, QRgb key, const QImage& pattern, int firstRow = 0);
// The same with one colour in place of a pattern.
bool patternfill(QImage& picture, QRgb key, QRgb colour, int firstRow = 0);

}  // namespace raster
