#include "raster/qslpanel.h"

#include <QPainter>
#include <algorithm>

#include "raster/rgb32.h"

namespace raster {

namespace {

constexpr QRgb FrameColour = qRgb(0, 0, 213);
constexpr QRgb OutlineColour = qRgb(213, 0, 0);
constexpr int OutlineInset = 4;
constexpr int OutlineWidth = 2;
constexpr int OutlineCornerRadius = 10;

// Orange at the edge, white in the middle: the nearer edge, measured against the middle's distance
// from the edges that way, sets how far the colour has come.
QRgb fillAt(int x, int y) {
  constexpr int MiddleX = (QslPanelWidth - 1) / 2;
  constexpr int MiddleY = (QslPanelHeight - 1) / 2;
  const double fromEdgeX = std::min(x, QslPanelWidth - 1 - x) / double(MiddleX);
  const double fromEdgeY = std::min(y, QslPanelHeight - 1 - y) / double(MiddleY);
  const double t = std::min({fromEdgeX, fromEdgeY, 1.0});
  return qRgb(255, int(128 + 127 * t), int(255 * t));
}

}  // namespace

QImage qslPanel() {
  QImage panel(QslPanelWidth, QslPanelHeight, QImage::Format_RGB32);
  for (int y = 0; y < QslPanelHeight; ++y) {
    QRgb* line = rowOf(panel, y);
    for (int x = 0; x < QslPanelWidth; ++x) line[x] = fillAt(x, y);
  }
  QPainter p(&panel);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(QPen(QColor(OutlineColour), OutlineWidth));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(QRect(OutlineInset, OutlineInset, QslPanelWidth - 2 * OutlineInset, QslPanelHeight - 2 * OutlineInset),
                    OutlineCornerRadius, OutlineCornerRadius);
  p.setPen(QPen(QColor(FrameColour), 1));
  p.drawRect(0, 0, QslPanelWidth - 1, QslPanelHeight - 1);
  return panel;
}

}  // namespace raster
