#include <algorithm>
#include <cmath>

#include "app/codes.h"
#include "app/form1.h"
#include "canvas/canvaskit.h"
#include "platform/autoredraw.h"
#include "platform/colour.h"

using namespace colour::state;

namespace {

constexpr int CropLineWidth = 2;
// The rubber band is drawn in the inverse of the colour under the pointer, so it always shows.
constexpr long InvertAll = 0xFFFFFF;

// A crop corner held to the frame.
QPointF inFrame(const Form1& f, double x, double y) {
  return {std::clamp(x, 0.0, double(f.frameWidth())), std::clamp(y, 0.0, double(f.Picture1->scaleHeight()))};
}

// The colour under the pointer, or under the nearest point of the picture when it is outside.
long colourNear(const Form1& f, double x, double y) {
  return f.Picture1->Point(std::clamp(x, 0.0, f.Picture1->scaleWidth() - 1.0),
                           std::clamp(y, 0.0, f.Picture1->scaleHeight() - 1.0));
}

}  // namespace

void Form1::Label24_Click() {
  if (!Frame9->isHidden()) return Text1->setFocus();
  if (Label24->backColor() == Armed) return Label24->setBackColor(Idle);
  if (Label24->backColor() != Idle) return;
  Option1_Click();
  Label24->setBackColor(Armed);
  rotationangle = 0;
  Command12_Click();
}

void Form1::cropStart(double x, double y) {
  toolmarker = tool::CropMarking;
  startx = x;
  starty = y;
  Picture1->setDrawWidth(CropLineWidth);
}

// The hatch is for the rubber band alone: later boxes and circles are drawn unfilled again.
void Form1::cropRubberBand(double x, double y) {
  Picture1->setFillColor(0);
  Picture1->setFillStyle(PictureBox::FillDownwardDiagonal);
  Picture1->Cls();
  Picture1->Box(startx, starty, x, y, colourNear(*this, x, y) ^ InvertAll);
  Picture1->setFillStyle(PictureBox::FillTransparent);
}

// The marked rectangle, held to the frame, is stretched over the whole picture; marked from right
// to left or from the bottom up it is mirrored that way.
void Form1::cropFinish(double x, double y) {
  Picture1->Cls();
  const QPointF from = inFrame(*this, startx, starty);
  const QPointF to = inFrame(*this, x, y);
  const double w = to.x() - from.x();
  const double h = to.y() - from.y();
  if (std::abs(w) < 1 || std::abs(h) < 1) return Text1->setFocus();
  const QImage before = Picture1->image();
  drawCommitted(Picture1, [&] {
    Picture1->PaintPicture(Picture1->picture(), 0, 0, frameWidth(), Picture1->scaleHeight(), from.x(), from.y(), w, h);
  });
  toolmarker = 0;
  pictureReplaced(before);
  Label24->setBackColor(Idle);
}

void Form1::Label29_Click() {
  Option8_Click();
  Label73->setBackColor(Idle);
  Label26->setBackColor(SetIdle);
  if (!Option8->value()) return;
  if (isArmed(Label30)) return Text1->setFocus();
  if (isArmed(Label29)) {
    canvaskit::endFixCol(*this);
    return Text1->setFocus();
  }
  Label29->setBackColor(Armed);
  Label30->setBackColor(Idle);
  fixcolsaved = textsettings[7];
  Text1->setFocus();
}

void Form1::Label73_Click() {
  Option8_Click();
  canvaskit::endFixCol(*this);
  Label26->setBackColor(SetIdle);
  if (!Option8->value()) return;
  if (Label73->backColor() == Armed)
    Label73->setBackColor(Idle);
  else if (Label73->backColor() == Idle)
    Label73->setBackColor(Armed);
}

void Form1::noiseLinePointer() { Picture1->setMousePointer(2); }

// The row under the pointer takes the row above (left button) or below (right button), committed
// at once while SET stays red: Undo still brings back the picture from before. A release outside
// the picture, or a row with no row above or below it, changes nothing.
void Form1::noiseLineRemoval(int button, double x, double y) {
  if (button != mousebutton::Left && button != mousebutton::Right) return;
  const int row = int(std::nearbyint(y));
  const int from = row + (button == mousebutton::Left ? -1 : 1);
  if (Picture1->Point(x, y) == PictureBox::NoColour || Picture1->Point(0, from) == PictureBox::NoColour) return;
  Label26->setBackColor(Armed);
  Picture3->setPicture(Picture1->image());
  Picture1->setDrawWidth(1);
  const int width = frameWidth();
  drawCommitted(Picture1, [&] { Picture1->PaintPicture(Picture3->picture(), 0, row, width, 1, 0, from, width, 1); });
  Picture1->setMousePointer(0);
}
