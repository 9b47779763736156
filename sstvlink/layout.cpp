#include "sstvlink/layout.h"

#include <algorithm>

#include "app/form1.h"
#include "canvas/canvaskit.h"
#include "platform/autoredraw.h"
#include "sstvlink/programs.h"

namespace {

// Resizes a working picture to the layout's width and repaints `source` stretched over all of it,
// then makes that the box's picture.
void repaintAtWidth(PictureBox* box, const QImage& source, const WindowLayout& layout) {
  box->setScaleSize(layout.pictureWidth, box->scaleHeight());
  box->move(layout.pictureLeft, box->y());
  drawCommitted(box, [&] { box->PaintPicture(source, 0, 0, layout.pictureWidth, pictureHeight); });
}

}  // namespace

const WindowLayout& Form1::windowLayout() const {
  const bool wide = std::ranges::any_of(
      sstvPrograms(), [this](const SstvProgram& p) { return p.widePicture && (this->*p.menu)->isChecked(); });
  return wide ? wideLayout : narrowLayout;
}

int Form1::frameWidth() const { return windowLayout().pictureWidth; }

void Form1::checkscreensize() {
  platform::DoEvents();
  const int width = frameWidth();
  Picture3->setScaleSize(width, Picture3->scaleHeight());
  drawCommitted(Picture3, [&] { Picture3->PaintPicture(Image6->picture(), 0, 0, width, pictureHeight); });
  Command12_Click();
  // The header maker works at the size it opened with; it is closed before the layout changes.
  if (headerMode()) {
    Text1->setFocus();
    return;
  }
  Image6->setPicture(Picture1->image());
  closeStripPanels();
  if (!Frame7->isHidden()) Picture1->setPicture(Image15->picture());

  const WindowLayout& layout = windowLayout();
  for (ImageBox* box : {Image2, Image3, Image4, Image5}) box->move(layout.thumbnailLeft, box->y());
  centralWidget()->setFixedWidth(layout.windowWidth);
  adjustSize();
  repaintAtWidth(Picture1, Image6->picture(), layout);
  placeImageBuffers();
  repaintAtWidth(Picture2, Picture2->picture(), layout);
  // The OOPS pictures of the other width start afresh: both are the picture as it is now.
  canvaskit::keepBeforeCopy(*this, Picture1->image());
  Image14->setPicture(Picture1->image());
  Image6->setPicture(layout.pictureWidth == wideLayout.pictureWidth ? Picture1->image() : Picture3->picture());

  if (!Frame2->isHidden()) reshowBrowsePage();
}
