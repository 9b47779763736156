#include <cmath>

#include "app/codes.h"
#include "app/form1.h"
#include "platform/colour.h"

using namespace colour::state;

namespace {

const QString kThings = QStringLiteral("  Things");

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
  // A colour text that is no number draws nothing, as the old conversion error skipped the call.
  if (!readsAsNumber(textsettings[7], &colourValue)) return;
  // The aspect travels as a single-precision value.
  const double aspect = shape == QStringLiteral("Ellipse") ? double(float(shapeaspect)) : 1.0;
  Picture1->Circle(cx, cy, shaperadius, long(std::nearbyint(colourValue)), aspect);
}

void Form1::Combo1_Click() {
  // Only the three pending shapes are generated here so far.
  const QString shape = Combo1->text();
  if (!isThingsShape(shape)) return;
  if (makeheader->isChecked()) return;
  if (!Frame9->isHidden()) Command13_Click();
  VScroll4->hide();
  rotationangle = 0;
  texttoplace.clear();
  Picture1->Cls();
  Label26->setBackColor(SetIdle);
  Image13->setPicture(Picture1->image());
  // A pending shape keeps its place when the list is clicked again.
  if (dragsource != drag::PendingShape) {
    startx = 160;
    starty = 128;
  }
  Picture1->setDrawWidth(3);
  if (shape == QStringLiteral("Ellipse")) VScroll4->show();
  Picture1->setFillStyle(PictureBox::FillTransparent);
  drawThingsShape(startx, starty);
  Label26->setBackColor(Armed);
  dragsource = drag::PendingShape;
  Text1->setFocus();
}

void Form1::Combo1_GotFocus() {
  Combo1->setText(kThings);
  Picture1->Cls();
  Label26->setBackColor(SetIdle);
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
