#include <cmath>

#include "app/codes.h"
#include "app/form1.h"
#include "imaging/exclusive_run.h"
#include "platform/autoredraw.h"
#include "platform/colour.h"
#include "raster/fit.h"
#include "raster/globe.h"

using namespace colour::state;

namespace {

const QString kThings = QStringLiteral("  Things");

struct SolidFill {
  const char* name;
  long colour;
};
constexpr SolidFill kSolidFills[] = {
    {"Red", 0xFF}, {"White", 0xFFFFFF}, {"Black", 0}, {"Green", 0xFF00}, {"Blue", 0xFF0000}};

constexpr long kOutline = 0;  // black

// An Ellipse, Circle or Box waits at the anchor for SET or Undo.
void placeShape(Form1& f, const QString& shape) {
  if (shape == QLatin1String("Ellipse")) f.VScroll4->show();
  f.Picture1->setFillStyle(PictureBox::FillTransparent);
  f.drawThingsShape(f.startx, f.starty);
  f.Label26->setBackColor(Armed);
  f.dragsource = drag::PendingShape;
  f.Text1->setFocus();
}

// The committed picture squeezed row by row into a disc in the middle of the frame.
void drawGlobe(Form1& f, const QImage& before) {
  f.setCursor(Qt::WaitCursor);
  f.Picture2->setPicture(f.Picture1->picture());
  QImage globe = f.Picture2->image();
  raster::globe(globe);
  platform::DoEvents();
  f.Picture1->setPicture(globe);
  f.pictureReplaced(before);
  f.unsetCursor();
  f.Text1->setFocus();
}

// Draws a full-frame entry on Picture1's current layer. False when the operator cancelled the
// colour dialog: then nothing is drawn and nothing is to be committed.
bool fillFrame(Form1& f, const QString& thing, const QRect& frame) {
  PictureBox& p = *f.Picture1;
  const auto fill = [&](long colour) { p.BoxFilled(0, 0, frame.width(), frame.height(), colour); };
  if (thing == QLatin1String("X-Hatch")) {
    // The hatch lines up with the frame's corner; the outline goes over it.
    p.setFillStyle(PictureBox::FillCross);
    p.Box(0, 0, frame.width(), frame.height(), kOutline);
    p.setFillStyle(PictureBox::FillTransparent);
  }
  for (const SolidFill& solid : kSolidFills)
    if (thing == QLatin1String(solid.name)) fill(solid.colour);
  if (thing == QLatin1String("User Color")) {
    const std::optional<long> chosen = f.env.dialogs->ShowColor(f.dialogcolour);
    if (!chosen) return false;
    f.dialogcolour = *chosen;
    fill(*chosen);
  }
  if (thing == QLatin1String("Test Patern")) p.PaintPicture(f.Image1->picture(), 0, 0, frame.width(), frame.height());
  return true;
}

}  // namespace

bool Form1::isThingsShape(const QString& text) {
  return text == QStringLiteral("Ellipse") || text == QStringLiteral("Circle") || text == QStringLiteral("Box");
}

void Form1::drawThingsShape(double cx, double cy) {
  const QString shape = Combo1->text();
  if (shape == QStringLiteral("Box")) {
    // No colour and no fill given: the picture's fore colour and fill style apply.
    const double left = cx - shaperadius / 2;
    const double top = cy - shaperadius / 2;
    Picture1->Box(left, top, left + shaperadius, top + shaperadius * VScroll4->value() / 9, Picture1->foreColor());
    return;
  }
  if (shape != QStringLiteral("Ellipse") && shape != QStringLiteral("Circle")) return;
  double colourValue = 0;
  // A colour text that is no number is no colour: nothing is drawn.
  if (!readsAsNumber(textsettings[7], &colourValue)) return;
  // The aspect travels as a single-precision value.
  const double aspect = shape == QStringLiteral("Ellipse") ? double(float(shapeaspect)) : 1.0;
  Picture1->Circle(cx, cy, shaperadius, long(std::nearbyint(colourValue)), aspect);
}

void Form1::Combo1_Click() {
  const ExclusiveRun run(*this);
  if (!run.started() || makeheader->isChecked()) return;
  if (!Frame9->isHidden()) toggleAdjustPanel();
  VScroll4->hide();
  rotationangle = 0;
  const int width = frameWidth();
  texttoplace.clear();
  setNothingPending();
  Picture1->Cls();
  // What the entries draw at once, OOPS takes back; a shape waits for SET, which does the same.
  const QImage before = Picture1->image();
  // A pending shape keeps its place when the list is clicked again.
  if (dragsource != drag::PendingShape) {
    startx = 160;
    starty = 128;
  }
  Picture1->setDrawWidth(3);
  const QString thing = Combo1->text();
  if (thing == QLatin1String("Globe")) return drawGlobe(*this, before);
  if (isThingsShape(thing)) return placeShape(*this, thing);
  bool filled = false;
  {
    PersistentDrawing persistent(Picture1);
    filled = fillFrame(*this, thing, QRect(0, 0, width, raster::FrameHeight));
    if (filled) Picture1->commit();
  }
  if (filled) {
    // Also "  Things", which draws nothing, makes the picture as it stands the committed one.
    Picture2->setPicture(Picture1->image());
    pictureReplaced(before);
  }
  Text1->setFocus();
}

void Form1::Combo1_GotFocus() {
  Combo1->setText(kThings);
  setNothingPending();
  Picture1->Cls();
  shaperadius = 100;
  shapeaspect = 0.5;
  // The remembered value first, so the change this raises sees no step and keeps the aspect.
  shapescrollvalue = 9;
  VScroll4->setValueChecked(9);
  startx = 160;
  starty = 128;
}

void Form1::Combo1_LostFocus() {
  if (!isThingsShape(Combo1->text())) Combo1->setText(kThings);
}
