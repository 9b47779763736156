#pragma once

#include <QImage>
#include <QRect>
#include <QString>
#include <memory>

#include "platform/textfont.h"
#include "raster/glyphs.h"

// A line of text rendered once into masks relative to its anchor (the top left of the character
// cell), so that printing the same line again at another whole-pixel place is a stamp of the
// masks. Unantialiased text is translation-invariant at whole pixels, so a stamp draws exactly
// what the font engine would draw there; the shadow and outline print one line hundreds of times.
class TextStamp {
 public:
  // The stamp of `text` in `font`, turned counter-clockwise by `escapement` tenths of a degree.
  // Shared: it lives on while anyone holds it, whatever the cache throws away.
  static std::shared_ptr<const TextStamp> of(const QString& text, const TextFont& font, int escapement);

  // The ink of the letters, and their character cell (filled in the back colour when opaque).
  const raster::GlyphMask& ink() const { return ink_; }
  const raster::GlyphMask& cell() const { return cell_; }
  // Every pixel a print can touch relative to its anchor: the ink, and the cell when `opaque`.
  QRect reach(bool opaque) const { return opaque ? ink_.bounds() | cell_.bounds() : ink_.bounds(); }

  // Draws the stamp with its anchor at `at`: the character cell in `cellColour` first when
  // `opaque`, then the ink in `inkColour`. Pixels outside `target` are clipped.
  void draw(QImage& target, QPoint at, QRgb inkColour, bool opaque, QRgb cellColour) const;

  // Height of one line of this font, in pixels (the step a print moves down by).
  int lineHeight() const { return lineHeight_; }

 private:
  static TextStamp render(const QString& text, const TextFont& font, int escapement);

  raster::GlyphMask ink_;
  raster::GlyphMask cell_;
  int lineHeight_ = 0;
};
