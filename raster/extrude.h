#pragma once

#include <QImage>
#include <QPoint>
#include <span>

#include "raster/glyphs.h"

// Shadows and outlines: a text printed many times over itself, a little displaced each time.
namespace raster {

// One print of a mask: where its anchor lands and its colour.
struct MaskPrint {
  const GlyphMask* mask;
  QPoint at;
  QRgb colour;
};

// Paints `prints` one over another in their order, each later one covering the earlier: exactly
// the pixels of filling them in turn. Every pixel is written once, and a run of prints in one
// colour costs a pass over the rows it touches, however many copies it holds and however far
// they overlap: a 400-copy shadow costs little more than its outline.
void fillInOrder(QImage& target, std::span<const MaskPrint> prints);

// Where the outline's copies go around the text, in print order: the four neighbours (fine,
// weight 0), then the diagonals (thin, 1), then the two-pixel ring (bold, 2). Any other weight
// is fine.
std::span<const QPoint> outlineOffsets(int weight);

// The corner a shadow is thrown to.
enum class ShadowSide { AboveLeft, AboveRight, BelowLeft, BelowRight };

// The direction (+1 or -1 on each axis) in which the shadow's copies step back towards the
// text: the opposite of its side.
QPoint shadowStep(ShadowSide side);

// The colour of copy `copy` (1 .. `depth`, the farthest `depth`) of a graded shadow.
QRgb gradedShade(int copy, int depth, QRgb base);

}  // namespace raster
