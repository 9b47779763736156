#include <cstdlib>

#include "app/codes.h"
#include "app/form1.h"
#include "canvas/canvaskit.h"
#include "imaging/exclusive_run.h"
#include "platform/autoredraw.h"
#include "platform/colour.h"
#include "raster/fit.h"
#include "raster/flip.h"
#include "raster/rotate.h"

using canvaskit::insertMode;
using colour::state::Armed;
using colour::state::Idle;

namespace {

// The turn step; a count this large (sixteen steps come to 2 pi, 6.28) is a full turn and starts
// again at 0.
constexpr double kStep = raster::kPi / 8;
constexpr double kFullTurn = 6;
// Pending text turns in steps of 10 degrees up to upright, in tenths of a degree.
constexpr int kTextStep = 100;
constexpr int kTextLimit = 900;
// The first fill covers the widest frame whatever the layout.
constexpr int kWidestFrame = 340;

int opposite(int direction) { return direction == tool::Clockwise ? tool::Anticlockwise : tool::Clockwise; }

bool turnInForce(const Form1& f) {
  return f.turndirection == tool::Clockwise || f.turndirection == tool::Anticlockwise;
}

// Follow Mouse and 4 pics in 1 place their inserts themselves: nothing turns them.
bool insertVariantChecked(const Form1& f) {
  return f.Option7->value() && (f.Check18->value() == 1 || f.Check19->value() == 1);
}

// A missing source has no mirror: it stays missing.
QImage mirroredFrame(const QImage& source, int width, Qt::Orientation axis) {
  if (source.isNull()) return QImage();
  QImage frame = raster::stretchedFrame(source, width);
  if (axis == Qt::Vertical)
    raster::flipVertical(frame);
  else
    raster::flipHorizontal(frame);
  return frame;
}

// The pending insert, from its picture in Picture2, on the erasable layer at the anchor.
void layInsert(Form1& f) {
  if (f.Option6->value())
    f.turntransparent();
  else
    f.Picture1->PaintPicture(f.Picture2->picture(), f.startx, f.starty, f.picinpicsize, f.picinpicsize * 4 / 5);
}

// Image6 turned by `angle` into Picture2, over the colour of its pixel (1, 1), shown as the main
// picture or laid as the pending insert. False when there is no source to turn.
bool showTurnedSource(Form1& f, float angle) {
  if (!f.Image6->hasPicture()) return false;
  f.Picture3->setPicture(raster::stretchedFrame(f.Image6->picture(), f.frameWidth()));
  drawCommitted(f.Picture2, [&f, angle] {
    f.Picture2->BoxFilled(0, 0, kWidestFrame, raster::FrameHeight, f.Picture3->Point(1, 1));
    f.bmp_rotate(f.Picture3, f.Picture2, angle);
  });
  if (insertMode(f)) {
    layInsert(f);
    return true;
  }
  // Image6 keeps the unturned source for the next step, so only the before-copy is taken: OOPS
  // goes back to the picture before this step of the turn.
  const QImage before = f.Picture1->image();
  f.Picture1->setPicture(f.Picture2->image());
  canvaskit::keepBeforeCopy(f, before);
  return true;
}

// Shows the unturned source turned by the count in force plus `advance` in `direction`. The
// count is kept signed in the direction of the last step: a step the other way first negates it,
// so that the picture turns back one step.
void turnPicture(Form1& f, int direction, double advance) {
  f.Label24->setBackColor(Idle);
  if (!f.Frame9->isHidden()) {
    f.acceptAdjustedPicture();
    return;
  }
  f.Frame10->show();
  platform::DoEvents();
  f.Command12_Click();
  if (insertMode(f)) f.Label26->setBackColor(Armed);
  if (f.turndirection == opposite(direction)) f.rotationangle = -f.rotationangle;
  f.turndirection = f.toolmarker = direction;
  const double angle = f.rotationangle + advance;
  if (showTurnedSource(f, float(direction == tool::Clockwise ? -angle : angle))) f.rotationangle = angle;
  f.Text1->setFocus();
  if (f.rotationangle >= kFullTurn) {
    f.rotationangle = 0;
    f.turndirection = f.toolmarker = 0;
  }
  f.Frame10->hide();
}

void turnPendingText(Form1& f, int direction) {
  f.Picture1->Cls();
  const int step = direction == tool::Clockwise ? -kTextStep : kTextStep;
  f.textangle += step;
  if (std::abs(f.textangle) > kTextLimit) f.textangle -= step;
  f.printtext();
  f.Check17_Click();
  // The shadow draws the outline itself.
  if (f.Check15->value() == 1 && f.Check17->value() == 0) f.Check15_Click();
  if (f.styleapplied == 1) f.drawstyledtext();
  f.Text1->setFocus();
}

// With nothing pending no style preview can be on the picture.
void resetStyleUnlessPending(Form1& f) {
  if (f.isArmed(f.Label26)) return;
  f.Label34->setCaption(QStringLiteral(" Normal"));
  f.Label34->setBackColor(Idle);
  f.styleapplied = 0;
}

void refuse(Form1& f, const QString& message) {
  f.env.dialogs->MsgBox(message, vb::OKOnly, QString());
  f.Text1->setFocus();
}

void rotate(Form1& f, int direction) {
  if (f.Check16->value() == 1) return;
  resetStyleUnlessPending(f);
  const bool textMode = f.Option1->value();
  if (textMode && f.isArmed(f.Label31)) return refuse(f, QStringLiteral("Cannot rotate vertical text"));
  if (textMode && f.Label34->caption() == QLatin1String("  Grad"))
    return refuse(f, QStringLiteral("Cannot rotate graduated text"));
  if (insertVariantChecked(f)) {
    f.Text1->setFocus();
    return;
  }
  if (textMode && f.isArmed(f.Label26)) return turnPendingText(f, direction);
  turnPicture(f, direction, kStep);
}

// The mirror of a picture turned k steps one way is its mirrored source turned k steps the other
// way: the count stays, the direction changes. The refusals of the turn buttons do not apply.
void showMirroredTurn(Form1& f) {
  const int direction = opposite(f.turndirection);
  f.turndirection = direction;
  resetStyleUnlessPending(f);
  turnPicture(f, direction, 0);
}

// The pending insert's source is replaced by its mirror, stretched over the frame.
void flipInsert(Form1& f, Qt::Orientation axis) {
  f.Picture1->Cls();
  f.Image6->setPicture(mirroredFrame(f.Image6->picture(), f.frameWidth(), axis));
  f.Picture2->setPicture(f.Image6->picture());
  if (turnInForce(f))
    showMirroredTurn(f);
  else
    layInsert(f);
}

void flipWholePicture(Form1& f, Qt::Orientation axis) {
  const int width = f.frameWidth();
  if (turnInForce(f)) {
    f.Image6->setPicture(mirroredFrame(f.Image6->picture(), width, axis));
    showMirroredTurn(f);
    return;
  }
  const QImage before = f.Picture1->image();
  f.Picture1->setPicture(mirroredFrame(f.Picture1->picture(), width, axis));
  f.pictureReplaced(before);
}

void flip(Form1& f, Qt::Orientation axis) {
  const ExclusiveRun run(f);
  if (!run.started()) return;
  if (insertVariantChecked(f)) {
    f.Text1->setFocus();
    return;
  }
  f.Label24->setBackColor(Idle);
  // With the panel open the click only keeps the adjusted picture.
  if (!f.Frame9->isHidden()) {
    f.acceptAdjustedPicture();
    return;
  }
  f.Frame10->show();
  // Pending text or drawing is not flipped.
  if (f.isArmed(f.Label26) && insertMode(f))
    flipInsert(f, axis);
  else if (!f.isArmed(f.Label26))
    flipWholePicture(f, axis);
  f.Frame10->hide();
  f.Text1->setFocus();
}

void rotateButton(Form1& f, void (Form1::*turn)()) {
  const ExclusiveRun run(f);
  if (run.started()) (f.*turn)();
}

}  // namespace

void Form1::bmp_rotate(PictureBox* source, PictureBox* destination, float angle) {
  rotation.bmp_rotate(source->image(), destination->drawTarget(), angle);
}

void Form1::rotateclockwise() { rotate(*this, tool::Clockwise); }
void Form1::rotateanticlockwise() { rotate(*this, tool::Anticlockwise); }

void Form1::Command28_MouseDown(int, int, double, double) { flip(*this, Qt::Vertical); }
void Form1::Command29_MouseDown(int, int, double, double) { flip(*this, Qt::Horizontal); }
void Form1::Command44_MouseDown(int, int, double, double) { rotateButton(*this, &Form1::rotateclockwise); }
void Form1::Command46_MouseDown(int, int, double, double) { rotateButton(*this, &Form1::rotateanticlockwise); }
