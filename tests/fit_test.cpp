#include <gtest/gtest.h>

#include "raster/fit.h"

using raster::Fit;

namespace {

const QRgb Red = qRgb(255, 0, 0), Green = qRgb(0, 255, 0), Blue = qRgb(0, 0, 255);
const QRgb White = qRgb(255, 255, 255), Grey = qRgb(90, 90, 90), Black = qRgb(0, 0, 0), Old = qRgb(7, 7, 7);

TEST(FitRect, PlacesEachShapeByItsRule) {
  const struct { Fit fit; QSizeF source; int frameWidth; QRectF expected; } table[] = {
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
  for (const auto& p : table)
    EXPECT_EQ(raster::fitRect(p.fit, p.source, p.frameWidth), p.expected)
        << "fit " << int(p.fit) << " of " << p.source.width() << "x" << p.source.height() << " at W " << p.frameWidth;
  // A source without pixels has no place.
  for (Fit fit : {Fit::Correct, Fit::Spread, Fit::Stretch, Fit::Thumbnail, Fit::LoadPicture})
    for (QSizeF source : {QSizeF(0, 0), QSizeF(100, 0), QSizeF(0, 100)})
      EXPECT_TRUE(raster::fitRect(fit, source, 320).isEmpty());
}

// A w x h picture taking `colours` pixel by pixel in reading order, over and over.
QImage picture(int w, int h, std::vector<QRgb> colours) {
  QImage img(w, h, QImage::Format_RGB32);
  for (int i = 0; i < w * h; ++i) img.setPixel(i % w, i / w, colours[size_t(i) % colours.size()]);
  return img;
}

// A picture `width` wide, after fitting `source` on a grey background, at the pixels given.
void expectFitted(const QImage& source, Fit fit, int frameWidth, std::vector<std::tuple<int, int, QRgb>> pixels,
                  int width = 320, QRgb background = Grey) {
  QImage f = picture(width, 256, {Old});
  raster::fitPicture(f, source, fit, frameWidth, background);
  for (auto [x, y, c] : pixels) EXPECT_EQ(f.pixel(x, y), c) << "at (" << x << ", " << y << ")";
}

TEST(FitPicture, CorrectLeavesBarsSpreadCutsTheOverflowOffEvenlyAndOnlyTheLayoutIsFilled) {
  expectFitted(picture(2, 2, {Red, Green, Blue, White}), Fit::Correct, 320,
               {{31, 0, Grey}, {32, 0, Red}, {159, 127, Red}, {160, 127, Green}, {159, 128, Blue}, {287, 255, White},
                {288, 255, Grey}});
  // Four columns of a 2:1 picture painted 512 wide from x = -96: 128 pixels each.
  expectFitted(picture(4, 2, {Red, Green, Blue, White}), Fit::Spread, 320,
               {{0, 0, Red}, {31, 255, Red}, {32, 0, Green}, {159, 0, Green}, {160, 0, Blue}, {287, 0, Blue},
                {288, 0, White}, {319, 255, White}});
  // A tall picture overflows above and below.
  expectFitted(picture(2, 4, {Red, Red, Red, Red, Blue, Blue, Blue, Blue}), Fit::Spread, 320,
               {{0, 0, Red}, {319, 127, Red}, {0, 128, Blue}, {319, 255, Blue}});
  // A wide frame is filled only as wide as the layout.
  expectFitted(picture(4, 3, {Blue}), Fit::Stretch, 320, {{319, 255, Blue}, {320, 0, Old}, {339, 255, Old}}, 340);
  expectFitted(picture(4, 3, {Blue}), Fit::Stretch, 340, {{339, 255, Blue}}, 340);
}

// A source without pixels leaves the background (black: it has no pixel (1, 1)) and paints
// nothing, nor does an empty or outlying target; a one-pixel picture is its own background.
TEST(FitPicture, SourcesWithoutPixelsOrOfOnePixel) {
  QImage f = picture(320, 256, {Grey});
  raster::fitPicture(f, QImage(), Fit::Correct, 320, raster::nearestPixel(QImage(), 1, 1));
  EXPECT_EQ(f, picture(320, 256, {Black}));
  QImage g = picture(320, 256, {Grey});
  for (QRectF target : {QRectF(0, 0, 320, 256), QRectF(10, 10, 0, 50), QRectF(400, -300, 50, 50)})
    raster::stretchPaint(g, target.x() ? picture(4, 4, {Red}) : QImage(), target);
  EXPECT_EQ(g, picture(320, 256, {Grey}));
  const QImage tiny = picture(1, 1, {Red});
  expectFitted(tiny, Fit::Correct, 320, {{0, 0, Red}, {160, 128, Red}, {319, 255, Red}}, 320, raster::nearestPixel(tiny, 1, 1));
  EXPECT_EQ(raster::nearestPixel(picture(3, 3, {Red, Green, Blue}), 1, 1), Green);
  EXPECT_EQ(raster::nearestPixel(picture(3, 3, {Red, Green, Blue}), 9, -4), Blue);
}

// The source covers the whole frame of either layout; a source without pixels gives no frame.
TEST(StretchedFrame, CoversTheWholeFrame) {
  const QImage frame = raster::stretchedFrame(picture(2, 2, {Red, Green, Blue, White}), 340);
  EXPECT_EQ(std::tuple(frame.size(), frame.pixel(169, 127), frame.pixel(170, 0), frame.pixel(0, 128), frame.pixel(339, 255)),
            std::tuple(QSize(340, 256), Red, Green, Blue, White));
  EXPECT_TRUE(raster::stretchedFrame(QImage(), 320).isNull());
}

}  // namespace
