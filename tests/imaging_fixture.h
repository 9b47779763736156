#pragma once

#include <QCoreApplication>
#include <functional>

#include "platform/colour.h"
#include "raster/fit.h"
#include "raster/flip.h"
#include "raster/rotate.h"
#include "tests/support/checks.h"
#include "tests/support/form_fixture.h"

// The source stretched over a frame `width` x 256, mirrored across `axis` unless it is 0.
inline QImage frameOf(const QImage& source, int width, int axis = 0) {
  QImage frame = raster::stretchedFrame(source, width);
  if (axis == Qt::Vertical) raster::flipVertical(frame);
  if (axis == Qt::Horizontal) raster::flipHorizontal(frame);
  return frame;
}

// `source` as the turn buttons show it after `steps` steps (positive anticlockwise).
inline QImage turned(const QImage& source, int width, int steps) {
  double a = 0;
  for (int i = 0; i < std::abs(steps); ++i) a += 3.14159265359 / 8;  // counted as the turns count
  raster::PolarRotation rotation;
  return raster::turnedPicture(frameOf(source, width), {width, raster::FrameHeight}, float(steps < 0 ? -a : a), rotation);
}

class ImagingTest : public FormTest {
 protected:
  static constexpr double kStep = 3.14159265359 / 8;

  // A new window (with dialogs that have seen nothing): Text mode, nothing pending, `picture`
  // committed and in Image6, in the layout of its width.
  Form1& prepare(const QImage& picture) {
    dialogs = std::make_shared<ScriptedDialogs>();
    Form1& f = build();
    if (picture.width() == 340) f.jvcomm1->trigger();
    if (!f.Option1->value()) f.Option1->setValue(true);
    f.Label26->setBackColor(colour::state::SetIdle);
    f.sharpenamount = f.softenamount = 1;  // as start-up leaves them
    f.Picture1->setPicture(picture);
    f.Image6->setPicture(picture);
    return f;
  }

  // A pending Pic in Pic insert of `source` at (x, y), `size` wide, as a drop leaves it.
  void pendInsert(const QImage& source, double x, double y, double size) {
    Form1& f = *form;
    f.Option7->setValue(true);
    f.Image6->setPicture(source);
    f.Picture2->setPicture(source);
    f.startx = x;
    f.starty = y;
    f.picinpicsize = size;
    f.Label26->setBackColor(colour::state::Armed);
    f.Picture1->PaintPicture(source, x, y, size, size * 4 / 5);
  }

  void turn(int steps) {  // positive anticlockwise
    for (int i = 0; i < std::abs(steps); ++i)
      steps > 0 ? form->Command46_MouseDown(1, 0, 0, 0) : form->Command44_MouseDown(1, 0, 0, 0);
  }
  void flip(int axis) {
    axis == Qt::Vertical ? form->Command28_MouseDown(1, 0, 0, 0) : form->Command29_MouseDown(1, 0, 0, 0);
  }
};
