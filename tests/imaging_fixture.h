#pragma once

#include <QCoreApplication>
#include <QMetaObject>
#include <functional>

#include "platform/colour.h"
#include "raster/fit.h"
#include "raster/flip.h"
#include "raster/rotate.h"
#include "tests/support/form_fixture.h"

// A picture in which every pixel tells where it lies, so that a turn, a mirror or a stretch shows
// in every pixel. Its blue never falls below 0x80: it holds no solid fill colour, no overlay key
// and no globe marker.
inline QImage positionPicture(int w, int h) {
  QImage img(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) img.setPixel(x, y, qRgb(x & 0xFF, y & 0xFF, 0x80 | (x >> 8) | ((y >> 8) << 3)));
  return img;
}

// The source stretched over a frame `width` x 256, as the turns and flips hold it.
inline QImage frameOf(const QImage& source, int width) {
  QImage frame(width, raster::FrameHeight, QImage::Format_RGB32);
  raster::stretchPaint(frame, source, QRectF(0, 0, width, raster::FrameHeight));
  return frame;
}

inline QImage mirrored(const QImage& source, Qt::Orientation axis) {
  QImage out = source;
  if (axis == Qt::Vertical)
    raster::flipVertical(out);
  else
    raster::flipHorizontal(out);
  return out;
}

// The angle of `steps` turn steps, counted as the turns count them; positive is anticlockwise.
inline float stepsAngle(int steps) {
  double a = 0;
  for (int i = 0; i < std::abs(steps); ++i) a += 3.14159265359 / 8;
  return float(steps < 0 ? -a : a);
}

// `source` turned as the turn buttons show it in a frame `width` wide.
inline QImage turned(const QImage& source, int width, float angle) {
  raster::PolarRotation rotation;
  return raster::turnedPicture(frameOf(source, width), QSize(width, raster::FrameHeight), angle, rotation);
}

// The main window in Text mode with nothing pending, in the layout `width` asks for.
class ImagingTest : public FormTest {
 protected:
  static constexpr double kStep = 3.14159265359 / 8;

  Form1& prepare(int width = 320) {
    Form1& f = build();
    if (width == 340) f.jvcomm1->trigger();
    if (!f.Option1->value()) f.Option1->setValue(true);
    f.Label26->setBackColor(colour::state::SetIdle);
    f.sharpenamount = f.softenamount = 1;  // as start-up leaves them
    return f;
  }

  // `picture` committed and held in Image6, as after a commit.
  void commitPicture(const QImage& picture) {
    form->Picture1->setPicture(picture);
    form->Image6->setPicture(picture);
  }

  // A pending insert of `source` at (x, y), `size` wide, in the insert mode `mode` (Option6 or
  // Option7), laid on the picture as a drop leaves it.
  void pendInsert(OptionButton* mode, const QImage& source, double x, double y, double size) {
    Form1& f = *form;
    mode->setValue(true);
    f.Image6->setPicture(source);
    f.Picture2->setPicture(source);
    f.startx = x;
    f.starty = y;
    f.picinpicsize = size;
    f.Label26->setBackColor(colour::state::Armed);
    if (mode == f.Option6)
      f.turntransparent();
    else
      f.Picture1->PaintPicture(source, x, y, size, size * 4 / 5);
  }

  // Runs `click` from inside the next event pump, and reports whether a pump delivered it.
  std::shared_ptr<bool> clickDuringPump(std::function<void()> click) {
    auto delivered = std::make_shared<bool>(false);
    QMetaObject::invokeMethod(
        qApp, [delivered, click] { *delivered = true; click(); }, Qt::QueuedConnection);
    return delivered;
  }
};
