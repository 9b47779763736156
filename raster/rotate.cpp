#include "raster/rotate.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <type_traits>

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

// The mapping turned by a whole number of quarter turns sends every point of the reach square
// straight to one source pixel: with (u, v) the point's offset from the destination's centre, the
// source pixel lies at (c, s) from the source's centre, c = cu u + cv v and s = su u + sv v. The
// mapping's own rounding lands on those pixels when the angle is within kQuarterTolerance of the
// quarter turns and the reach is at most kQuarterReachLimit: A is off by at most 6e-8, the angle
// by the tolerance and A + angle by half its last place (2.4e-7 below 8), so C and S miss their
// whole numbers by under R * 1.4e-6, which stays below 0.13 for R up to the limit times sqrt 2.
// Every write to a pixel then carries the same source pixel, so the order of writes is free.
struct QuarterMap {
  int cu, cv, su, sv;
};
// Indexed by quarter turns anticlockwise (positive angles): none, one, two, three.
constexpr std::array<QuarterMap, 4> kQuarterMaps{{{1, 0, 0, 1}, {0, -1, 1, 0}, {-1, 0, 0, -1}, {0, 1, -1, 0}}};
constexpr double kQuarterTolerance = 1e-6;
constexpr int kQuarterReachLimit = 1 << 16;
// Angles of at most a full turn either way: beyond it the last place of A + angle grows.
constexpr int kMostQuarters = 4;

// The number of quarter turns anticlockwise, 0 to 3, that `angle` makes, when it makes a whole
// number of them (to the tolerance above); -1 otherwise.
int wholeQuarterTurns(float angle) {
  const double quarters = std::nearbyint(double(angle) / (kPi / 2));
  if (std::fabs(quarters) > kMostQuarters || std::fabs(double(angle) - quarters * (kPi / 2)) > kQuarterTolerance)
    return -1;
  return (int(quarters) % 4 + 4) % 4;
}

// Keeps the offsets t in [lo, hi] for which base + sign * t (sign +1 or -1) lies in [0, n).
void keepInside(int& lo, int& hi, int base, int sign, int n) {
  lo = std::max(lo, sign > 0 ? -base : base - n + 1);
  hi = std::min(hi, sign > 0 ? n - 1 - base : base);
}

// Both pictures' pixels, sizes and centres, and the reach of the mapping.
struct Pictures {
  const QRgb* from;
  qsizetype fromStride;
  int sw, sh, sx, sy;
  QRgb* to;
  qsizetype toStride;
  int dw, dh, dx, dy, reach;
};

// Whole chunks of this many pixels with a step known at compile time (a row read forwards or
// backwards) are copied several pixels at once at the default optimisation level.
constexpr int kChunk = 8;

template <typename Step>
void copySpan(QRgb* __restrict out, const QRgb* __restrict in, int n, Step step) {
  int k = 0;
  for (; k + kChunk <= n; k += kChunk)
    for (int i = 0; i < kChunk; ++i) out[k + i] = opaque(in[(k + i) * step]);
  for (; k < n; ++k) out[k] = opaque(in[k * step]);
}

// The points of [uLo, uHi] x [vLo, vHi] are copied in square tiles of this side, so that a turn
// by a right angle reads its source columns from the cache.
constexpr int kCopyTile = 64;

template <typename Step>
void copyTiles(const Pictures& p, int uLo, int uHi, int vLo, int vHi, Step stepU, qsizetype stepV) {
  const QRgb* centre = p.from + p.sy * p.fromStride + p.sx;
  for (int tileV = vLo; tileV <= vHi; tileV += kCopyTile)
    for (int tileU = uLo; tileU <= uHi; tileU += kCopyTile)
      for (int v = tileV, endV = std::min(tileV + kCopyTile - 1, vHi); v <= endV; ++v)
        copySpan(p.to + (p.dy + v) * p.toStride + p.dx + tileU, centre + v * stepV + tileU * stepU,
                 std::min(kCopyTile, uHi - tileU + 1), stepU);
}

// The quarter-turned mapping as plain copies: the points that map inside both pictures form a
// rectangle.
void copyQuarterTurned(const Pictures& p, int quarters) {
  const QuarterMap m = kQuarterMaps[std::size_t(quarters)];
  int uLo = std::max(-p.reach, -p.dx), uHi = std::min(p.reach, p.dw - 1 - p.dx);
  int vLo = std::max(-p.reach, -p.dy), vHi = std::min(p.reach, p.dh - 1 - p.dy);
  if (m.cu)
    keepInside(uLo, uHi, p.sx, m.cu, p.sw), keepInside(vLo, vHi, p.sy, m.sv, p.sh);
  else
    keepInside(vLo, vHi, p.sx, m.cv, p.sw), keepInside(uLo, uHi, p.sy, m.su, p.sh);
  const qsizetype stepV = m.cv + m.sv * p.fromStride;
  if (m.cu == 1)
    copyTiles(p, uLo, uHi, vLo, vHi, std::integral_constant<int, 1>(), stepV);
  else if (m.cu == -1)
    copyTiles(p, uLo, uHi, vLo, vHi, std::integral_constant<int, -1>(), stepV);
  else
    copyTiles(p, uLo, uHi, vLo, vHi, m.su * p.fromStride, stepV);
}

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

  const QRgb* from = rowOf(src, 0);
  const qsizetype fromStride = src.bytesPerLine() / qsizetype(sizeof(QRgb));
  QRgb* to = rowOf(destination, 0);
  const qsizetype toStride = destination.bytesPerLine() / qsizetype(sizeof(QRgb));
  if (const int quarters = wholeQuarterTurns(angle); quarters >= 0 && reach <= kQuarterReachLimit) {
    copyQuarterTurned({from, fromStride, sw, sh, sx, sy, to, toStride, dw, dh, dx, dy, reach}, quarters);
    return true;
  }
  prepare(reach);
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
