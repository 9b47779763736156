#include "app/codes.h"
#include "app/form1.h"
#include "canvas/canvaskit.h"
#include "platform/autoredraw.h"
#include "platform/colour.h"

using namespace canvaskit;

namespace {

// The file becomes a pending insert centred on the drop point.
void insertFile(Form1& f, double x, double y) {
  f.Image6->setPicture(f.PicbufVisible->picture());
  keepWorkingCopy(f, f.Image6->picture());
  f.Picture1->Cls();
  setInsertWidth(f, drag::ThumbnailInsertWidth);
  f.Text1->setFocus();
  f.Label26->setBackColor(colour::state::Armed);
  centreInsert(f, x, y);
  showInsertFromOutside(f);
}

// 4 pics in 1: the file is painted at once into the quarter that holds the drop point.
void fileInQuarter(Form1& f, double x, double y) {
  f.Image6->setPicture(f.PicbufVisible->picture());
  placeInQuarter(f, x, y);
  drawCommitted(f.Picture1, [&f] {
    f.Picture1->PaintPicture(f.Image6->picture(), f.startx, f.starty, f.picinpicsize, insert::QuarterHeight);
  });
}

// The file replaces the whole picture, fitted by the chosen fill mode, and is committed at once.
void fileAsPicture(Form1& f) {
  f.Picture13->setPicture(f.PicbufVisible->picture());
  const QImage frame = f.fitByFillMode(f.Picture13->picture(), f.Picture1->image().size());
  drawCommitted(f.Picture1, [&] { f.Picture1->PaintPicture(frame, 0, 0, frame.width(), frame.height()); });
  f.refreshCommittedCopy();
}

}  // namespace

// Only the first file is taken. One that cannot be read changes nothing and says why.
void Form1::Picture1_OLEDragDrop(const QStringList& files, double x, double y) {
  PicbufVisible->fileName = files.value(0);
  QString reason;
  if (!PicbufVisible->load(&reason)) {
    env.dialogs->MsgBox(QStringLiteral("Picture not loaded. ") + reason, vb::OKOnly, QStringLiteral("Load Image"));
    return;
  }
  dropStylePreview();
  keepBeforeCopy(*this, Picture1->image());
  if (insertMode(*this) && Check19->value() == 0) return insertFile(*this, x, y);
  if (fourInOne(*this)) return fileInQuarter(*this, x, y);
  fileAsPicture(*this);
}
