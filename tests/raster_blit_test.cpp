#include <gtest/gtest.h>

#include <QRandomGenerator>

#include "raster/blit.h"
#include "tests/support/form_fixture.h"

namespace {

constexpr QRgb Key = qRgb(10, 20, 30);

// The key itself, the key with no alpha, a colour one bit off it, and two others.
QImage randomPicture(QRandomGenerator& random, int width, int height) {
  const QRgb colours[] = {Key, qRgba(10, 20, 30, 0), qRgb(10, 20, 31), qRgb(200, 0, 0), qRgb(0, 0, 90)};
  QImage img(width, height, QImage::Format_ARGB32);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) img.setPixel(x, y, colours[random.bounded(5)]);
  return img;
}

// The copy one pixel at a time.
QImage copiedPixelByPixel(QImage target, const QImage& background, const QImage& source, const QRect& from, QPoint to) {
  for (int row = 0; row < from.height(); ++row)
    for (int col = 0; col < from.width(); ++col) {
      const QPoint s = from.topLeft() + QPoint(col, row);
      const QPoint t = to + QPoint(col, row);
      if (!source.rect().contains(s) || !target.rect().contains(t)) continue;
      const QRgb pixel = source.pixel(s) & RGB_MASK;
      target.setPixel(t, (pixel == (Key & RGB_MASK) ? background.pixel(t) : pixel) | 0xFF000000u);
    }
  return target;
}

}  // namespace

// Only the key colour, whatever its alpha, lets the background show, and only what lies in both
// pictures is touched; the background may be the target itself.
TEST(TransparentCopy, KeyPixelsShowTheBackgroundAndTheRestIsCopiedWithinBothPictures) {
  QRandomGenerator random(3);
  const QImage source = randomPicture(random, 20, 15);
  const QImage start = randomPicture(random, 30, 25).convertToFormat(QImage::Format_RGB32);
  const QImage background = solidImage(30, 25, 0x00FF00);
  for (const auto& [from, to] : {std::pair{QRect(2, 3, 10, 8), QPoint(5, 6)}, std::pair{QRect(-4, -3, 30, 25), QPoint(1, 1)},
                                 std::pair{QRect(0, 0, 20, 15), QPoint(-7, -9)}, std::pair{QRect(5, 5, 15, 10), QPoint(22, 20)},
                                 std::pair{QRect(0, 0, 20, 15), QPoint(40, 0)}}) {
    SCOPED_TRACE(testing::Message() << "from " << from.x() << "," << from.y() << " to " << to.x() << "," << to.y());
    const QImage expected = copiedPixelByPixel(start, background, source, from, to);
    QImage actual = start;
    raster::transparentCopy(actual, background, source, from, to, Key);
    EXPECT_TRUE(sameImage(expected, actual));
    QImage overItself = start;
    raster::transparentCopy(overItself, overItself, source, from, to, Key);
    EXPECT_TRUE(sameImage(copiedPixelByPixel(start, start, source, from, to), overItself));
  }
}
