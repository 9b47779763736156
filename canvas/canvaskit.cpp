#include "canvas/canvaskit.h"

#include "app/codes.h"
#include "app/form1.h"
#include "platform/autoredraw.h"
#include "platform/colour.h"
#include "sstvlink/layout.h"

namespace canvaskit {

long wholeColour(const QString& decimal) { return long(decimal.trimmed().toDouble()); }

const ImageBox* draggedThumbnail(const Form1& f) { return qobject_cast<const ImageBox*>(f.draggedControl()); }

void setInsertWidth(Form1& f, double width) {
  f.picinpicsize = width;
  if (f.makeheader->isChecked()) f.picinpicsize = insert::Header32Width;
  if (f.makeheader16->isChecked()) f.picinpicsize = insert::Header16Width;
}

void placeInQuarter(Form1& f, double x, double y) {
  f.startx = x < insert::QuarterWidth ? 0 : insert::QuarterWidth;
  f.starty = y < insert::QuarterHeight ? 0 : insert::QuarterHeight;
  double width = insert::QuarterWidth;
  if (f.frameWidth() == wideLayout.pictureWidth) {
    width = insert::WideQuarterWidth;
    if (f.startx > 0) f.startx = insert::WideQuarterWidth;
  }
  setInsertWidth(f, width);
}

bool insertMode(const Form1& f) { return f.Option7->value() || f.Option6->value(); }

bool followMouse(const Form1& f) { return f.Check18->value() == 1 && f.Option7->value(); }

bool fourInOne(const Form1& f) { return f.Check19->value() == 1 && f.Option7->value(); }

void centreInsert(Form1& f, double& x, double& y) {
  x -= f.picinpicsize / 2;
  f.startx = x;
  y -= f.picinpicsize / 2.5;
  f.starty = y;
}

void keepWorkingCopy(Form1& f, const QImage& source) {
  f.Picture2->setPicture(followMouse(f) ? f.Picture1->image() : source);
}

void endFixCol(Form1& f) {
  if (!f.isArmed(f.Label29)) return;
  f.Label29->setBackColor(colour::state::Idle);
  f.textsettings[7] = f.fixcolsaved;
}

void keepBeforeCopy(Form1& f, const QImage& before) {
  f.Image13->setPicture(before);
  f.Command31->setBackColor(colour::state::OopsNormal);
}

void paintFullFrame(Form1& f, const QImage& source) {
  f.Picture1->PaintPicture(source, 0, 0, f.frameWidth(), f.Picture1->scaleHeight());
}

void showFullFrameOverlay(Form1& f) {
  const QRect whole(0, 0, f.Picture1->scaleWidth(), f.Picture1->scaleHeight());
  f.Picture2->setPicture(f.Image6->picture());
  if (f.frameWidth() == wideLayout.pictureWidth)
    drawCommitted(f.Picture2, [&f] {
      f.Picture2->PaintPicture(f.Image6->picture(), 0, 0, wideLayout.pictureWidth, pictureHeight);
    });
  f.transparentblit(f.Picture1, f.Picture2->image(), whole, 0, 0, f.Picture2->Point(KeyPoint.x(), KeyPoint.y()));
}

void showInsert(Form1& f) {
  if (f.Option7->value())
    f.Picture1->PaintPicture(f.Image6->picture(), f.startx, f.starty, f.picinpicsize, f.picinpicsize * 4 / 5);
  else
    f.turntransparent();
}

void showInsertFromOutside(Form1& f) {
  showInsert(f);
  if (f.fullframe == 1) paintFullFrame(f, f.Image6->picture());
}

}  // namespace canvaskit
