#include "app/codes.h"
#include "app/form1.h"
#include "platform/autoredraw.h"
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
// Still to come, after the OOPS copy and the Undo they share: ColFill, PatFil, the import, a
// pending insert, a thumbnail fitted to the whole picture, and any other drop.
void Form1::Picture1_DragDrop(double, double y) {
  rotationangle = 0;
  toolmarker = 0;
  const int width = frameWidth();
  if (headerdrag > strip::None) return placeHeaderStrip(*this, y, width);
  if (dragsource == drag::MainPicture) return dropOnItself(*this);
}

// A dragged header strip shows its own icons; anything else is the control named by dragsource.
void Form1::Picture1_DragOver(int state) {
  const bool stripDragged = headerdrag != strip::None;
  if (state == dragstate::Enter) stripDragged ? headericonon() : iconon();
  if (state == dragstate::Leave) stripDragged ? headericonoff() : iconoff();
}

// A picture file dropped from the desktop: not taken yet, so it changes nothing.
void Form1::Picture1_OLEDragDrop(const QStringList&, double, double) {}
