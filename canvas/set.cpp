#include "app/codes.h"
#include "app/form1.h"
#include "canvas/canvaskit.h"
#include "platform/autoredraw.h"
#include "platform/colour.h"

using colour::state::Idle;
using colour::state::OopsNormal;
using colour::state::SetIdle;

namespace {

// Every finished path of SET brings the vertical-text spacing back into view.
void endSet(Form1& f) {
  if (f.isArmed(f.Label31)) f.VScroll3->show();
}

// The commit goes into whichever OOPS copy the canvas does not currently show.
void storeOopsCopy(Form1& f) {
  if (f.Command31->backColor() == OopsNormal)
    f.Image14->setPicture(f.Picture1->image());
  else
    f.Image13->setPicture(f.Picture1->image());
}

// A shape of the Things list is committed as the list's other entries are: OOPS takes it back.
void commitShape(Form1& f) {
  const QImage before = f.Picture1->picture();
  drawCommitted(f.Picture1, [&f] { f.Combo1_Click(); });
  f.pictureReplaced(before);
  f.Label26->setBackColor(SetIdle);
  f.Combo1->setText(QStringLiteral("  Things"));
  f.VScroll4->hide();
  f.dragsource = drag::Nothing;
  f.Text1->setFocus();
}

void commitOverlay(Form1& f) {
  const bool fullFrame = f.fullframe != 0;
  f.fullframe = 0;
  drawCommitted(f.Picture1, [&f, fullFrame] {
    if (fullFrame)
      canvaskit::showFullFrameOverlay(f);
    else
      f.turntransparent();
  });
  // Kept for OOPS as an insert is, also while OOPS shows the picture from before: the next press
  // would otherwise leave the overlay behind for good.
  if (!f.headerMode()) storeOopsCopy(f);
  f.Label26->setBackColor(SetIdle);
  if (fullFrame) f.Text1->setFocus();
}

// False when SET ends here; otherwise the closing steps of the text commit follow.
bool commitDrawing(Form1& f) {
  f.Label26->setBackColor(SetIdle);
  f.Picture1->commit();
  f.Text1->setFocus();
  if (f.Command31->backColor() == OopsNormal && !f.makeheader->isChecked()) {
    f.Image14->setPicture(f.Picture1->image());
    return true;
  }
  f.Image13->setPicture(f.Picture1->picture());
  return !f.isArmed(f.Label31);
}

void commitInsert(Form1& f) {
  const bool fourInOne = f.Check19->value() == 1;
  if (!fourInOne && f.rotationangle != 0) f.Image6->setPicture(f.Picture2->image());
  {
    PersistentDrawing persistent(f.Picture1);
    // Bigger and Smaller preview the insert a twentieth larger than picinpicsize says.
    if (f.picturefontmode == fontmode::Resized && f.rotationangle == 0) {
      f.picturefontmode = 0;
      f.picinpicsize += f.picinpicsize / 20;
    }
    if (fourInOne) f.picinpicsize = insert::QuarterWidth;
    if (f.Image6->hasPicture()) {
      if (fourInOne)
        f.Picture1->PaintPicture(f.Image6->picture(), f.startx, f.starty,
                                 f.frameWidth() == 340 ? insert::WideQuarterWidth : insert::QuarterWidth,
                                 insert::QuarterHeight);
      else
        f.Picture1->PaintPicture(f.Image6->picture(), f.startx, f.starty, f.picinpicsize, f.picinpicsize * 4 / 5);
    }
  }
  f.Text1->setFocus();
  f.dragsource = drag::Nothing;
  // While a header strip is made the insert stays in the drawing, uncommitted.
  if (!f.headerMode()) {
    storeOopsCopy(f);
    f.Picture1->commit();
  }
  f.Label26->setBackColor(SetIdle);
}

// The text commit; after a Draw commit it runs too, drawing nothing (SET is idle by then) but
// refreshing the copies, moving the anchor away and re-reading the text.
void commitText(Form1& f, bool afterDrawing) {
  const long pen = f.Picture1->foreColor();
  if (!afterDrawing && f.refusesRotatedStyle()) return;
  const QString savedColour = f.textsettings[7];
  // The committed text differs slightly from the preview, so the style tools can tell them apart.
  const long committed = f.jitteredColour(pen);
  f.Picture1->setForeColor(committed);
  f.textsettings[7] = QString::number(committed);
  {
    PersistentDrawing persistent(f.Picture1);
    f.Picture1->currentX = f.startx;
    f.Picture1->currentY = f.starty;
    if (f.Label34->backColor() == Idle) {
      f.printtext();
      f.Check17_Click();
      f.Check15_Click();
    } else {
      f.drawstyledtext();
    }
  }
  f.Label26->setBackColor(SetIdle);
  // The anchor leaves the picture, so a later redraw shows nothing until new text is placed.
  f.startx += 1000;
  f.starty += 1000;
  f.Picture1->commit();
  f.Image6->setPicture(f.Picture1->image());
  f.endPictureFont(PictureFontEnd::FontAndColouredTextMode);
  if (!f.headerMode()) storeOopsCopy(f);
  f.texttoplace = f.Text1->text();
  f.textangle = 0;
  // Image6 now holds the picture as shown, turned or not: the next turn starts from it afresh.
  f.rotationangle = 0;
  f.Picture1->setForeColor(canvaskit::wholeColour(savedColour));
  f.textsettings[7] = savedColour;
}

}  // namespace

void Form1::Label26_MouseDown(int, int, double, double) {
  // Follow Mouse ends with this press: the trail becomes the picture the next insert lands on.
  if (canvaskit::followMouse(*this)) {
    Picture2->setPicture(Picture1->image());
    Image6->clearPicture();
  }
}

void Form1::Label26_Click() {
  if (canvaskit::followMouse(*this)) {
    Label26->setBackColor(SetIdle);
    Text1->setFocus();
    return;
  }
  if (!isArmed(Label26)) return;
  if (isArmed(Label31)) VScroll3->hide();
  if (dragsource == drag::PendingShape) {
    commitShape(*this);
  } else {
    emptyDrawnArea();
    if (Option6->value())
      commitOverlay(*this);
    else if (Option8->value()) {
      if (!commitDrawing(*this)) return endSet(*this);
      commitText(*this, true);
    } else if (Option7->value())
      commitInsert(*this);
    else
      commitText(*this, false);
  }
  endSet(*this);
}
