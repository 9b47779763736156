#include "app/codes.h"
#include "app/form1.h"
#include "platform/autoredraw.h"
#include "platform/colour.h"
#include "raster/fill.h"

using namespace colour::state;

namespace {

// While a header strip is made only its rows at the bottom are filled.
constexpr int HeaderFirstRow = 220;

long colourOf(const QString& decimal) { return long(decimal.trimmed().toDouble()); }

// PatFil works on horizontal text only.
void endVerticalText(Form1& f) {
  if (!f.isArmed(f.Label31)) return;
  f.Label31->setBackColor(Idle);
  f.Label31->setCaption(QStringLiteral("Horiz"));
  f.VScroll3->hide();
  f.Text1->setText(QString());
}

}  // namespace

void Form1::Label32_Click() {
  Option1_Click();
  if (isArmed(Label32)) {
    Label32->setBackColor(Idle);
    Picture1->setMousePointer(0);
    return;
  }
  if (isArmed(Label38)) Label38_Click();
  Command12_Click();
  if (!Option1->value()) return;
  Label32->setBackColor(Armed);
  dragsource = drag::Nothing;
  endVerticalText(*this);
  // The fill replaces colours of the picture as it stands now.
  Image6->setPicture(Picture1->image());
}

void Form1::Label38_Click() {
  if (Label34->caption() != QStringLiteral(" Normal")) {
    // A Grad or Stripes preview would hide the colours the flood must find; it lies in the
    // picture itself, which must not keep it once the style is Normal.
    endStylePreview();
    Picture1->Cls();
    if (gradChosen()) releaseTextHorizontal(Check16->value() == 1);
    Label34->setCaption(QStringLiteral(" Normal"));
    Label34->setBackColor(Idle);
    textsettings[7] = QString::number(Picture1->foreColor());
  }
  Option1_Click();
  if (isArmed(Label38)) {
    Label38->setBackColor(Idle);
    Picture1->setForeColor(savedforecolour);
    Label25->setBackColor(savedforecolour);
    return;
  }
  if (isArmed(Label32)) Label32_Click();
  // The dropped colours change the pen; the operator's own colour comes back when ColFill ends.
  savedforecolour = Picture1->foreColor();
  Picture1->Cls();
  dragsource = drag::Nothing;
  Command12_Click();
  Label38->setBackColor(Armed);
}

// One pass over the frame, with no window events let in, so nothing can run in the middle of it.
void Form1::patternfill() {
  Picture1->setDrawWidth(1);
  const QRgb target = colour::toQRgb(colourOf(textsettings[7]));
  const int firstRow = headerMode() ? HeaderFirstRow : 0;
  {
    PersistentDrawing persistent(Picture1);
    QImage& picture = Picture1->drawTarget();
    if (operationmarker == marker::ColourDrag)
      raster::patternfill(picture, target, colour::toQRgb(pickedcolour), firstRow);
    else
      raster::patternfill(picture, target, Picture2->image(), firstRow);
  }
  endVerticalText(*this);
  Label32->setBackColor(Idle);
  operationmarker = 0;
  Picture1->setMousePointer(0);
}

// The area of the colour under the drop point takes the dragged colour and is committed at once;
// a point outside the picture has no colour, and nothing is filled.
void Form1::colfillflood(double x, double y) {
  solidFlood(Picture1, colourOf(textsettings[7]), [&] { Picture1->ExtFloodFillSurface(x, y); });
  Picture1->commit();
  refreshCommittedCopy();
  Text1->setFocus();
}
