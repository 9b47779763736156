#pragma once

#include <QImage>

namespace raster {

constexpr int QslPanelWidth = 250;
constexpr int QslPanelHeight = 96;

// The panel the QSL band and the date stamp are printed on: a one-pixel frame in RGB(0, 0, 213),
// a fill that brightens from orange RGB(255, 128, 0) at the edges to white in the middle, and a
// red RGB(213, 0, 0) outline with rounded corners a few pixels inside the frame. Format_RGB32.
QImage qslPanel();

}  // namespace raster
