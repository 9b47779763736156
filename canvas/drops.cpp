#include "app/codes.h"
#include "app/controlkit.h"
#include "platform/autoredraw.h"
#include "platform/droptarget.h"
#include "sstvlink/layout.h"

namespace {

// A strip dropped on the picture's rows from here down goes to the bottom, above it to the top.
constexpr double StripAtBottomFrom = 200;

// The strip whose drag is under way is stamped across the whole width (stretched in the 340
// layout) and committed at once, without SET.
void placeHeaderStrip(Form1& f, double y, int width) {
  const int n = f.headerdrag;
  const int height = strip::height(n);
  const double top = y < StripAtBottomFrom ? 0 : pictureHeight - height;
  f.Image13->setPicture(f.Picture1->image());
  {
    PersistentDrawing persistent(f.Picture1);
    f.Command12_Click();
    f.Picture1->PaintPicture(f.headerStrips[n]->picture(), 0, top, width, height);
  }
  f.Picture1->commit();
  f.Image6->setPicture(f.Picture1->image());
  f.headerdrag = strip::None;
}

// The main picture dragged with the right button and let go on itself: nothing was dropped.
void dropOnItself(Form1& f) { f.Command12_Click(); }

}  // namespace

// Each kind of drop is one branch, tested in this order; the first that holds ends the drop.
void Form1::Picture1_DragDrop(double, double y) {
  rotationangle = 0;
  toolmarker = 0;
  const int width = frameWidth();
  if (headerdrag > strip::None) return placeHeaderStrip(*this, y, width);
  if (dragsource == drag::MainPicture) return dropOnItself(*this);
}

void Form1::Picture1_DragOver(double, double, int state) {
  switch (state) {
    case platform::DragEnter:
      if (headerdrag != strip::None) headericonon();
      break;
    case platform::DragLeave:
      if (headerdrag != strip::None) headericonoff();
      break;
    default:
      break;
  }
}

void wireCanvasDrops(Form1& f) {
  platform::takeDrops(
      f.Picture1, QString::fromLatin1(Form1::dragSourceMime),
      [&f](double x, double y, int state) { f.Picture1_DragOver(x, y, state); },
      [&f](double x, double y) { f.Picture1_DragDrop(x, y); });
}
