#pragma once

#include <QImage>

// The 320 x 256 test pattern of the main window: the splash shows it, the Things list paints it
// and the shut-down shows it in the main picture.
QImage makeTestPattern();
