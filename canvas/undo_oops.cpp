#include "app/codes.h"
#include "app/form1.h"
#include "canvas/canvaskit.h"
#include "platform/colour.h"

using namespace colour::state;

void Form1::emptyDrawnArea() {
  // Top below bottom and left right of right: the first stroke point sets every edge.
  miny = 256;
  maxy = 0;
  minx = 340;
  maxx = 0;
}

void Form1::refreshCommittedCopy() {
  if (!canvaskit::insertMode(*this)) Image6->setPicture(Picture1->image());
}

void Form1::pictureReplaced(const QImage& before) {
  canvaskit::keepBeforeCopy(*this, before);
  refreshCommittedCopy();
}

// The test is on styleapplied alone: a button of the mode group turns Text off before its own
// click runs, and the Text steps that a fill tool's toggle runs inside it find Text off as well.
void Form1::dropStylePreview() {
  if (styleapplied == 1) Picture1->setPicture(Image6->picture());
}

void Form1::endStylePreview() {
  dropStylePreview();
  styleapplied = 0;
}

void Form1::setNothingPending() {
  if (isArmed(Label26) && styleapplied == 1) {
    const QImage preview = Picture1->shown();
    const bool persistent = Picture1->autoRedraw();
    dropStylePreview();
    Picture1->setAutoRedraw(false);
    Picture1->PaintPicture(preview, 0, 0, preview.width(), preview.height());
    Picture1->setAutoRedraw(persistent);
  }
  Label26->setBackColor(SetIdle);
}

void Form1::Command12_Click() {
  Picture1->setMousePointer(0);
  if (dragsource == drag::PendingShape) {
    // Only the pending shape goes; style preview, box, picture font and Follow Mouse stay.
    dragsource = drag::Nothing;
    VScroll4->hide();
    Picture1->Cls();
    Label26->setBackColor(SetIdle);
    Combo1->setText(QStringLiteral("  Things"));
    Text1->setFocus();
    return;
  }
  if (Option1->value()) dropStylePreview();
  emptyDrawnArea();
  if (Option8->value() && isArmed(Label73) && isArmed(Label26)) {
    // The noise-line removal is still pending: bring back the picture from before it.
    Picture1->setPicture(Picture3->picture());
    Picture1->setMousePointer(0);
    Label26->setBackColor(SetIdle);
    return;
  }
  Picture1->Cls();
  Label26->setBackColor(SetIdle);
  endPictureFont(PictureFontEnd::FontAndTextMode);
  texttoplace = Text1->text();
  if (canvaskit::followMouse(*this)) Picture1->setPicture(Picture2->picture());
}

void Form1::Command31_Click() {
  if (isArmed(Label32)) {
    // Nothing PatFil does is pending: a fill is committed at once and disarms it. Only what is
    // not committed goes; the OOPS pair stays for OOPS once PatFil is off.
    Picture1->setPicture(Picture1->picture());
    refreshCommittedCopy();
    Text1->setFocus();
    return;
  }
  if (headerMode()) return;
  if (!Frame9->isHidden()) {
    Text1->setFocus();
    return;
  }
  rotationangle = 0;
  Picture1->Cls();
  Label26->setBackColor(SetIdle);
  Label32->setBackColor(Idle);
  Command12_Click();
  if (Command31->backColor() == OopsBefore) {
    Command31->setBackColor(OopsNormal);
    Picture1->setPicture(Image14->picture());
    Image6->setPicture(Image14->picture());
  } else if (Command31->backColor() == OopsNormal) {
    Image14->setPicture(Picture1->image());
    Command31->setBackColor(OopsBefore);
    Picture1->setPicture(Image13->picture());
    Image6->setPicture(Image13->picture());
  } else {
    return;
  }
  Picture2->setPicture(Image6->picture());
  Text1->setFocus();
}
