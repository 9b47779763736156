#pragma once

#include <QImage>
#include <QString>
#include <vector>

#include "platform/textfont.h"

// A line of text rendered once into runs of pixels relative to its anchor (the top left of the
// character cell), so that printing the same line again at another whole-pixel place is a copy
// of spans. Unantialiased text is translation-invariant at whole pixels, so a stamp draws exactly
// what the font engine would draw there; the shadow and outline print one line hundreds of times.
class TextStamp {
 public:
  struct Span {
    int y;
    int x;
    int length;
  };

  // The stamp of `text` in `font`, turned counter-clockwise by `escapement` tenths of a degree.
  static const TextStamp& of(const QString& text, const TextFont& font, int escapement);

  // Draws the stamp with its anchor at (x, y): the character cell in `cellColour` first when
  // `opaque`, then the ink in `inkColour`. Colours are QRgb; pixels outside `target` are clipped.
  void draw(QImage& target, int x, int y, QRgb inkColour, bool opaque, QRgb cellColour) const;

  // Height of one line of this font, in pixels (the step a print moves down by).
  int lineHeight() const { return lineHeight_; }

 private:
  static TextStamp render(const QString& text, const TextFont& font, int escapement);
  static std::vector<Span> spansOf(const QImage& mask, int originX, int originY);
  static void fill(QImage& target, const std::vector<Span>& spans, int x, int y, QRgb colour);

  std::vector<Span> ink_;
  std::vector<Span> cell_;
  int lineHeight_ = 0;
};
