#include <cmath>
#include <cstdint>

#include "app/form1.h"
#include "platform/autoredraw.h"

namespace {

// The copy's working bitmaps were sized by 16-bit numbers: a larger rectangle overflowed before
// anything was drawn, and no caller caught it, so such a copy draws nothing at all.
bool fitsSixteenBits(const QRect& from) {
  const std::int64_t w = std::int64_t(from.right()) - from.left() + 1;
  const std::int64_t h = std::int64_t(from.bottom()) - from.top() + 1;
  return w >= INT16_MIN && w <= INT16_MAX && h >= INT16_MIN && h <= INT16_MAX;
}

// Follow Mouse and 4 pics in 1 exclude each other; either click then selects Pic in Pic,
// whatever the new value.
void insertCheckClicked(Form1& f, CheckBox* clicked, CheckBox* other) {
  if (clicked->value() == 1) other->setValue(0);
  f.Text1->setFocus();
  f.Option7_Click();
}

}  // namespace

void Form1::transparentblit(PictureBox* destination, const QImage& source, const QRect& from, double x, double y,
                            long key) {
  if (!fitsSixteenBits(from)) return;
  destination->TransparentBlit(source, from, x, y, key);
}

void Form1::turntransparent() {
  if (picinpicsize > 319) {
    picinpicsize = 319;
    env.dialogs->MsgBox(QStringLiteral("Overlay is at max size allowable"), vb::OKOnly, QString());
  }
  const double height = picinpicsize * 4 / 5;
  const QRect from(QPoint(0, 0), QPoint(int(std::nearbyint(picinpicsize - 1)), int(std::nearbyint(height - 1))));
  PersistentDrawing persistent(Picture2);
  Picture2->PaintPicture(Picture2->picture(), 0, 0, picinpicsize, height);
  // The overlay's own corner pixel names its transparent colour.
  const long key = Picture2->Point(0, 0);
  transparentblit(Picture1, Picture2->image(), from, startx, starty, key);
}

void Form1::Check18_Click() { insertCheckClicked(*this, Check18, Check19); }

void Form1::Check19_Click() { insertCheckClicked(*this, Check19, Check18); }
