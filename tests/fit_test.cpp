#include <gtest/gtest.h>

#include "raster/fit.h"

using raster::Fit;

namespace {

const QRgb Red = qRgb(255, 0, 0);
const QRgb Green = qRgb(0, 255, 0);
const QRgb Blue = qRgb(0, 0, 255);
const QRgb White = qRgb(255, 255, 255);
const QRgb Grey = qRgb(90, 90, 90);

struct Placement {
  Fit fit;
  QSizeF source;
  int frameWidth;
  QRectF expected;
};

TEST(FitRect, PlacesEachShapeByItsRule) {
  const std::vector<Placement> table = {
      {Fit::Correct, {256, 256}, 320, {32, 0, 256, 256}},  // bars of 32 on both sides
      {Fit::Correct, {256, 256}, 340, {42, 0, 256, 256}},
      {Fit::Correct, {640, 480}, 320, {0, 8, 320, 240}},
      {Fit::Correct, {640, 480}, 340, {0, 8, 340, 240}},  // 320 / r high in both layouts
      {Fit::Correct, {320, 256}, 320, {0, 0, 320, 256}},  // exactly 1.25 is wide
      {Fit::Correct, {320, 256}, 340, {0, 0, 340, 256}},
      {Fit::Spread, {256, 256}, 320, {0, -32, 320, 320}},
      {Fit::Spread, {256, 256}, 340, {0, -42, 340, 340}},
      {Fit::Spread, {400, 200}, 320, {-96, 0, 512, 256}},
      {Fit::Spread, {400, 200}, 340, {-86, 0, 512, 256}},
      {Fit::Stretch, {100, 300}, 320, {0, 0, 320, 256}},
      {Fit::Stretch, {640, 480}, 340, {0, 0, 340, 256}},
      {Fit::Thumbnail, {256, 256}, 340, {42, 0, 256, 256}},  // centred on 170
      {Fit::Thumbnail, {640, 480}, 340, {0, 0, 340, 256}},
      {Fit::LoadPicture, {400, 200}, 340, {0, 48, 320, 160}},  // 320 wide in the 340 layout too
      {Fit::LoadPicture, {256, 256}, 340, {42, 0, 256, 256}},
  };
  for (const Placement& p : table) {
    const QRectF r = raster::fitRect(p.fit, p.source, p.frameWidth);
    EXPECT_EQ(r, p.expected) << "fit " << int(p.fit) << " of " << p.source.width() << "x" << p.source.height()
                             << " at W " << p.frameWidth << ": got " << r.x() << "," << r.y() << " " << r.width()
                             << "x" << r.height();
  }
}

TEST(FitRect, SourceWithoutPixelsHasNoPlace) {
  for (Fit fit : {Fit::Correct, Fit::Spread, Fit::Stretch, Fit::Thumbnail, Fit::LoadPicture})
    for (QSizeF source : {QSizeF(0, 0), QSizeF(100, 0), QSizeF(0, 100)})
      EXPECT_TRUE(raster::fitRect(fit, source, 320).isEmpty());
}

QImage picture(int w, int h, std::initializer_list<QRgb> columns) {
  QImage img(w, h, QImage::Format_RGB32);
  const std::vector<QRgb> c(columns);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) img.setPixel(x, y, c[size_t(x) % c.size()]);
  return img;
}

QImage frame() {
  QImage f(320, 256, QImage::Format_RGB32);
  f.fill(Grey);
  return f;
}

struct Pixel {
  int x, y;
  QRgb colour;
};

void expectPixels(const QImage& img, const std::vector<Pixel>& pixels) {
  for (const Pixel& p : pixels) EXPECT_EQ(img.pixel(p.x, p.y), p.colour) << "at (" << p.x << ", " << p.y << ")";
}

TEST(FitPicture, CorrectLeavesBarsOfTheBackground) {
  QImage quadrants(2, 2, QImage::Format_RGB32);
  quadrants.setPixel(0, 0, Red);
  quadrants.setPixel(1, 0, Green);
  quadrants.setPixel(0, 1, Blue);
  quadrants.setPixel(1, 1, White);
  QImage f = frame();
  raster::fitPicture(f, quadrants, Fit::Correct, 320, Grey);
  expectPixels(f, {{31, 0, Grey}, {32, 0, Red}, {159, 127, Red}, {160, 127, Green}, {159, 128, Blue},
                   {287, 255, White}, {288, 255, Grey}});
}

TEST(FitPicture, SpreadCutsTheOverflowOffEvenly) {
  // Four columns of a 2:1 picture painted 512 wide from x = -96: 128 pixels each.
  QImage f = frame();
  raster::fitPicture(f, picture(4, 2, {Red, Green, Blue, White}), Fit::Spread, 320, Grey);
  expectPixels(f, {{0, 0, Red}, {31, 255, Red}, {32, 0, Green}, {159, 0, Green}, {160, 0, Blue}, {287, 0, Blue},
                   {288, 0, White}, {319, 255, White}});
  // A tall picture overflows above and below.
  QImage g = frame();
  QImage tall(2, 4, QImage::Format_RGB32);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 2; ++x) tall.setPixel(x, y, y < 2 ? Red : Blue);
  raster::fitPicture(g, tall, Fit::Spread, 320, Grey);
  expectPixels(g, {{0, 0, Red}, {319, 127, Red}, {0, 128, Blue}, {319, 255, Blue}});
}

TEST(FitPicture, WideFrameFillsOnlyItsWidth) {
  QImage f(340, 256, QImage::Format_RGB32);
  f.fill(Red);
  QImage g = f.copy();
  raster::fitPicture(f, picture(4, 3, {Blue}), Fit::Stretch, 320, Grey);
  expectPixels(f, {{0, 0, Blue}, {319, 255, Blue}, {320, 0, Red}, {339, 255, Red}});
  raster::fitPicture(g, picture(4, 3, {Blue}), Fit::Stretch, 340, Grey);
  expectPixels(g, {{339, 255, Blue}});
}

TEST(FitPicture, SourceWithoutPixelsLeavesTheBackground) {
  QImage f = frame();
  raster::fitPicture(f, QImage(), Fit::Correct, 320, raster::nearestPixel(QImage(), 1, 1));
  EXPECT_EQ(f, [] {
    QImage black(320, 256, QImage::Format_RGB32);
    black.fill(qRgb(0, 0, 0));
    return black;
  }());
  QImage g = frame();
  const QImage before = g.copy();
  raster::stretchPaint(g, QImage(), QRectF(0, 0, 320, 256));
  raster::stretchPaint(g, picture(4, 4, {Red}), QRectF(10, 10, 0, 50));
  raster::stretchPaint(g, picture(4, 4, {Red}), QRectF(400, -300, 50, 50));
  EXPECT_EQ(g, before);
}

TEST(FitPicture, OnePixelPictureIsItsOwnBackground) {
  const QImage tiny = picture(1, 1, {Red});
  EXPECT_EQ(raster::nearestPixel(tiny, 1, 1), Red);
  QImage f = frame();
  raster::fitPicture(f, tiny, Fit::Correct, 320, raster::nearestPixel(tiny, 1, 1));
  expectPixels(f, {{0, 0, Red}, {160, 128, Red}, {319, 255, Red}});
  EXPECT_EQ(raster::nearestPixel(picture(3, 3, {Red, Green, Blue}), 1, 1), Green);
  EXPECT_EQ(raster::nearestPixel(picture(3, 3, {Red, Green, Blue}), 9, -4), Blue);
}

}  // namespace
