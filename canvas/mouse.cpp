#include <algorithm>

#include "app/codes.h"
#include "app/form1.h"
#include "canvas/canvaskit.h"
#include "platform/colour.h"
#include "platform/dragdrop.h"

using canvaskit::centreInsert;
using canvaskit::followMouse;
using canvaskit::insertMode;
using colour::state::Armed;
using colour::state::SetIdle;

namespace {

// Pending text follows the pointer: it is printed afresh at the new anchor.
void placeText(Form1& f, double x, double y) {
  f.Picture1->Cls();
  f.Picture1->currentX = x;
  f.startx = x;
  f.Picture1->currentY = y;
  f.starty = y;
  f.printtext();
}

void insertStart(Form1& f, double x, double y) {
  if (followMouse(f)) {
    f.picinpicsize = 1;
    f.followx = x;
    f.followy = y;
    f.Picture2->setPicture(f.Picture1->image());
  }
  f.Picture1->Cls();
  f.Picture1->currentX = x;
  f.Picture1->currentY = y;
  centreInsert(f, x, y);
  if (f.Option6->value()) {
    f.Picture1->setAutoRedraw(false);
    f.turntransparent();
  } else {
    f.Picture1->PaintPicture(f.Picture2->picture(), x, y, f.picinpicsize, f.picinpicsize * 4 / 5);
  }
}

// The width box accepts any text; a number is held to the scroll bar's range, anything else
// leaves the width as it was rather than stopping the stroke.
void takeDrawWidth(Form1& f) {
  bool ok = false;
  const double width = f.Text6->text().trimmed().toDouble(&ok);
  if (ok) f.HScroll1->setValueChecked(std::clamp(qRound(width), 1, 9));
  f.Picture1->setDrawWidth(f.HScroll1->value());
}

void freehandStart(Form1& f, double x, double y) {
  f.Label26_Click();  // the previous stroke becomes permanent before the next one starts
  f.Label26->setBackColor(Armed);
  takeDrawWidth(f);
  // Strokes go straight into the persistent image; SET then only has to commit it.
  f.Picture1->setAutoRedraw(true);
  f.Picture1->currentX = x;
  f.startx = x;
  f.Picture1->currentY = y;
  f.starty = y;
  // Outside the picture there is no colour to pick: Fix Col keeps the one it has.
  const long under = f.Picture1->Point(x, y);
  if (f.isArmed(f.Label29) && under != PictureBox::NoColour) f.textsettings[7] = QString::number(under);
}

void freehandStep(Form1& f, double x, double y) {
  f.maxx = std::max(f.maxx, x);
  f.minx = std::min(f.minx, x);
  f.maxy = std::max(f.maxy, y);
  f.miny = std::min(f.miny, y);
  f.Picture1->Line(f.Picture1->currentX, f.Picture1->currentY, x, y, canvaskit::wholeColour(f.textsettings[7]));
}

// The box is widened by comparing the centre, not the shape's edge, with it.
void widenBoxForShape(Form1& f, double x, double y) {
  const double r = f.shaperadius;
  const double h = f.Combo1->text() == QLatin1String("Box") ? r * f.VScroll4->value() / 9 : r;
  if (x > f.maxx) f.maxx = x + r;
  if (x < f.minx) f.minx = x - r;
  if (y > f.maxy) f.maxy = y + h;
  if (y < f.miny) f.miny = y - h;
}

void rightPress(Form1& f) {
  if (f.dragsource == drag::PendingShape) {
    f.VScroll4->hide();
    f.Picture1->Cls();
    f.Command12_Click();
    f.Text1->setFocus();
    return;
  }
  f.Label26->setBackColor(SetIdle);
  f.Picture1->Cls();
  f.giveNormalIcon(f.Picture1);
  if (!f.isArmed(f.Label32)) {
    f.dragsource = drag::MainPicture;
    f.beginDrag(f.Picture1);
  }
}

// PatFil takes the colour under the pointer; outside the picture there is none, and no drag.
void colourDrag(Form1& f, double x, double y) {
  const long under = f.Picture1->Point(x, y);
  if (under == PictureBox::NoColour) return;
  platform::setDragIcon(f.Picture1, f.Picture1->mouseIcon);
  f.Picture1->setMousePointer(2);
  f.dragColour(f.Picture1, under);
}

void insertDrag(Form1& f, double x, double y) {
  f.Picture1->Cls();
  centreInsert(f, x, y);
  f.Picture1->currentX = x;
  f.Picture1->currentY = y;
  f.picturefontmode = 0;
  if (f.Check18->value() == 1) {
    f.picinpicsize += 1;
    const double s = f.picinpicsize;
    // The window reaches further left and up than right and down: the trail is stamped sooner
    // when the pointer moves right or down.
    const bool nearLast = f.followx - s / 5 < x && x < f.followx + s / 15 && f.followy - s / 5 < y &&
                          y < f.followy + s / 15;
    if (!nearLast) {
      f.followx = x;
      f.followy = y;
      f.Picture1->setAutoRedraw(true);
      f.Picture1->PaintPicture(f.Image6->picture(), x, y, s, s * 4 / 5);
    }
  } else {
    f.Picture1->PaintPicture(f.Picture2->picture(), x, y, f.picinpicsize, f.picinpicsize * 4 / 5);
  }
  f.Picture1->setAutoRedraw(false);
}

}  // namespace

// The drag swallows the button release, as a drag on Windows does: a pointer the press set
// (the cross of a colour picked from the picture) stays until the fill, Undo or a later mouse-up.
void Form1::startQDrag(QWidget* source) { platform::runDrag(source); }

void Form1::dragColour(QWidget* source, long colour) {
  pickedcolour = colour;
  operationmarker = marker::ColourDrag;
  beginDrag(source);
  operationmarker = 0;
}

void Form1::Picture1_MouseDown(int button, int, double x, double y) {
  if (isThingsShape(Combo1->text())) {
    Picture1->Cls();
    drawThingsShape(x, y);
    startx = x;
    starty = y;
    return;
  }
  if (isArmed(Label38)) Label38_Click();
  dropStylePreview();
  if (isArmed(Label24)) return cropStart(x, y);
  if (isArmed(Label48)) return;
  if (Option8->value() && isArmed(Label73)) return noiseLinePointer();
  headerdrag = 0;
  if (button == mousebutton::Left && isArmed(Label32)) return colourDrag(*this, x, y);
  if (button == mousebutton::Right) return rightPress(*this);
  if (isArmed(Label32)) return;
  Label26->setBackColor(Armed);
  if (insertMode(*this)) return insertStart(*this, x, y);
  if (picturefontmode != fontmode::PictureFont) texttoplace = Text1->text();
  if (Option8->value())
    freehandStart(*this, x, y);
  else if (button == mousebutton::Left)
    placeText(*this, x, y);
}

void Form1::Picture1_MouseMove(int button, int, double x, double y) {
  const bool left = button == mousebutton::Left;
  if (left && isThingsShape(Combo1->text())) {
    Picture1->Cls();
    drawThingsShape(x, y);
    startx = x;
    starty = y;
    return widenBoxForShape(*this, x, y);
  }
  if (left && Option6->value()) {
    Picture1->Cls();
    centreInsert(*this, x, y);
    Picture1->currentX = x;
    Picture1->currentY = y;
    picturefontmode = 0;
    return turntransparent();
  }
  if (insertMode(*this) && !Image6->hasPicture()) return Text1->setFocus();
  if (isArmed(Label24) && toolmarker == tool::CropMarking && left) return cropRubberBand(x, y);
  if (isArmed(Label32)) return;
  if (Option8->value() && isArmed(Label73)) return;
  if (!(left && insertMode(*this))) {
    if (left && Option8->value()) return freehandStep(*this, x, y);
    if (left) placeText(*this, x, y);
    return;
  }
  if (Option7->value()) insertDrag(*this, x, y);
}

void Form1::Picture1_MouseUp(int button, int, double x, double y) {
  Picture1->setMousePointer(0);
  if (isArmed(Label26) && Option1->value() && styleapplied == 1) return Label36_Click();
  if (isArmed(Label24)) return cropFinish(x, y);
  // OOPS then goes back to the picture with the trail laid so far.
  if (followMouse(*this)) Image13->setPicture(Picture1->image());
  if (Option8->value() && isArmed(Label73)) return noiseLineRemoval(button, x, y);
  if (button == mousebutton::Right) return Text1->setFocus();
  if (isArmed(Label32)) return;
  if (insertMode(*this)) return Text1->setFocus();
  if (Option8->value()) return;  // the stroke is already in the persistent image
  Check17_Click();
  if (Check17->value() == 0 && Check15->value() == 1) Check15_Click();
  Text1->setFocus();
}
