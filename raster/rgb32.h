#pragma once

#include <QImage>
#include <QRgb>
#include <algorithm>
#include <cmath>

// What every pixel kernel shares. Pictures are 32-bit RGB: the top byte of a pixel carries no
// colour (a picture filled with a raw value may hold anything there), so pixels compare by their
// low 24 bits and are written back opaque.
namespace raster {

constexpr QRgb kColourBits = 0x00FFFFFF;
constexpr QRgb kOpaque = 0xFF000000;

constexpr bool sameColour(QRgb a, QRgb b) { return ((a ^ b) & kColourBits) == 0; }
constexpr QRgb opaque(QRgb c) { return c | kOpaque; }

// False for a picture without pixels. Otherwise true, with the picture in RGB32 (another format
// is converted, keeping its colours) and detached, so that writing through it is safe.
bool prepareRgb32(QImage& picture);
// The picture as RGB32: the same data when it already is, else a converted copy.
QImage asRgb32(const QImage& picture);

// A channel value computed in floating point: rounded to the nearest whole number (halves away
// from zero) and held in 0..255, never wrapped.
inline int toChannel(double v) { return int(std::lround(std::clamp(v, 0.0, 255.0))); }

inline QRgb* rowOf(QImage& picture, int y) { return reinterpret_cast<QRgb*>(picture.scanLine(y)); }
inline const QRgb* rowOf(const QImage& picture, int y) {
  return reinterpret_cast<const QRgb*>(picture.constScanLine(y));
}

}  // namespace raster
