#include <algorithm>
#include <cmath>

#include "app/codes.h"
#include "app/form1.h"
#include "canvas/canvaskit.h"
#include "platform/colour.h"

namespace {

enum class Step { Bigger = 1, Smaller = -1 };

// A step is a fixed amount and a share of the size: an insert's width 4 and a twentieth, a text
// size 1 and a fortieth; a shape's radius goes by a ninth. Text sizes keep four decimal places.
constexpr double InsertUnit = 4, InsertShare = 20;
constexpr double TextUnit = 1, TextShare = 40;
constexpr double ShapeGrowth = 10.0 / 9.0;
constexpr double FontSizeScale = 10000;
// The smallest insert Smaller leaves, and the smallest text size it still shrinks.
constexpr double SmallestInsert = 1;
constexpr double SmallestFontSize = 2;

double sign(Step step) { return double(int(step)); }

double stepped(double size, Step step, double unit, double share) { return size + sign(step) * (unit + size / share); }

bool refused(const Form1& f) {
  const bool fullFrameOverlay = f.Option6->value() && f.fullframe == 1;
  return f.Check18->value() == 1 || fullFrameOverlay || f.Label26->backColor() == colour::state::SetIdle;
}

void resizeShape(Form1& f, Step step) {
  f.Picture1->Cls();
  f.shaperadius *= step == Step::Bigger ? ShapeGrowth : 1 / ShapeGrowth;
  f.drawThingsShape(f.startx, f.starty);
}

// The insert keeps its middle across: the anchor moves by half the change of width. The preview
// is a twentieth wider than picinpicsize, as SET then commits it.
void resizeInsert(Form1& f, Step step) {
  f.picturefontmode = fontmode::Resized;
  f.Picture1->Cls();
  const double before = f.picinpicsize;
  f.picinpicsize = std::max(stepped(before, step, InsertUnit, InsertShare), SmallestInsert);
  const double shift = (f.picinpicsize - before) / 2;
  f.startx -= shift;
  f.starty -= shift;
  if (f.Option6->value()) {
    f.turntransparent();
  } else {
    const double shown = f.picinpicsize + f.picinpicsize / InsertShare;
    f.Picture1->PaintPicture(f.Picture2->picture(), f.startx, f.starty, shown, shown * 4 / 5);
  }
  f.Text1->setFocus();
}

void resizeText(Form1& f, Step step) {
  TextFont& font = f.Picture1->font;
  if (step == Step::Smaller && font.size < SmallestFontSize) return;
  font.size = std::round(stepped(font.size, step, TextUnit, TextShare) * FontSizeScale) / FontSizeScale;
  f.lineheight += sign(step) * (TextUnit + font.size / TextShare);
  double setting = 0;
  readsAsNumber(f.textsettings[9], &setting);
  f.textsettings[9] = QString::number(stepped(setting, step, TextUnit, TextShare));
  if (f.styleapplied == 1) return f.Label36_Click();
  f.Picture1->Cls();
  f.Picture1->currentX = f.startx;
  f.Picture1->currentY = f.starty;
  f.printtext();
  f.Check15_Click();
  f.Check17_Click();
  f.Text1->setFocus();
}

void resizePending(Form1& f, Step step) {
  if (refused(f)) return f.Text1->setFocus();
  if (Form1::isThingsShape(f.Combo1->text())) return resizeShape(f, step);
  if (canvaskit::insertMode(f)) return resizeInsert(f, step);
  resizeText(f, step);
}

}  // namespace

void Form1::Command6_MouseDown(int, int, double, double) { resizePending(*this, Step::Bigger); }

void Form1::Command10_MouseDown(int, int, double, double) { resizePending(*this, Step::Smaller); }
