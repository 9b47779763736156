#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>

namespace raster {

// Copies the rectangle `from` of `source` to `to` on `target`, leaving out the source pixels of
// the colour `key` (alpha ignored): there `target` takes the pixel of `background` at the same
// place, so an overlay's key colour lets the picture under it show. Parts of `from` outside
// `source`, or landing outside `target`, are left out. `background` has the size of `target` and
// may be the same picture; both are 32-bit pictures, and the pixels written are opaque.
void transparentCopy(QImage& target, const QImage& background, const QImage& source, const QRect& from, QPoint to,
                     QRgb key);

}  // namespace raster
