#include "app/codes.h"
#include "app/form1.h"
#include "canvas/canvaskit.h"
#include "platform/autoredraw.h"
#include "platform/colour.h"
#include "platform/dragdrop.h"
#include "sstvlink/layout.h"

using colour::state::Armed;

namespace {

// A strip dropped on the picture's rows from here down goes to the bottom, above it to the top.
constexpr double StripAtBottomFrom = 200;

// The strip whose drag is under way is stamped across the whole width (stretched in the 340
// layout) and committed at once, without SET.
void placeHeaderStrip(Form1& f, double y, int width) {
  const int n = f.headerdrag;
  const int height = strip::height(n);
  const double top = y < StripAtBottomFrom ? 0 : pictureHeight - height;
  f.dropStylePreview();
  const QImage before = f.Picture1->image();
  drawCommitted(f.Picture1, [&] {
    f.Command12_Click();
    f.Picture1->PaintPicture(f.headerStrips[n]->picture(), 0, top, width, height);
  });
  f.pictureReplaced(before);
  f.headerdrag = strip::None;
}

// The main picture dragged with the right button and let go on itself: nothing was dropped.
void dropOnItself(Form1& f) { f.Command12_Click(); }

// Every later drop can be taken back by OOPS and starts from a picture without pending work;
// while a header is made OOPS is off, and its copy is left as it was.
void prepareDrop(Form1& f) {
  f.dropStylePreview();
  canvaskit::keepBeforeCopy(f, f.headerMode() ? f.Image13->picture() : f.Picture1->picture());
  f.Command12_Click();
}

// The colour under the drop point gives way to the dragged thumbnail, stretched over the frame,
// or to the dragged colour; a point outside the picture has no colour and fills nothing.
void patFilDrop(Form1& f, double x, double y) {
  const long target = f.Picture1->Point(x, y);
  if (target == PictureBox::NoColour) return;
  f.savedtext[1] = f.textsettings[7];
  f.textsettings[7] = QString::number(target);
  if (const ImageBox* thumbnail = canvaskit::draggedThumbnail(f)) {
    PersistentDrawing persistent(f.Picture2);
    f.Picture2->PaintPicture(thumbnail->picture(), 0, 0, f.frameWidth(), f.Picture2->scaleHeight());
  }
  f.patternfill();
  f.Picture1->commit();
  f.refreshCommittedCopy();
  f.textsettings[7] = f.savedtext[1];
}

// A thumbnail replaces the whole picture at once, fitted by the thumbnail rule.
void wholePictureThumbnail(Form1& f) {
  f.picturecorrectaspect();
  f.Text1->setFocus();
  f.refreshCommittedCopy();
}

// Nothing the picture knows was dropped: it is painted over itself and left pending.
void anyOtherDrop(Form1& f) {
  f.Label26->setBackColor(Armed);
  f.Picture1->Cls();
  drawCommitted(f.Picture1, [&f] { canvaskit::paintFullFrame(f, f.Picture1->picture()); });
  f.Text1->setFocus();
}

}  // namespace

// Each kind of drop is one branch, tested in this order; the first that holds ends the drop.
void Form1::Picture1_DragDrop(double x, double y) {
  rotationangle = 0;
  toolmarker = 0;
  const int width = frameWidth();
  if (headerdrag > strip::None) return placeHeaderStrip(*this, y, width);
  if (dragsource == drag::MainPicture) return dropOnItself(*this);
  prepareDrop(*this);
  if (Option1->value() && isArmed(Label38)) return colfillflood(x, y);
  if (Option1->value() && isArmed(Label32)) return patFilDrop(*this, x, y);
  if (dragsource == drag::ImportButton) return canvaskit::importDrop(*this, x, y);
  canvaskit::setInsertWidth(*this, drag::ThumbnailInsertWidth);
  if (canvaskit::insertMode(*this)) return canvaskit::dropInsert(*this, x, y);
  Picture1->currentX = x;
  startx = x;
  Picture1->currentY = y;
  starty = y;
  if (canvaskit::draggedThumbnail(*this)) return wholePictureThumbnail(*this);
  anyOtherDrop(*this);
}

// The fill tools show their pointer on what can be dragged to them; a dragged header strip shows
// its own icons, anything else the control named by dragsource.
void Form1::Picture1_DragOver(int state) {
  if (Option1->value()) {
    if (isArmed(Label32))
      for (QWidget* thumbnail : {Image2, Image3, Image4, Image5, Image8, Image9, Image10, Image11})
        platform::setDragIcon(thumbnail, Picture1->mouseIcon);
    if (isArmed(Label32) || isArmed(Label38))
      for (int n = 1; n <= 12; ++n) platform::setDragIcon(palette[n], Picture1->mouseIcon);
  }
  const bool stripDragged = headerdrag != strip::None;
  if (state == dragstate::Enter) stripDragged ? headericonon() : iconon();
  if (state == dragstate::Leave) stripDragged ? headericonoff() : iconoff();
}
