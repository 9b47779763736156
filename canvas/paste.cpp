#include "app/codes.h"
#include "app/form1.h"
#include "canvas/canvaskit.h"
#include "platform/autoredraw.h"
#include "platform/colour.h"
#include "raster/fit.h"

using namespace canvaskit;
using colour::state::Armed;
using colour::state::SetIdle;

namespace {

// A pasted insert is centred here in both layouts.
constexpr double PasteCentreX = 160, PasteCentreY = 128;

// The picture from outside becomes the picture, stretched over the frame, committed at once.
void replacePicture(Form1& f, const QImage& picture) {
  f.Picture1->Cls();
  f.Picture1->setPicture(picture);
  drawCommitted(f.Picture1, [&] { paintFullFrame(f, picture); });
  f.refreshCommittedCopy();
}

void pasteInsert(Form1& f, const QImage& pasted) {
  f.dragsource = drag::Nothing;
  f.Picture1->Cls();
  f.Image6->setPicture(pasted);
  keepWorkingCopy(f, raster::stretchedFrame(pasted, f.frameWidth()));
  f.Label26->setBackColor(Armed);
  f.startx = PasteCentreX - f.picinpicsize / 2;
  f.starty = PasteCentreY - f.picinpicsize * 2 / 5;
  showInsert(f);
}

void importInsert(Form1& f, const QImage& imported, double x, double y) {
  f.Picture1->Cls();
  setInsertWidth(f, drag::ThumbnailInsertWidth);
  f.Text1->setFocus();
  f.Label26->setBackColor(Armed);
  keepWorkingCopy(f, imported);
  f.Image6->setPicture(imported);
  centreInsert(f, x, y);
  showInsertFromOutside(f);
}

}  // namespace

void Form1::Command7_MouseDown(int, int, double, double) {
  if (isArmed(Label38)) Label38_Click();
}

// Paste reads the clipboard and never changes it. Until a picture is found nothing else changes.
void Form1::Command7_Click() {
  const QImage pasted = env.clipboard->picture();
  if (pasted.isNull()) {
    env.dialogs->MsgBox(QStringLiteral("Nothing in Clipboard."), vb::OKOnly, QString());
    Text1->setFocus();
    return;
  }
  Text1->setFocus();
  rotationangle = 0;
  dropStylePreview();
  keepBeforeCopy(*this, Picture1->image());
  if (insertMode(*this)) return pasteInsert(*this, pasted);
  replacePicture(*this, pasted);
  Label26->setBackColor(SetIdle);
}

// The chosen program copies its picture to the clipboard; the import keeps everything the
// operator had there and puts it back whatever happens.
void canvaskit::importDrop(Form1& f, double x, double y) {
  f.dragsource = drag::Nothing;
  QImage imported;
  const bool reached = f.importfromprogram([&imported](const QImage& picture) { imported = picture; });
  f.Text1->setFocus();
  if (!reached) return;
  if (imported.isNull()) {
    f.env.dialogs->MsgBox(QStringLiteral("Nothing to get."), vb::OKOnly, QString());
    return;
  }
  if (insertMode(f)) return importInsert(f, imported, x, y);
  replacePicture(f, imported);
}
