#include "raster/rotate.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "raster/fit.h"
#include "raster/rgb32.h"

namespace raster {

namespace {

// The fast path below reproduces C and S to within about 1e-11 pixel for pictures of a few
// thousand pixels (the single-precision angle offset is the largest error). Only a value this
// close to a half could round differently; such points take the literal calculation.
constexpr double kTieMargin = 1e-7;
// The fast path treats the single-precision rounding of A + angle as a small correction; that
// holds for every angle the turn tools use (a few full turns at most).
constexpr float kFastAngleLimit = 64.0f;

struct Sources {
  std::array<int, 4> x;
  std::array<int, 4> y;
};

// Points are visited in square tiles of this side, so that the pixels read and written stay
// close together in memory (see bmp_rotate for why the result does not change).
constexpr int kTile = 32;

int rounded(double v) { return int(std::nearbyint(v)); }

// The nearest whole number, halves to even, without a library call: adding and taking away
// 1.5 * 2^52 leaves it (in the default rounding mode, for |v| < 2^51).
double nearestWhole(double v) {
  constexpr double kShift = 6755399441055744.0;
  return (v + kShift) - kShift;
}

// Whether v lies so close to a half that the fast path's tiny error could round it either way.
bool roundsUnsurely(double v, double whole) { return 0.5 - std::fabs(v - whole) < kTieMargin; }

// The mapping exactly as defined, for one point.
Sources literalSources(int X, int Y, float a, float angle, int sx, int sy) {
  const float t = a + angle;
  const double r = std::sqrt(double(X) * X + double(Y) * Y);
  const double c = r * std::cos(double(t));
  const double s = r * std::sin(double(t));
  return {{rounded(sx + c), rounded(sx - c), rounded(sx + s), rounded(sx - s)},
          {rounded(sy + s), rounded(sy - s), rounded(sy - c), rounded(sy + c)}};
}

// The same point without trigonometry per point. With e the offset of the held angle a from the
// exact angle of (X, Y): R cos a = X cos e - Y sin e and R sin a = Y cos e + X sin e; the sum
// a + angle is turned by the angle's sine and cosine, and the rounding d of that sum to single
// precision is applied as a second small turn. Both corrections are tiny (|e|, |d| < 1e-5), so
// two terms of their series are exact to far below a pixel's billionth.
struct FastTurn {
  double cosine;
  double sine;
  float angle;

  bool sources(int X, int Y, float a, double e, int sx, int sy, Sources& out) const {
    const double d = double(float(a + angle)) - (double(a) + double(angle));
    const double p = X - Y * e - X * e * e * 0.5;
    const double q = Y + X * e - Y * e * e * 0.5;
    const double rc = p * cosine - q * sine;
    const double rs = p * sine + q * cosine;
    const double c = rc - rs * d - rc * d * d * 0.5;
    const double s = rs + rc * d - rs * d * d * 0.5;
    const double wc = nearestWhole(c);
    const double ws = nearestWhole(s);
    if (roundsUnsurely(c, wc) || roundsUnsurely(s, ws)) return false;
    const int ic = int(wc);
    const int is = int(ws);
    out = {{sx + ic, sx - ic, sx + is, sx - is}, {sy + is, sy - is, sy - ic, sy + ic}};
    return true;
  }
};

}  // namespace

void PolarRotation::prepare(int reach) {
  if (reach == reach_) return;
  reach_ = reach;
  const int n = reach + 1;
  points_.assign(std::size_t(n) * n, {});
  for (int X = 0; X < n; ++X) {
    for (int Y = 0; Y < n; ++Y) {
      // The double arctangent is within an ulp or two of the exact angle: ample for the offset.
      const double exact = X == 0 ? std::numbers::pi / 2 : std::atan(double(Y) / double(X));
      const float held = X == 0 ? float(kPi / 2) : float(exact);
      points_[std::size_t(X) * n + Y] = {held, float(double(held) - exact)};
    }
  }
}

bool PolarRotation::bmp_rotate(const QImage& source, QImage& destination, float angle) {
  // Holding the source before the destination is written keeps it intact when both are the
  // same picture: writing detaches the destination.
  const QImage src = asRgb32(source);
  if (!std::isfinite(angle) || src.isNull() || src.width() <= 0 || src.height() <= 0 ||
      !prepareRgb32(destination))
    return false;
  const int sw = src.width();
  const int sh = src.height();
  const int dw = destination.width();
  const int dh = destination.height();
  const int sx = sw / 2;
  const int sy = sh / 2;
  const int dx = dw / 2;
  const int dy = dh / 2;
  const int reach = dx >= dy ? dx : dy - 1;
  prepare(reach);

  const QRgb* from = rowOf(src, 0);
  const qsizetype fromStride = src.bytesPerLine() / qsizetype(sizeof(QRgb));
  QRgb* to = rowOf(destination, 0);
  const qsizetype toStride = destination.bytesPerLine() / qsizetype(sizeof(QRgb));
  const FastTurn fast{std::cos(double(angle)), std::sin(double(angle)), angle};
  const bool fastAngle = std::fabs(angle) <= kFastAngleLimit;

  // A destination pixel is written by more than one point only on the centre's row and column:
  // by (X, 0) and by (0, X), of which the plain order (X outer, Y inner) writes (0, X) first.
  // Tile columns are taken in X order and each tile in that plain order; for X inside the first
  // tile column both points share a tile, otherwise (0, X) lies in an earlier tile column. So
  // every pixel's last write is the one the plain order would make last.
  const auto turnPoint = [&](int X, int Y) {
    const PolarPoint& point = points_[std::size_t(X) * (reach + 1) + Y];
    Sources s;
    if (!fastAngle || !fast.sources(X, Y, point.angle, point.offset, sx, sy, s))
      s = literalSources(X, Y, point.angle, angle, sx, sy);
    const std::array<int, 4> tx{dx + X, dx - X, dx + Y, dx - Y};
    const std::array<int, 4> ty{dy + Y, dy - Y, dy - X, dy + X};
    for (int k = 0; k < 4; ++k) {
      if (unsigned(s.x[k]) < unsigned(sw) && unsigned(s.y[k]) < unsigned(sh) && unsigned(tx[k]) < unsigned(dw) &&
          unsigned(ty[k]) < unsigned(dh))
        to[ty[k] * toStride + tx[k]] = opaque(from[s.y[k] * fromStride + s.x[k]]);
    }
  };
  for (int tileX = 0; tileX <= reach; tileX += kTile)
    for (int tileY = 0; tileY <= reach; tileY += kTile)
      for (int X = tileX, endX = std::min(tileX + kTile - 1, reach); X <= endX; ++X)
        for (int Y = tileY, endY = std::min(tileY + kTile - 1, reach); Y <= endY; ++Y) turnPoint(X, Y);
  return true;
}

QImage turnedPicture(const QImage& source, QSize size, float angle, PolarRotation& rotation) {
  const QImage src = asRgb32(source);
  if (src.isNull() || src.width() <= 0 || src.height() <= 0 || size.isEmpty() || !std::isfinite(angle))
    return QImage();
  QImage turned(size, QImage::Format_RGB32);
  // The corners the turn leaves uncovered take the colour just inside the source's corner; an
  // overlay carries its transparency key there, so they stay transparent.
  turned.fill(opaque(nearestPixel(src, 1, 1)));
  rotation.bmp_rotate(src, turned, angle);
  return turned;
}

}  // namespace raster
