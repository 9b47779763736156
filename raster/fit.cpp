#include "raster/fit.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "raster/rgb32.h"

namespace raster {

namespace {

// The width the narrow and wide rules meet at, in either layout.
constexpr double WideRatio = 320.0 / 256.0;
constexpr double LoadPictureWidth = 320.0;

// Positions and sizes are rounded as the toolkit rounds them; absurd ones stay within int.
int toPixel(double v) { return int(std::nearbyint(std::clamp(v, -1e9, 1e9))); }

}  // namespace

QRectF fitRect(Fit fit, QSizeF source, int frameWidth) {
  if (source.width() <= 0 || source.height() <= 0) return {};
  const double w = frameWidth;
  const double h = FrameHeight;
  const double r = source.width() / source.height();
  const bool wide = r >= WideRatio;
  // A narrow picture under Correct, or a wide one under Spread: full height, centred across.
  const QRectF fullHeight((w - h * r) / 2, 0, h * r, h);
  switch (fit) {
    case Fit::Correct: return wide ? QRectF(0, (h - 320 / r) / 2, w, 320 / r) : fullHeight;
    case Fit::Spread: return wide ? fullHeight : QRectF(0, (h - w / r) / 2, w, w / r);
    case Fit::Stretch: return QRectF(0, 0, w, h);
    case Fit::Thumbnail: return wide ? QRectF(0, 0, w, h) : fullHeight;
    case Fit::LoadPicture:
      return wide ? QRectF(0, (h - LoadPictureWidth / r) / 2, LoadPictureWidth, LoadPictureWidth / r) : fullHeight;
  }
  return {};
}

QRgb nearestPixel(const QImage& picture, int x, int y) {
  if (picture.width() <= 0 || picture.height() <= 0) return qRgb(0, 0, 0);
  return picture.pixel(std::clamp(x, 0, picture.width() - 1), std::clamp(y, 0, picture.height() - 1));
}

void stretchPaint(QImage& target, const QImage& source, const QRectF& dest) {
  const qint64 sw = source.width();
  const qint64 sh = source.height();
  const int left = toPixel(dest.x());
  const int top = toPixel(dest.y());
  const qint64 dw = toPixel(dest.width());
  const qint64 dh = toPixel(dest.height());
  if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0) return;
  if (!prepareRgb32(target)) return;
  const QImage pixels = asRgb32(source);
  const int x0 = std::max(left, 0);
  const int x1 = int(std::min<qint64>(left + dw, target.width()));
  const int y0 = std::max(top, 0);
  const int y1 = int(std::min<qint64>(top + dh, target.height()));
  if (x0 >= x1 || y0 >= y1) return;
  // Each target pixel takes the source pixel under its centre, which stays inside the source.
  std::vector<int> column(size_t(x1 - x0));
  for (int x = x0; x < x1; ++x) column[size_t(x - x0)] = int((2 * qint64(x - left) + 1) * sw / (2 * dw));
  for (int y = y0; y < y1; ++y) {
    const int sy = int((2 * qint64(y - top) + 1) * sh / (2 * dh));
    const QRgb* from = rowOf(pixels, sy);
    QRgb* to = rowOf(target, y);
    for (int x = x0; x < x1; ++x) to[x] = from[column[size_t(x - x0)]];
  }
}

QImage stretchedFrame(const QImage& source, int width) {
  if (source.isNull()) return QImage();
  QImage frame(width, FrameHeight, QImage::Format_RGB32);
  stretchPaint(frame, source, frame.rect());
  return frame;
}

void fitPicture(QImage& frame, const QImage& source, Fit fit, int frameWidth, QRgb background) {
  if (!prepareRgb32(frame)) return;
  const int width = std::min(frameWidth, frame.width());
  const int height = std::min(FrameHeight, frame.height());
  for (int y = 0; y < height; ++y) {
    QRgb* row = rowOf(frame, y);
    std::fill(row, row + std::max(width, 0), opaque(background));
  }
  stretchPaint(frame, source, fitRect(fit, source.size(), frameWidth));
}

}  // namespace raster
