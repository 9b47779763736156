#include "raster/globe.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "raster/rgb32.h"

namespace raster {

namespace {

constexpr int kCircleWidth = 2;

struct Chord {
  int left;
  int width;
};

int nearest(double v) { return int(std::nearbyint(v)); }

// The chord of each row: the circle is drawn on its own blank picture and scanned from the
// centre column outwards until the marker or the picture's side.
std::vector<Chord> chords(int w, int h) {
  QImage work(w, h, QImage::Format_RGB32);
  work.fill(Qt::black);
  const int cx = nearest(w / 2.0);
  const int cy = nearest(h / 2.0);
  const int radius = nearest(h / 2.0);
  {
    QPainter painter(&work);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(QColor::fromRgb(kGlobeMarker), kCircleWidth));
    painter.drawEllipse(QPoint(cx, cy), radius, radius);
  }
  std::vector<Chord> rows(h);
  for (int y = 0; y < h; ++y) {
    const QRgb* row = rowOf(std::as_const(work), y);
    const auto marked = [&](int x) { return x < w && sameColour(row[x], kGlobeMarker); };
    int left = cx;
    while (!marked(left) && left > 0) --left;
    int right = cx;
    while (!marked(right) && right < w) ++right;
    rows[y] = {left, right - left};
  }
  return rows;
}

// Stretches source row `from` into [chord.left, chord.left + chord.width) of row `to`, each
// target pixel taking the source pixel under its centre.
void stretchRow(const QImage& source, int from, QImage& target, int to, Chord chord) {
  const int w = source.width();
  const int end = std::min(chord.width, target.width() - chord.left);
  const QRgb* in = rowOf(source, from);
  QRgb* out = rowOf(target, to);
  for (int i = std::max(0, -chord.left); i < end; ++i)
    out[chord.left + i] = opaque(in[int((2LL * i + 1) * w / (2LL * chord.width))]);
}

}  // namespace

bool globe(QImage& picture) {
  if (!prepareRgb32(picture)) return false;
  const int w = picture.width();
  const int h = picture.height();
  const std::vector<Chord> rows = chords(w, h);
  QImage result(w, h, QImage::Format_RGB32);
  result.fill(kGlobeMarker);
  // Each band is two rows high: the lower row is written again by the next band, except where
  // the next chord is narrower (the lower half), so the disc keeps the band's outline.
  for (int y = 0; y < h; ++y) {
    for (int band = y; band < std::min(y + 2, h); ++band) stretchRow(picture, band, result, band, rows[y]);
  }
  picture = result;
  return true;
}

}  // namespace raster
