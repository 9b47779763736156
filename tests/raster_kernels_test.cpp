// The pixel kernels against plain per-pixel versions of their formulas, on the odd and edge
// sizes where fast loops go wrong.
#include <QPainter>
#include <cmath>
#include <deque>
#include <functional>
#include <limits>

#include "raster/adjust.h"
#include "raster/blend.h"
#include "raster/fill.h"
#include "raster/flip.h"
#include "raster/globe.h"
#include "platform/colour.h"
#include "raster/rotate.h"
#include "tests/imaging_fixture.h"

namespace {

const QList<QSize> kSizes{{1, 1}, {2, 3}, {7, 5}, {321, 257}, {340, 256}};

QImage noise(QSize size, quint32 seed = 12345) {
  QImage img(size, QImage::Format_RGB32);
  for (int y = 0; y < size.height(); ++y)
    for (int x = 0; x < size.width(); ++x) {
      seed ^= seed << 13, seed ^= seed >> 17, seed ^= seed << 5;
      img.setPixel(x, y, 0xFF000000u | (seed & 0xFFFFFF));
    }
  return img;
}

// Black and white cells of one pixel: the steepest Laplacian there is (+-1020).
QImage checker(QSize size) {
  QImage img(size, QImage::Format_RGB32);
  for (int y = 0; y < size.height(); ++y)
    for (int x = 0; x < size.width(); ++x) img.setPixel(x, y, (x + y) % 2 ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
  return img;
}

int clampRound(double v) { return int(std::clamp<long>(std::lround(v), 0, 255)); }

// Per pixel and channel: `f(v, x, y, channel)` gives the new value.
QImage perChannel(const QImage& in, const std::function<double(int, int, int, int)>& f) {
  QImage out(in.size(), QImage::Format_RGB32);
  for (int y = 0; y < in.height(); ++y)
    for (int x = 0; x < in.width(); ++x) {
      const QRgb p = in.pixel(x, y);
      out.setPixel(x, y, qRgb(clampRound(f(qRed(p), x, y, 16)), clampRound(f(qGreen(p), x, y, 8)),
                              clampRound(f(qBlue(p), x, y, 0))));
    }
  return out;
}

int channelAt(const QImage& in, int x, int y, int shift) {
  return int((in.pixel(std::clamp(x, 0, in.width() - 1), std::clamp(y, 0, in.height() - 1)) >> shift) & 0xFF);
}

QImage refPoint(const QImage& in, std::function<double(double)> f) {
  return perChannel(in, [&](int v, int, int, int) { return f(v); });
}

QImage refSharpen(const QImage& in, int n) {
  return perChannel(in, [&](int v, int x, int y, int s) {
    return v + double(n) * (4 * v - channelAt(in, x, y - 1, s) - channelAt(in, x, y + 1, s) -
                            channelAt(in, x - 1, y, s) - channelAt(in, x + 1, y, s));
  });
}

QImage refSoften(QImage in, int n) {
  for (int pass = 0; pass < n; ++pass) {
    const QImage before = in;
    in = perChannel(before, [&](int, int x, int y, int s) {
      int sum = 4;
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) sum += channelAt(before, x + dx, y + dy, s);
      return sum / 9;
    });
  }
  return in;
}

QImage refGrey(const QImage& in) {
  return perChannel(in, [&](int, int x, int y, int) {
    const QRgb p = in.pixel(x, y);
    return (299 * qRed(p) + 587 * qGreen(p) + 114 * qBlue(p) + 500) / 1000;
  });
}

struct FilterCase {
  std::string name;
  std::function<bool(QImage&)> kernel;
  std::function<QImage(const QImage&)> reference;
};

FilterCase brightness(double b, double c) {
  return {"brightness " + std::to_string(b) + " contrast " + std::to_string(c),
          [=](QImage& p) { return raster::brightnessContrast(p, b, c); },
          [=](const QImage& p) { return refPoint(p, [=](double v) { return (v - 128) * 2 * c + 128 + (2 * b - 1) * 255; }); }};
}
FilterCase gamma(double g) {
  return {"gamma " + std::to_string(g), [=](QImage& p) { return raster::gammaCorrect(p, g); },
          [=](const QImage& p) { return refPoint(p, [=](double v) { return 255 * std::pow(v / 255, 5 / g); }); }};
}
FilterCase sharpen(int n) {
  return {"sharpen " + std::to_string(n), [=](QImage& p) { return raster::sharpen(p, n); },
          [=](const QImage& p) { return refSharpen(p, n); }};
}
FilterCase soften(int n) {
  return {"soften " + std::to_string(n), [=](QImage& p) { return raster::soften(p, n); },
          [=](const QImage& p) { return refSoften(p, n); }};
}

// Brightness .5 with contrast .5 and gamma 5, the values the panel opens with, change nothing;
// the sharpen strengths lie around where 16 bits stop sufficing and where results saturate.
const std::vector<FilterCase> kFilters{
    brightness(0.5, 0.5), brightness(0.8, 0.3), brightness(0.37, 0.71), brightness(0, 1), brightness(1, 0),
    gamma(5),  gamma(1), gamma(7.3), sharpen(1), sharpen(31), sharpen(32), sharpen(40), sharpen(300), sharpen(3000),
    soften(1), soften(3),
    {"grey", raster::grey, refGrey},
    {"negative", raster::negative, [](const QImage& p) { return refPoint(p, [](double v) { return 255 - v; }); }},
    {"flip vertical", raster::flipVertical, [](const QImage& p) { return p.mirrored(false, true); }},
    {"flip horizontal", raster::flipHorizontal, [](const QImage& p) { return p.mirrored(true, false); }},
};

TEST(RasterFilters, EachEqualsItsFormulaOnEverySizeAndFlipsMirror) {
  for (const FilterCase& f : kFilters)
    for (const QSize& size : kSizes)
      for (const QImage& in : {noise(size), checker(size)}) {
        SCOPED_TRACE(testing::Message() << f.name << " on " << size.width() << "x" << size.height());
        QImage out = in;
        ASSERT_TRUE(f.kernel(out));
        EXPECT_TRUE(sameImage(f.reference(in), out));
      }
}

TEST(RasterFilters, BadInputIsRefusedAndChangesNothing) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const std::vector<std::function<bool(QImage&)>> refused{
      [&](QImage& p) { return raster::gammaCorrect(p, 0.0); },
      [&](QImage& p) { return raster::gammaCorrect(p, -2.0); },
      [&](QImage& p) { return raster::gammaCorrect(p, nan); },
      [&](QImage& p) { return raster::gammaCorrect(p, inf); },
      [&](QImage& p) { return raster::brightnessContrast(p, nan, 0.5); },
      [&](QImage& p) { return raster::brightnessContrast(p, 0.5, inf); },
      [](QImage& p) { return raster::sharpen(p, 0); },
      [](QImage& p) { return raster::soften(p, -1); },
  };
  const QImage in = noise({7, 5});
  for (std::size_t i = 0; i < refused.size(); ++i) {
    QImage img = in;
    EXPECT_FALSE(refused[i](img)) << "case " << i;
    EXPECT_TRUE(sameImage(in, img)) << "case " << i;
  }
  for (const FilterCase& f : kFilters)
    for (QImage empty : {QImage(), QImage(0, 0, QImage::Format_RGB32), QImage(5, 0, QImage::Format_RGB32)}) {
      EXPECT_FALSE(f.kernel(empty)) << f.name;
      EXPECT_TRUE(empty.isNull() || empty.width() * empty.height() == 0) << f.name;
    }
}

// Breadth-first reference: the 4-connected pixels from the seed that `inside` accepts.
QImage refFlood(const QImage& in, QPoint seed, QRgb colour, const std::function<bool(QRgb)>& inside) {
  QImage out = in;
  std::vector<bool> seen(std::size_t(in.width()) * in.height());
  std::deque<QPoint> queue{seed};
  while (!queue.empty()) {
    const QPoint p = queue.front();
    queue.pop_front();
    if (!in.valid(p) || seen[p.y() * in.width() + p.x()] || !inside(in.pixel(p) & 0xFFFFFF)) continue;
    seen[p.y() * in.width() + p.x()] = true;
    out.setPixel(p, colour);
    for (const QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) queue.push_back(p + d);
  }
  return out;
}

TEST(RasterFlood, SurfaceFillChangesOnlyTheConnectedArea) {
  const QImage base = QImage(samplePath(QStringLiteral("base.ppm"))).convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(base.size(), QSize(320, 256));
  const QImage plain = noise({1, 1}).scaled(321, 257);
  // The white quadrant (its checker cells touch only corner to corner), red, the black diagonal
  // and border, a checker cell, and a picture of one colour.
  const std::vector<std::pair<QImage, QPoint>> cases{{base, {300, 200}}, {base, {10, 10}}, {base, {0, 0}},
                                                     {base, {157, 124}}, {plain, {320, 256}}};
  const QRgb fill = qRgb(12, 200, 99);
  for (const auto& [in, seed] : cases) {
    SCOPED_TRACE(testing::Message() << "seed " << seed.x() << "," << seed.y());
    const QRgb surface = in.pixel(seed) & 0xFFFFFF;
    QImage out = in;
    ASSERT_TRUE(raster::floodFillSurface(out, seed, fill));
    EXPECT_TRUE(sameImage(refFlood(in, seed, fill, [&](QRgb c) { return c == surface; }), out));
  }
  QImage out = base;
  EXPECT_TRUE(raster::floodFillSurface(out, {300, 200}, qRgb(255, 255, 255)));
  EXPECT_FALSE(raster::floodFillSurface(out, {320, 0}, fill));
  EXPECT_FALSE(raster::floodFillSurface(out, {0, -1}, fill));
  EXPECT_TRUE(sameImage(base, out));
}

TEST(RasterFlood, BorderFillStopsAtTheOutlineUnlessItHasAGap) {
  QImage closed = noise({61, 47});
  QPainter(&closed).fillRect(10, 10, 30, 20, Qt::white);
  QPainter(&closed).fillRect(12, 12, 26, 16, QColor(1, 2, 3));
  QImage open = closed;
  open.setPixel(25, 10, qRgb(1, 2, 3));
  open.setPixel(25, 11, qRgb(1, 2, 3));
  const QRgb border = qRgb(255, 255, 255);
  for (const QImage& in : {closed, open})
    for (const QRgb fill : {border, qRgb(1, 2, 3)}) {
      QImage out = in;
      ASSERT_TRUE(raster::floodFillBorder(out, {0, 0}, border, fill));
      EXPECT_TRUE(sameImage(refFlood(in, {0, 0}, fill, [&](QRgb c) { return c != (border & 0xFFFFFF); }), out));
    }
  QImage out = closed;
  EXPECT_FALSE(raster::floodFillBorder(out, {10, 10}, border, 0));
  EXPECT_TRUE(sameImage(closed, out));
}

TEST(RasterPatternFill, ReplacesTheKeyUpToTheLastRowAndColumn) {
  const QRgb key = qRgb(9, 9, 9);
  for (const QSize& size : kSizes) {
    QImage in = noise(size, 777);
    for (int y = 0; y < size.height(); ++y)
      for (int x = 0; x < size.width(); ++x)
        if ((x + 2 * y) % 3 == 0 || x == size.width() - 1 || y == size.height() - 1) in.setPixel(x, y, key);
    const QImage pattern = noise(size, 4242);
    for (const int firstRow : {0, size.height() / 2}) {
      QImage out = in;
      ASSERT_TRUE(raster::patternfill(out, key, pattern, firstRow));
      QImage expected = in;
      for (int y = firstRow; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
          if ((in.pixel(x, y) & 0xFFFFFF) == (key & 0xFFFFFF)) expected.setPixel(x, y, pattern.pixel(x, y));
      EXPECT_TRUE(sameImage(expected, out));
    }
  }
  // A smaller pattern leaves what it cannot cover; one colour replaces every key pixel.
  QImage out(9, 4, QImage::Format_RGB32);
  out.fill(key);
  ASSERT_TRUE(raster::patternfill(out, key, noise({5, 3}), 0));
  EXPECT_EQ(countColour(out, colour::fromQRgb(key)), 9 * 4 - 5 * 3);
  ASSERT_TRUE(raster::patternfill(out, key, qRgb(0, 0, 255), 2));
  EXPECT_EQ(countColour(out, 0xFF0000), 9 * 2 - 5);
  EXPECT_FALSE(raster::patternfill(out, key, QImage(), 0));
}

TEST(RasterBlend, MixesChannelsOverTheAreaWithItsLastRowAndColumnAndSkipsTheKey) {
  EXPECT_EQ(raster::blendcolour(qRgb(255, 10, 3), qRgb(0, 200, 250), 70), qRgb(178, 67, 77));
  EXPECT_EQ(raster::blendcolour(qRgb(255, 10, 3), qRgb(0, 200, 250), 50), qRgb(127, 105, 126));
  const QRgb key = qRgb(1, 1, 1);
  QImage insert = noise({340, 256}, 99);
  for (int x = 0; x < 340; x += 3) insert.setPixel(x, 150, key);
  const QImage picture = noise({340, 256}, 5);
  const QRect area(QPoint(100, 98), QPoint(339, 255));  // reaches the last row and column
  for (const bool skipKey : {false, true}) {
    QImage out = picture;
    ASSERT_TRUE(raster::blendArea(out, insert, area, 30, skipKey ? std::optional(key) : std::nullopt));
    QImage expected = picture;
    for (int y = area.top(); y <= area.bottom(); ++y)
      for (int x = area.left(); x <= area.right(); ++x) {
        const QRgb a = insert.pixel(x, y), b = picture.pixel(x, y);
        const auto mix = [](int ca, int cb) { return (ca * 30 + cb * 70) / 100; };
        if (!skipKey || a != key)
          expected.setPixel(x, y, qRgb(mix(qRed(a), qRed(b)), mix(qGreen(a), qGreen(b)), mix(qBlue(a), qBlue(b))));
      }
    EXPECT_TRUE(sameImage(expected, out));
  }
  QImage out = picture;
  EXPECT_FALSE(raster::blendArea(out, insert, area, 101));
  EXPECT_FALSE(raster::blendArea(out, insert, area, -1));
  EXPECT_TRUE(sameImage(picture, out));
}

// The column a pixel of positionPicture() came from.
int column(QRgb p) { return qRed(p) + 256 * (qBlue(p) & 7); }

// Each row is stretched as a band two rows high, so below the middle, where chords narrow, a row
// keeps the wider chord of the row above it: the circle being symmetric about the line between
// rows 127 and 128, row 128 + k then spans what row 128 - k does. Marker-coloured pixels of the
// picture (a band of columns) come out as they are and cut no row short.
TEST(RasterGlobe, RowsSqueezeIntoADiscCentredInTheFrameOnTheMarker) {
  for (const int w : {320, 340}) {
    SCOPED_TRACE(w);
    const QImage source = positionPicture(w, 256);
    QImage out = source;
    ASSERT_TRUE(raster::globe(out));
    for (const QPoint corner : {QPoint(0, 0), QPoint(w - 1, 0), QPoint(0, 255), QPoint(w - 1, 255)})
      EXPECT_EQ(out.pixel(corner), raster::kGlobeMarker);
    const auto span = [&](int y) {
      int left = 0, right = w - 1;
      while (left < w && out.pixel(left, y) == raster::kGlobeMarker) ++left;
      while (right >= 0 && out.pixel(right, y) == raster::kGlobeMarker) --right;
      return std::pair(left, right);
    };
    // The middle row spans the disc's inner diameter around the frame's centre column, from the
    // source's first column to its last.
    const int centre = w / 2;
    const auto [left, right] = span(128);
    EXPECT_NEAR(left, centre - 127, 1);
    EXPECT_NEAR(right, centre + 126, 1);
    EXPECT_EQ(out.pixel(left, 128), source.pixel(0, 128));
    EXPECT_EQ(out.pixel(right, 128), source.pixel(w - 1, 128));
    EXPECT_EQ(qGreen(out.pixel(centre, 128)), 128);
    EXPECT_NEAR(column(out.pixel(centre, 128)), centre, 1);
    EXPECT_EQ(out.pixel(centre, 0), raster::kGlobeMarker) << "the circle's own top row stays empty";
    EXPECT_EQ(qGreen(out.pixel(centre, 3)), 3);
    for (int k = 1; k < 128; ++k) EXPECT_EQ(span(128 + k), span(128 - k)) << "row " << 128 + k;
    EXPECT_GT(span(255).second - span(255).first, 10);

    QImage marked = source;
    QPainter(&marked).fillRect(100, 0, 120, 256, QColor::fromRgb(raster::kGlobeMarker));
    ASSERT_TRUE(raster::globe(marked));
    for (int y = 0; y < 256; ++y)
      for (int x = 0; x < w; ++x) {
        const QRgb e = out.pixel(x, y);
        const bool hidden = e != raster::kGlobeMarker && column(e) >= 100 && column(e) < 220;
        ASSERT_EQ(marked.pixel(x, y), hidden ? raster::kGlobeMarker : e) << x << "," << y;
      }
  }
}

constexpr double kPi = 3.14159265359;
constexpr double kStep = kPi / 8;

// The polar mapping written out plainly: pixel calls and trigonometry for every point.
void literalRotate(const QImage& source, QImage& destination, float angle) {
  const int sx = source.width() / 2, sy = source.height() / 2;
  const int dx = destination.width() / 2, dy = destination.height() / 2;
  const int r = dx >= dy ? dx : dy - 1;
  const auto point = [&](double x, double y) -> long {
    const QPoint p(int(std::nearbyint(x)), int(std::nearbyint(y)));
    return source.valid(p) ? long(source.pixel(p) & 0xFFFFFF) : -1;
  };
  const auto pset = [&](int x, int y, long c) {
    if (c != -1 && destination.valid(x, y)) destination.setPixel(x, y, 0xFF000000u | QRgb(c));
  };
  for (int X = 0; X <= r; ++X)
    for (int Y = 0; Y <= r; ++Y) {
      const float a = X == 0 ? float(kPi / 2) : float(std::atan(double(Y) / X));
      const double rr = std::sqrt(double(X * X + Y * Y));
      const float t = a + angle;
      const double c = rr * std::cos(double(t)), s = rr * std::sin(double(t));
      const long p1 = point(sx + c, sy + s), p2 = point(sx - c, sy - s);
      const long p3 = point(sx + s, sy - c), p4 = point(sx - s, sy + c);
      pset(dx + X, dy + Y, p1);
      pset(dx - X, dy - Y, p2);
      pset(dx + Y, dy - X, p3);
      pset(dx - Y, dy + X, p4);
    }
}

// The angle the turn tools pass after k clockwise steps, summed as they sum it.
float clockwise(int k) {
  double angle = 0;
  for (int i = 1; i < k; ++i) angle += kStep;
  return float(-(angle + kStep));
}

// Every (source size, destination size) pair turned by every angle equals the plain mapping.
void expectPlainMapping(const std::vector<std::pair<QSize, QSize>>& sizes, const std::vector<float>& angles) {
  raster::PolarRotation rotation;  // one for all, so its table follows the changing sizes
  for (const auto& [from, to] : sizes) {
    const QImage source = noise(from, 31);
    for (const float angle : angles) {
      SCOPED_TRACE(testing::Message() << from.width() << "x" << from.height() << " -> " << to.width() << "x"
                                      << to.height() << " by " << angle);
      QImage expected = noise(to, 8);
      QImage out = expected;
      literalRotate(source, expected, angle);
      ASSERT_TRUE(rotation.bmp_rotate(source, out, angle));
      ASSERT_TRUE(sameImage(expected, out));
    }
  }
}

TEST(RasterRotate, EqualsThePlainMappingAtEveryAngleAndSize) {
  const std::vector<std::pair<QSize, QSize>> sizes{
      {{320, 256}, {320, 256}}, {{340, 256}, {340, 256}}, {{321, 257}, {321, 257}}, {{7, 5}, {7, 5}},
      {{120, 96}, {320, 256}},  {{100, 300}, {100, 300}}, {{2, 3}, {1, 1}},         {{1, 1}, {5, 9}}};
  // 0.011 to 0.291 put a point of the 320 x 256 turn within 1e-7 of a half, where the fast path
  // hands over to the plain calculation; 100 and -1000.5 lie beyond the fast path's range.
  std::vector<float> angles{0.0f, 1e-30f, float(11 * 0.001), float(209 * 0.001), float(291 * 0.001),
                            -2.0f, 100.0f, -1000.5f};
  for (int k = 1; k <= 16; ++k) angles.insert(angles.end(), {clockwise(k), -clockwise(k)});
  expectPlainMapping(sizes, angles);
}

// Whole right angles, as the turn tools pass them and a hair off, over every pairing of small
// sizes and at large odd, even and non-square ones.
TEST(RasterRotate, RightAnglesEqualThePlainMappingAtEverySize) {
  std::vector<std::pair<QSize, QSize>> sizes{{{256, 320}, {340, 256}}, {{1001, 999}, {1000, 1002}},
                                             {{3, 2000}, {2000, 3}}, {{1, 999}, {999, 2}}};
  for (int w = 1; w <= 5; ++w)
    for (int h = 1; h <= 5; ++h)
      for (int dw = 1; dw <= 5; ++dw)
        for (int dh = 1; dh <= 5; ++dh) sizes.push_back({{w, h}, {dw, dh}});
  std::vector<float> angles{float(kPi / 2 + 9e-7), float(-kPi - 9e-7), float(2 * kPi - 9e-7)};
  for (int k : {4, 8, 12, 16}) angles.insert(angles.end(), {clockwise(k), -clockwise(k)});
  expectPlainMapping(sizes, angles);
}

// Sixteen steps bring the source back, half a turn mirrors it through the centre, positive angles
// turn anticlockwise, and corners no source pixel reaches take pixel (1, 1).
TEST(RasterRotate, TurnedPicturesKeepTheirSenseAndFillCornersWithPixelOneOne) {
  raster::PolarRotation rotation;
  for (const int w : {320, 340}) {
    const QImage source = noise({w, 256}, 3);
    EXPECT_TRUE(sameImage(source, raster::turnedPicture(source, {w, 256}, clockwise(16), rotation)));
    EXPECT_TRUE(sameImage(source, raster::turnedPicture(source, {w, 256}, -clockwise(16), rotation)));
    const QImage half = raster::turnedPicture(source, {w, 256}, clockwise(8), rotation);
    for (int y = 0; y < 256; ++y)
      for (int x = 0; x < w; ++x) {
        // Column 0 and row 0 would come from beyond the source: they keep pixel (1, 1)'s colour.
        const QRgb want = x == 0 || y == 0 ? source.pixel(1, 1) : source.pixel(w - x, 256 - y);
        ASSERT_EQ(half.pixel(x, y), want) << x << "," << y;
      }
  }
  QImage source = solidImage(320, 256, 0xC80000);
  source.setPixel(1, 1, qRgb(7, 7, 7));
  source.setPixel(200, 128, qRgb(255, 0, 0));  // right of the centre
  EXPECT_EQ(raster::turnedPicture(source, {320, 256}, float(kPi / 2), rotation).pixel(160, 88), qRgb(255, 0, 0));
  EXPECT_EQ(raster::turnedPicture(source, {320, 256}, float(-kPi / 2), rotation).pixel(160, 168), qRgb(255, 0, 0));
  const QImage step = raster::turnedPicture(source, {320, 256}, clockwise(1), rotation);
  for (const QPoint corner : {QPoint(0, 0), QPoint(319, 0), QPoint(0, 255), QPoint(319, 255)})
    EXPECT_EQ(step.pixel(corner), qRgb(7, 7, 7));
  EXPECT_GT(countColour(step, 0x070707), 4 * 100);
}

TEST(RasterRotate, BadInputWritesNothing) {
  const QImage before = noise({9, 9});
  QImage out = before;
  raster::PolarRotation rotation;
  EXPECT_FALSE(rotation.bmp_rotate(noise({9, 9}, 2), out, std::numeric_limits<float>::quiet_NaN()));
  EXPECT_FALSE(rotation.bmp_rotate(noise({9, 9}, 2), out, std::numeric_limits<float>::infinity()));
  EXPECT_FALSE(rotation.bmp_rotate(QImage(), out, 0.5f));
  EXPECT_TRUE(sameImage(before, out));
  EXPECT_TRUE(raster::turnedPicture(QImage(), {320, 256}, 0.5f, rotation).isNull());
}

// Every kernel on pictures of one row or column, mismatched pairs and a very large picture:
// the sanitizer run reports any access outside them.
TEST(RasterKernels, StayInsidePicturesOfAnySize) {
  for (const QSize& size : {QSize(1, 1), QSize(1, 9), QSize(9, 1), QSize(4000, 1), QSize(1, 4000), QSize(4000, 4000)}) {
    SCOPED_TRACE(testing::Message() << size.width() << "x" << size.height());
    QImage img = noise({1, 1}).scaled(size);
    for (const FilterCase& f : kFilters) EXPECT_TRUE(f.kernel(img)) << f.name;
    EXPECT_TRUE(raster::floodFillSurface(img, {size.width() - 1, size.height() - 1}, qRgb(3, 4, 5)));
    EXPECT_TRUE(raster::floodFillBorder(img, {0, 0}, qRgb(1, 1, 1), qRgb(7, 7, 7)));
    EXPECT_TRUE(raster::patternfill(img, qRgb(7, 7, 7), noise({3, 5}), 1));
    EXPECT_TRUE(raster::blendArea(img, noise({5, 3}), QRect(-5, -5, 9000, 9000), 40));
    EXPECT_TRUE(raster::globe(img));
    raster::PolarRotation rotation;
    QImage turned = raster::turnedPicture(img, {320, 256}, 0.7f, rotation);
    EXPECT_EQ(turned.size(), QSize(320, 256));
    EXPECT_TRUE(rotation.bmp_rotate(turned, img, -2.1f));
    EXPECT_EQ(img.size(), size);
  }
}

}  // namespace
