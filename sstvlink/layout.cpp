#include "app/form1.h"
#include "platform/autoredraw.h"

namespace {

// Window positions of the two layouts, in pixels. The wide picture grows 7 pixels to the left and
// 13 to the right, and the thumbnail boxes step right to stay beside it; the window widens by as
// much so that the strip is not cut off at its right edge.
struct Geometry {
  int pictureLeft;
  int thumbnailLeft;
  int windowWidth;
};
constexpr Geometry narrowLayout{192, 523, 630};
constexpr Geometry wideLayout{185, 530, 637};
constexpr int frameHeight = 256;

// Resizes a working picture to the frame width and repaints `source` stretched over all of it,
// then makes that the box's picture.
void repaintAtWidth(PictureBox* box, const QImage& source, int width, int left) {
  box->setScaleSize(width, box->scaleHeight());
  box->move(left, box->y());
  drawCommitted(box, [&] { box->PaintPicture(source, 0, 0, width, frameHeight); });
}

}  // namespace

void Form1::checkscreensize() {
  platform::DoEvents();
  int width = frameWidth();
  Picture3->setScaleSize(width, Picture3->scaleHeight());
  drawCommitted(Picture3, [&] { Picture3->PaintPicture(Image6->picture(), 0, 0, width, frameHeight); });
  Command12_Click();
  // The header maker works at the size it opened with; it is closed before the layout changes.
  if (headerMode()) {
    Text1->setFocus();
    return;
  }
  Image6->setPicture(Picture1->image());
  if (Command35->caption() == QLatin1String("Exit")) Command35_Click();
  if (Command37->caption() == QLatin1String("Exit")) Command37_Click();
  if (!Frame7->isHidden()) Picture1->setPicture(Image15->picture());

  width = frameWidth();
  const Geometry& g = width == 340 ? wideLayout : narrowLayout;
  for (ImageBox* box : {Image2, Image3, Image4, Image5}) box->move(g.thumbnailLeft, box->y());
  centralWidget()->setFixedWidth(g.windowWidth);
  adjustSize();
  repaintAtWidth(Picture1, Image6->picture(), width, g.pictureLeft);
  repaintAtWidth(Picture2, Picture2->picture(), width, g.pictureLeft);
  Image13->setPicture(Picture1->image());
  Image14->setPicture(Picture1->image());
  Image6->setPicture(width == 340 ? Picture1->image() : Picture3->picture());

  if (!Frame2->isHidden()) {
    // Next4 shows the page starting after the selection: step back one page to show it again.
    const int index = File1->currentRow() - 4;
    if (index >= -1) File1->setCurrentRow(index);
    Label13_Click();
  }
}
