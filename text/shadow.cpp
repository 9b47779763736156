#include <optional>

#include "app/form1.h"
#include "platform/colour.h"
#include "raster/extrude.h"

namespace {

using raster::ShadowSide;

// The colour of copy i of D in a graded shadow: base + (Int(i x 36 / D) + 1) x 64000.
long gradedColour(int i, int depth, long base) {
  return colour::fromQRgb(raster::gradedShade(i, depth, colour::toQRgb(base)));
}

// Base colours of the graded shadow by HScroll5's value; 0 for a value outside 1..5.
long shadowBaseFor(int value) {
  switch (value) {
    case 1: return colour::rgb(255, 0, 0);
    case 2: return colour::rgb(0, 255, 0);
    case 3: return colour::rgb(10, 0, 187);
    case 4: return colour::rgb(234, 235, 214);
    case 5: return colour::rgb(255, 255, 128);
    default: return 0;
  }
}

// Each step moves the anchor FontSize / 60 back towards the text.
void stepAnchor(Form1& f, QPoint direction) {
  const double s = f.Picture1->font.size / 60.0;
  f.startx += direction.x() * s;
  f.starty += direction.y() * s;
}

void stepAnchor(Form1& f, ShadowSide side) { stepAnchor(f, raster::shadowStep(side)); }

std::optional<QPoint> chosenDirection(const Form1& f) {
  if (f.Option2->value()) return raster::shadowStep(ShadowSide::AboveLeft);
  if (f.Option3->value()) return raster::shadowStep(ShadowSide::AboveRight);
  if (f.Option4->value()) return raster::shadowStep(ShadowSide::BelowLeft);
  if (f.Option5->value()) return raster::shadowStep(ShadowSide::BelowRight);
  return std::nullopt;
}

bool inTextModeWithPendingText(const Form1& f) { return f.Option1->value() && f.isArmed(f.Label26); }

}  // namespace

void Form1::Option2_Click() { stepAnchor(*this, ShadowSide::AboveLeft); }
void Form1::Option3_Click() { stepAnchor(*this, ShadowSide::AboveRight); }
void Form1::Option4_Click() { stepAnchor(*this, ShadowSide::BelowLeft); }
void Form1::Option5_Click() { stepAnchor(*this, ShadowSide::BelowRight); }

void Form1::Check17_Click() {
  if (!isArmed(Label26)) return;
  if (Option8->value() || Option7->value() || Check17->value() == 0 || Check16->value() == 1) return;
  const long keptfore = Picture1->foreColor();
  const double keptx = startx;
  const double kepty = starty;
  Picture1->setForeColor(shadowcolour);

  // Start at the far end, against the step, so that D steps lead back to the text.
  const int depth = shadowdepth.toInt();
  const std::optional<QPoint> direction = chosenDirection(*this);
  if (direction) {
    const double far = Picture1->font.size * depth / 60.0;
    startx -= direction->x() * far;
    starty -= direction->y() * far;
  }

  // The farthest copy first; the last one lies exactly under the text. The copies are drawn
  // together, each pixel once, rather than the text hundreds of times over itself.
  {
    PictureBox::PrintBatch copies(*Picture1);
    for (operationmarker = depth; operationmarker >= 1; --operationmarker) {
      if (gradedshadow == 1) Picture1->setForeColor(gradedColour(operationmarker, depth, shadowbase));
      if (direction) stepAnchor(*this, *direction);
      Picture1->currentX = startx;
      Picture1->currentY = starty;
      printtext();
    }
  }
  operationmarker = 0;

  Picture1->currentX = startx;
  Picture1->currentY = starty;
  startx = keptx;
  starty = kepty;
  Picture1->setForeColor(keptfore);
  printtext();  // the text in its own colour on top
  startx = keptx;
  starty = kepty;
  Check15_Click();
}

void Form1::Check17_MouseUp(int, int, double, double) { effectBoxMouseUp(Check17, &Form1::Check15_Click); }

void Form1::OptionDirection_MouseUp(int, int, double, double) {
  if (isArmed(Label26) && styleapplied == 1) {
    Label36_Click();
    return;
  }
  if (isArmed(Label26) && Check17->value() == 1) {
    Picture1->Cls();
    Check17_Click();
  }
  Text1->setFocus();
}

void Form1::VScroll1_Change() {
  shadowdepth = VScroll1->value() * VScroll1->value();
  Picture1->Cls();
  if (!isArmed(Label26)) return;
  if (styleapplied == 1)
    Label36_Click();
  else
    Check17_Click();
}

void Form1::Text13_MouseDown(int button, int, double, double) {
  Text1->setFocus();
  if (button == 1) {
    if (Text13->backColor() == colour::state::Armed) {
      Text13->setBackColor(colour::state::Idle);
      gradedshadow = 0;
      Text13->setText(QStringLiteral(" Off"));
      if (inTextModeWithPendingText(*this)) {
        if (styleapplied == 1)
          Label36_Click();
        else
          printShadowOutline();
      }
      return;
    }
    if (Text13->backColor() == colour::state::Idle) {
      gradedSwitchOn();
      if (inTextModeWithPendingText(*this)) printShadowOutline();
    }
  }
  if (!Option1->value()) return;
  takeShadowBase();
  if (styleapplied == 1) {
    Label36_Click();
  } else if (isArmed(Label26)) {
    printShadowOutline();
  }
}

void Form1::HScroll5_Change() {
  if (Text13->text() == QLatin1String(" Off")) {
    Text1->setFocus();
    return;
  }
  const bool on = Text13->backColor() == colour::state::Armed;
  if (on) Text13->setText(QLatin1Char(' ') + QString::number(HScroll5->value()));
  if (Option1->value() && on) {
    takeShadowBase();
    platform::DoEvents();
    if (isArmed(Label26)) printShadowOutline();
  }
  if (styleapplied == 1)
    Label36_Click();
  else
    Text1->setFocus();
}

void Form1::gradedSwitchOn() {
  Text13->setBackColor(colour::state::Armed);
  gradedshadow = 1;
  Text13->setText(QLatin1Char(' ') + QString::number(HScroll5->value()));
}

void Form1::takeShadowBase() {
  const long base = shadowBaseFor(HScroll5->value());
  if (base != 0) shadowbase = base;
}
