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

}  // namespace

// A shadow's copies and an outline's ring, filled one by one or drawn together, must leave what
// painting their pixels in turn leaves, on pictures of any size and with prints reaching past
// every edge and across words.
TEST(GlyphMasks, FilledInTurnOrTogetherTheyLeaveWhatPaintingTheirPixelsLeaves) {
  QRandomGenerator random(11);
  std::vector<QImage> alphas;
  std::vector<QPoint> anchors;
  std::vector<raster::GlyphMask> masks;
  for (int width : {1, 64, 65, 130}) {
    alphas.push_back(randomAlpha(random, width, 1 + random.bounded(12)));
    anchors.emplace_back(random.bounded(20), random.bounded(10));
    masks.push_back(raster::GlyphMask::fromAlpha(alphas.back(), anchors.back()));
  }
  const QRgb colours[] = {qRgb(255, 0, 0), qRgb(0, 0, 255), qRgb(40, 40, 40)};
  for (QSize size : {QSize(1, 1), QSize(37, 23), QSize(130, 70)}) {
    for (QImage::Format format : {QImage::Format_RGB32, QImage::Format_ARGB32}) {
      SCOPED_TRACE(testing::Message() << size.width() << "x" << size.height() << " format " << format);
      QImage expected(size, format);
      expected.fill(0u);
      QImage inTurn = expected;
      QImage together = expected;
      std::vector<raster::MaskPrint> prints;
      QRgb colour = colours[0];
      for (int k = 0; k < 100; ++k) {
        if (random.bounded(4) == 0) colour = colours[random.bounded(3)];  // runs of one colour
        const int m = random.bounded(int(masks.size()));
        const QPoint at(random.bounded(-140, size.width() + 20), random.bounded(-20, size.height() + 10));
        prints.push_back({&masks[m], at, colour});
        for (int y = 0; y < alphas[m].height(); ++y)
          for (int x = 0; x < alphas[m].width(); ++x)
            if (qAlpha(alphas[m].pixel(x, y)) && expected.rect().contains(QPoint(x, y) - anchors[m] + at))
              expected.setPixel(QPoint(x, y) - anchors[m] + at, colour);
        raster::fill(inTurn, masks[m], at, colour);
      }
      raster::fillInOrder(together, prints);
      EXPECT_EQ(expected, inTurn) << sameImage(expected, inTurn).message();
      EXPECT_EQ(expected, together) << sameImage(expected, together).message();
    }
  }
}

// The additions: 37 x 64000 is blue 36 and green 34, 64000 is green 250; pale bases stop at 255.
TEST(GradedShade, FarCopiesGetTheLargestAdditionAndChannelsStopAt255) {
  EXPECT_EQ(raster::gradedShade(9, 9, qRgb(255, 0, 0)), qRgb(255, 34, 36));
  EXPECT_EQ(raster::gradedShade(1, 400, qRgb(10, 0, 187)), qRgb(10, 250, 187));
  EXPECT_EQ(raster::gradedShade(9, 9, qRgb(234, 235, 214)), qRgb(234, 255, 250));
  EXPECT_EQ(raster::gradedShade(400, 400, qRgb(255, 255, 128)), qRgb(255, 255, 164));
}
