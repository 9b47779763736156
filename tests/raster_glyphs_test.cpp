#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <vector>

#include "raster/extrude.h"
#include "raster/glyphs.h"
#include "tests/support/form_fixture.h"

namespace {

// Pixels set at random, about one in three, so that runs start and end anywhere in a word.
QImage randomAlpha(QRandomGenerator& random, int width, int height) {
  QImage img(width, height, QImage::Format_ARGB32);
  img.fill(Qt::transparent);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (random.bounded(3) == 0) img.setPixel(x, y, qRgba(0, 0, 0, 255));
  return img;
}

// What a fill must do, one pixel at a time.
void paintEachPixel(QImage& target, const QImage& alpha, QPoint anchor, QPoint at, QRgb colour) {
  for (int y = 0; y < alpha.height(); ++y)
    for (int x = 0; x < alpha.width(); ++x) {
      const QPoint p = QPoint(x, y) - anchor + at;
      if (qAlpha(alpha.pixel(x, y)) != 0 && target.rect().contains(p)) target.setPixel(p, colour | 0xFF000000u);
    }
}

QImage canvas(int width, int height, QImage::Format format) {
  QImage img(width, height, format);
  img.fill(format == QImage::Format_ARGB32 ? 0u : qRgb(9, 9, 9));
  return img;
}

}  // namespace

TEST(GlyphMask, FillPaintsExactlyTheSetPixelsWhereverTheyLand) {
  QRandomGenerator random(7);
  const QPoint anchor(5, 3);
  for (int width : {1, 63, 64, 65, 130}) {
    const QImage alpha = randomAlpha(random, width, 4);
    const raster::GlyphMask mask = raster::GlyphMask::fromAlpha(alpha, anchor);
    for (QPoint at : {QPoint(10, 10), QPoint(-70, 2), QPoint(60, -2), QPoint(95, 37), QPoint(-200, 5), QPoint(3, 90)}) {
      SCOPED_TRACE(testing::Message() << "width " << width << " at " << at.x() << "," << at.y());
      QImage expected = canvas(100, 40, QImage::Format_RGB32);
      QImage actual = expected;
      paintEachPixel(expected, alpha, anchor, at, qRgb(200, 0, 0));
      raster::fill(actual, mask, at, qRgb(200, 0, 0));
      EXPECT_EQ(expected, actual) << sameImage(expected, actual).message();
    }
  }
  EXPECT_TRUE(raster::GlyphMask::fromAlpha(canvas(30, 30, QImage::Format_ARGB32), {}).isEmpty());
}

// A shadow's hundreds of copies and an outline's ring, drawn together, must leave exactly what
// printing them one after the other leaves, on pictures of any size and with copies reaching
// past every edge.
TEST(FillInOrder, LeavesWhatFillingEachPrintInTurnLeaves) {
  QRandomGenerator random(11);
  std::vector<raster::GlyphMask> masks;
  for (int k = 0; k < 8; ++k) {
    const QImage alpha = randomAlpha(random, 1 + random.bounded(150), 1 + random.bounded(30));
    masks.push_back(raster::GlyphMask::fromAlpha(alpha, QPoint(random.bounded(20), random.bounded(10))));
  }
  const QRgb colours[] = {qRgb(255, 0, 0), qRgb(0, 0, 255), qRgb(40, 40, 40)};
  for (QSize size : {QSize(1, 1), QSize(37, 23), QSize(130, 70)}) {
    for (QImage::Format format : {QImage::Format_RGB32, QImage::Format_ARGB32}) {
      SCOPED_TRACE(testing::Message() << size.width() << "x" << size.height() << " format " << format);
      std::vector<raster::MaskPrint> prints;
      QRgb colour = colours[0];
      for (int k = 0; k < 300; ++k) {
        if (random.bounded(5) == 0) colour = colours[random.bounded(3)];  // runs of one colour
        const QPoint at(random.bounded(-160, size.width() + 40), random.bounded(-40, size.height() + 20));
        prints.push_back({&masks[random.bounded(int(masks.size()))], at, colour});
      }
      QImage expected = canvas(size.width(), size.height(), format);
      QImage actual = expected;
      for (const raster::MaskPrint& p : prints) raster::fill(expected, *p.mask, p.at, p.colour);
      raster::fillInOrder(actual, prints);
      EXPECT_EQ(expected, actual) << sameImage(expected, actual).message();
    }
  }
}

TEST(GradedShade, FarCopiesGetTheLargestAdditionAndChannelsStopAt255) {
  struct Case {
    int copy;
    int depth;
    QRgb base;
    QRgb shade;
  };
  // The additions: 37 x 64000 is blue 36, green 34; 5 x 64000 is blue 4, green 226; 64000 is green 250.
  for (const Case& c : {Case{9, 9, qRgb(255, 0, 0), qRgb(255, 34, 36)}, Case{1, 9, qRgb(255, 0, 0), qRgb(255, 226, 4)},
                        Case{1, 400, qRgb(10, 0, 187), qRgb(10, 250, 187)},
                        Case{9, 9, qRgb(0, 255, 0), qRgb(0, 255, 36)},
                        Case{9, 9, qRgb(234, 235, 214), qRgb(234, 255, 250)},
                        Case{400, 400, qRgb(255, 255, 128), qRgb(255, 255, 164)}}) {
    SCOPED_TRACE(testing::Message() << "copy " << c.copy << " of " << c.depth);
    EXPECT_EQ(raster::gradedShade(c.copy, c.depth, c.base), c.shade);
  }
}
