#include <cmath>
#include <optional>

#include "app/form1.h"
#include "canvas/canvaskit.h"
#include "platform/autoredraw.h"
#include "platform/colour.h"
#include "raster/blend.h"

using namespace colour::state;

namespace {

constexpr int RatioStep = 10;  // the slider's 1 .. 10 are 10 % .. 100 %
constexpr int Whole = 100;
// Where the overlay's key colour is read once the overlay has been laid.
constexpr QPoint KeyPoint(1, 1);

int whole(double v) { return int(std::nearbyint(v)); }

// What the blend mixes with the picture from before SET, and where: the picture with the insert
// over the insert's rectangle and one pixel more each way.
struct Ghost {
  QImage insert;
  QRect area;
  std::optional<QRgb> skip;
};

Ghost pictureInPicture(Form1& f, const QImage& before) {
  const QPoint from(whole(f.startx), whole(f.starty));
  const QPoint to(whole(f.startx + f.picinpicsize), whole(f.starty + f.picinpicsize * 4 / 5));
  f.Picture2->setPicture(before);
  return {f.Picture1->image(), QRect(from, to), std::nullopt};
}

// The laid overlay is copied into Picture2 at its place, and its pixels of the key colour are
// left out of the mix: the whole rectangle, its last row and column too.
Ghost overlay(Form1& f) {
  const double w = f.picinpicsize;
  const double h = f.picinpicsize * 4 / 5;
  {
    PersistentDrawing persistent(f.Picture2);
    f.Picture2->PaintPicture(f.Picture1->image(), f.startx, f.starty, w, h, f.startx, f.starty, w, h);
  }
  f.keycolour = f.Picture2->Point(KeyPoint.x(), KeyPoint.y());
  const QRect area(whole(f.startx), whole(f.starty), whole(w), whole(h));
  return {f.Picture2->image(), area, colour::toQRgb(f.keycolour)};
}

}  // namespace

void Form1::HScroll7_Change() {
  blendratio = HScroll7->value() * RatioStep;
  blendrest = Whole - blendratio;
}

void Form1::HScroll7_Scroll() { HScroll7_Change(); }

// No window events run while it works, so nothing can change the pictures in the middle of it.
void Form1::Label14_Click() {
  if (!canvaskit::insertMode(*this)) return;
  if (Check18->value() == 1 || Check19->value() == 1) return;
  Label14->setBackColor(Armed);
  blendoverlay();
  Label14->setBackColor(Idle);
}

// SET lays the insert for good; then the insert's place is mixed from the picture with it and the
// picture without it, blendratio to blendrest. OOPS takes the blend back to the picture without
// the insert.
void Form1::blendoverlay() {
  const QImage before = Picture1->picture();
  const bool pictureInPictureMode = Option7->value();
  Label26_Click();
  const Ghost ghost = pictureInPictureMode ? pictureInPicture(*this, before) : overlay(*this);
  QImage mixed = before;
  if (!raster::blendArea(mixed, ghost.insert, ghost.area, blendratio, ghost.skip)) {
    env.dialogs->MsgBox(QStringLiteral("Memory allocation error. Possible low on resources. May need reboot to clear."),
                        vb::OKOnly, QString());
    return;
  }
  Picture1->setPicture(mixed);
  pictureReplaced(before);
}
