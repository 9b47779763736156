#pragma once

#include <QImage>
#include <QSize>
#include <vector>

// Turning pictures by polar mapping. Every point (X, Y) of a quarter square of reach r around the
// destination's centre (0 <= X, Y <= r) is mapped back to the source through its angle A and
// distance R, and the point's three quarter-turns reuse the calculation:
//   A = pi / 2 for X = 0, else atan(Y / X), held in single precision;
//   C = R cos(A + angle), S = R sin(A + angle), with A + angle in single precision;
//   the source pixels at (sx + C, sy + S), (sx - C, sy - S), (sx + S, sy - C) and (sx - S, sy + C),
//   coordinates rounded to the nearest whole number (halves to even), are written, in that order,
//   at (dx + X, dy + Y), (dx - X, dy - Y), (dx + Y, dy - X) and (dx - Y, dy + X);
// for X = 0..r, and within each X for Y = 0..r. A point outside the source is read as missing
// and writes nothing; writes outside the destination are dropped. The centres are (width \ 2,
// height \ 2) of each picture, and r is dx, or dy - 1 when dy is the larger. The last write to
// a pixel wins, so the order above is part of the result.
namespace raster {

// The program's value of pi: the turn tools count their steps in it, and the points on the X = 0
// column take half of it as their angle A.
constexpr double kPi = 3.14159265359;

// Keeps the single-precision angle of every point for one reach, since the angles depend only
// on the destination's size and cost more to compute than a whole turn.
class PolarRotation {
 public:
  // Turns `source` by `angle` radians (positive turns anticlockwise on the screen) into
  // `destination`. Destination pixels that no source pixel maps to keep what they held.
  // False, with nothing written, for a picture without pixels or an angle that is not finite.
  // A whole number of right angles is copied straight, with the pixels the mapping gives.
  bool bmp_rotate(const QImage& source, QImage& destination, float angle);

 private:
  struct PolarPoint {
    float angle;   // A as the mapping holds it
    float offset;  // A minus the exact angle of (X, Y): what single precision lost
  };
  void prepare(int reach);

  int reach_ = -1;
  std::vector<PolarPoint> points_;  // X-major, as the mapping visits them
};

// One step of the turn tools: a picture of `size` filled with the source's pixel (1, 1) (its
// nearest pixel in a smaller source), with the source turned by `angle` over it. A null picture
// for a source or size without pixels, or an angle that is not finite.
QImage turnedPicture(const QImage& source, QSize size, float angle, PolarRotation& rotation);

}  // namespace raster
