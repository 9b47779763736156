#include <gtest/gtest.h>

#include <QRandomGenerator>

#include "raster/blit.h"
#include "tests/support/form_fixture.h"

namespace {

QImage randomPicture(QRandomGenerator& random, int width, int height) {
  QImage img(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) img.setPixel(x, y, qRgb(random.bounded(4) * 60, 0, 0));
  return img;
}

// The copy one pixel at a time: what lies outside either picture is left out.
QImage copiedPixelByPixel(QImage target, const QImage& background, const QImage& source, const QRect& from,
                          QPoint to, QRgb key) {
  for (int row = 0; row < from.height(); ++row)
    for (int col = 0; col < from.width(); ++col) {
      const QPoint s = from.topLeft() + QPoint(col, row);
      const QPoint t = to + QPoint(col, row);
      if (!source.rect().contains(s) || !target.rect().contains(t)) continue;
      const QRgb pixel = source.pixel(s) & RGB_MASK;
      target.setPixel(t, (pixel == (key & RGB_MASK) ? background.pixel(t) : pixel) | 0xFF000000u);
    }
  return target;
}

}  // namespace

TEST(TransparentCopy, OnlyTheKeyColourLetsTheBackgroundShow) {
  QImage source(4, 1, QImage::Format_ARGB32);
  const QRgb key = qRgb(10, 20, 30);
  source.setPixel(0, 0, key);
  source.setPixel(1, 0, qRgba(10, 20, 30, 0));  // the key whatever its alpha
  source.setPixel(2, 0, qRgb(10, 20, 31));      // one bit off: copied
  source.setPixel(3, 0, qRgb(0, 0, 0));
  QImage target = solidImage(4, 1, 0xFFFFFF);
  const QImage background = solidImage(4, 1, 0xFF);
  raster::transparentCopy(target, background, source, source.rect(), QPoint(0, 0), key);
  EXPECT_EQ(target.pixel(0, 0), qRgb(255, 0, 0));
  EXPECT_EQ(target.pixel(1, 0), qRgb(255, 0, 0));
  EXPECT_EQ(target.pixel(2, 0), qRgb(10, 20, 31));
  EXPECT_EQ(target.pixel(3, 0), qRgb(0, 0, 0));
}

TEST(TransparentCopy, OnlyWhatLiesInBothPicturesIsTouched) {
  QRandomGenerator random(3);
  const QImage source = randomPicture(random, 20, 15);
  const QImage start = randomPicture(random, 30, 25);
  const QImage background = randomPicture(random, 30, 25);
  const QRgb key = qRgb(60, 0, 0);
  struct Case {
    QRect from;
    QPoint to;
  };
  for (const Case& c : {Case{QRect(2, 3, 10, 8), QPoint(5, 6)}, Case{QRect(-4, -3, 30, 25), QPoint(1, 1)},
                        Case{QRect(0, 0, 20, 15), QPoint(-7, -9)}, Case{QRect(5, 5, 15, 10), QPoint(22, 20)},
                        Case{QRect(0, 0, 20, 15), QPoint(40, 0)}, Case{QRect(QPoint(8, 8), QPoint(3, 3)), QPoint(0, 0)}}) {
    SCOPED_TRACE(testing::Message() << "from " << c.from.x() << "," << c.from.y() << " to " << c.to.x() << ","
                                    << c.to.y());
    const QImage expected = copiedPixelByPixel(start, background, source, c.from, c.to, key);
    QImage actual = start;
    raster::transparentCopy(actual, background, source, c.from, c.to, key);
    EXPECT_EQ(expected, actual) << sameImage(expected, actual).message();
    // A source of another depth copies the same, and so does a background that is the target.
    QImage fromIndexed = start;
    raster::transparentCopy(fromIndexed, background, source.convertToFormat(QImage::Format_Indexed8), c.from, c.to,
                            key);
    EXPECT_TRUE(sameImage(expected, fromIndexed));
    QImage overItself = start;
    raster::transparentCopy(overItself, overItself, source, c.from, c.to, key);
    EXPECT_TRUE(sameImage(copiedPixelByPixel(start, start, source, c.from, c.to, key), overItself));
  }
}
