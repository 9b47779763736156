#pragma once

#include <QImage>
#include <QRectF>
#include <QSizeF>

// Fitting pictures of any size and shape to the main picture's frame, W x 256 pixels, W being 320
// or 340 by the layout.
namespace raster {

constexpr int FrameHeight = 256;

enum class Fit {
  Correct,      // aspect kept, the whole picture shown, bars of background beside or above it
  Spread,       // aspect kept, the frame covered, the overflow cut off evenly on both sides
  Stretch,      // exactly W x 256
  Thumbnail,    // a dropped thumbnail: a narrow one as Correct, a wide one stretched
  LoadPicture,  // Correct, except that a wide picture is painted 320 wide whatever W is
};

// Where a picture of size `source` is painted in a frame `frameWidth` wide. The position may be
// negative and the size beyond the frame: what falls outside is cut off. Empty for a source
// without pixels.
QRectF fitRect(Fit fit, QSizeF source, int frameWidth);

// The colour of `picture`'s pixel (x, y), or of the nearest pixel when (x, y) lies outside it;
// black for a picture without pixels.
QRgb nearestPixel(const QImage& picture, int x, int y);

// Paints `source` stretched into `dest` (pixels of `target`, rounded like the toolkit's picture
// paint), each target pixel taking the nearest source pixel as GDI's StretchBlt does; whatever
// falls outside `target` is cut off. A source without pixels paints nothing. `target` becomes
// Format_RGB32 if it is not.
void stretchPaint(QImage& target, const QImage& source, const QRectF& dest);

// `source` stretched over a whole frame `width` x 256, as the inserts are shown and the main
// picture is held; a null picture for a source without pixels.
QImage stretchedFrame(const QImage& source, int width);

// Fills the frame (`frameWidth` x 256 at the top left of `frame`) with `background`, then paints
// `source` by `fit`.
void fitPicture(QImage& frame, const QImage& source, Fit fit, int frameWidth, QRgb background);

}  // namespace raster
