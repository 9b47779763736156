#include "app/codes.h"
#include "app/form1.h"
#include "canvas/canvaskit.h"
#include "platform/autoredraw.h"
#include "platform/colour.h"

using namespace canvaskit;

namespace {

// The middle of the frame: an overlay all of one colour there is a frame laid over the picture.
constexpr int MiddleRow = 128;
constexpr int FirstScannedColumn = 80, LastScannedColumn = 210;
constexpr int MiddleColumn = 165;
constexpr int FirstScannedRow = 90, LastScannedRow = 166;
// Where an ordinary overlay starts while a full-frame one is still pending.
constexpr double AfterFullFrameX = 100, AfterFullFrameY = 70;

bool allOfColour(const PictureBox* box, QPoint from, QPoint to, long key) {
  for (int x = from.x(); x <= to.x(); ++x)
    for (int y = from.y(); y <= to.y(); ++y)
      if (box->Point(x, y) != key) return false;
  return true;
}

// Tests whether the overlay in Image6, stretched over the frame in Picture2, is one colour along
// the middle row and column: then it is a frame for the whole picture, and fullframe says so.
bool testFullFrame(Form1& f) {
  f.Picture1->setDrawWidth(1);
  f.Picture2->setDrawWidth(1);
  f.Picture2->Cls();
  {
    PersistentDrawing persistent(f.Picture2);
    f.Picture2->PaintPicture(f.Image6->picture(), 0, 0, f.frameWidth(), f.Picture2->scaleHeight());
  }
  if (f.fullframe == 1) {
    f.startx = AfterFullFrameX;
    f.starty = AfterFullFrameY;
  }
  f.keycolour = f.Picture2->Point(KeyPoint.x(), KeyPoint.y());
  f.picinpicsize = drag::ThumbnailInsertWidth;
  const bool rowPlain =
      allOfColour(f.Picture2, {FirstScannedColumn, MiddleRow}, {LastScannedColumn, MiddleRow}, f.keycolour);
  const bool columnPlain =
      allOfColour(f.Picture2, {MiddleColumn, FirstScannedRow}, {MiddleColumn, LastScannedRow}, f.keycolour);
  f.fullframe = rowPlain && columnPlain ? 1 : 0;
  return f.fullframe == 1;
}

// The full-frame overlay is shown over the whole picture; SET commits it.
void layFullFrame(Form1& f) {
  showFullFrameOverlay(f);
  f.Text1->setFocus();
}

void layInsert(Form1& f) {
  if (f.Option6->value()) {
    f.Picture2->setPicture(f.Image6->picture());
    f.Picture1->setAutoRedraw(false);
  }
  showInsert(f);
}

}  // namespace

void canvaskit::dropInsert(Form1& f, double x, double y) {
  f.Label26->setBackColor(colour::state::Armed);
  f.Picture1->Cls();
  f.Picture1->currentX = x;
  f.Picture1->currentY = y;
  if (f.Check19->value() == 0 || f.Option6->value()) centreInsert(f, x, y);
  if (fourInOne(f)) placeInQuarter(f, x, y);
  if (const ImageBox* thumbnail = draggedThumbnail(f)) f.Image6->setPicture(thumbnail->picture());
  if (f.Option6->value() && testFullFrame(f)) return layFullFrame(f);
  if (followMouse(f)) {
    f.startx = f.Picture1->currentX - insert::FollowMouseWidth / 2;
    f.starty = f.Picture1->currentY - insert::FollowMouseWidth * 2 / 5;
    f.picinpicsize = insert::FollowMouseWidth;
  }
  if (!f.Frame7->isHidden()) setInsertWidth(f, f.picinpicsize);
  layInsert(f);
  if (fourInOne(f)) {
    f.Label26_Click();  // each quarter is committed as it lands
    f.Picture1->commit();
    f.Picture2->setPicture(f.Picture1->image());
  } else {
    keepWorkingCopy(f, f.Image6->picture());
  }
}
