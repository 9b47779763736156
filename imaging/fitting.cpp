#include <algorithm>

#include "app/form1.h"
#include "platform/autoredraw.h"
#include "platform/colour.h"
#include "raster/fit.h"

using namespace colour::state;

namespace {

// The fill modes in the order their labels are tested.
struct FillMode {
  LabelButton* Form1::*label;
  raster::Fit fit;
};
constexpr FillMode FillModes[] = {
    {&Form1::Label70, raster::Fit::Correct}, {&Form1::Label71, raster::Fit::Spread}, {&Form1::Label72, raster::Fit::Stretch}};

// The fill mode whose label is selected (the labels keep exactly one so); null for none.
const FillMode* chosenFillMode(const Form1& f) {
  const auto chosen = std::find_if(std::begin(FillModes), std::end(FillModes),
                                   [&f](const FillMode& m) { return (f.*m.label)->backColor() == Selected; });
  return chosen != std::end(FillModes) ? chosen : nullptr;
}

// Replaces the box's persistent image by `frame`, drawn at its own size.
void drawFrame(PictureBox* box, const QImage& frame) { box->PaintPicture(frame, 0, 0, frame.width(), frame.height()); }

}  // namespace

void Form1::Label70_Click() { fillModeClick(Label70); }
void Form1::Label71_Click() { fillModeClick(Label71); }
void Form1::Label72_Click() { fillModeClick(Label72); }

// The mode never changes while icons are shown; the same page is shown again in the new mode.
void Form1::fillModeClick(LabelButton* chosen) {
  if (Label43->backColor() == Selected) return;
  for (const FillMode& m : FillModes) (this->*m.label)->setBackColor(this->*m.label == chosen ? Selected : Idle);
  platform::DoEvents();
  reshowBrowsePage();
}

QImage Form1::fitByFillMode(const QImage& source, QSize size) const {
  const int w = frameWidth();
  QImage frame(size, QImage::Format_RGB32);
  frame.fill(Qt::black);
  if (const FillMode* chosen = chosenFillMode(*this))
    raster::stretchPaint(frame, source, raster::fitRect(chosen->fit, source.size(), w));
  return frame;
}

void Form1::olepicturesize() {
  Picture13->setPicture(PicbufVisible->picture());
  const QImage frame = fitByFillMode(Picture13->picture(), Picture2->image().size());
  drawCommitted(Picture2, [&] { drawFrame(Picture2, frame); });
}

// With no mode chosen the frame shows only the background.
void Form1::imagecorrectaspect() {
  const QImage& source = Picture13->picture();
  const int w = frameWidth();
  const QRgb background = raster::nearestPixel(source, 1, 1);
  QImage frame = Picture2->image();
  if (const FillMode* chosen = chosenFillMode(*this))
    raster::fitPicture(frame, source, chosen->fit, w, background);
  else
    frame.fill(background);
  PersistentDrawing persistent(Picture2);
  drawFrame(Picture2, frame);
}

// A thumbnail without pixels leaves the main picture as it is.
void Form1::picturecorrectaspect() {
  const auto* thumbnail = qobject_cast<const ImageBox*>(draggedControl());
  if (!thumbnail || thumbnail->picture().width() <= 0 || thumbnail->picture().height() <= 0) return;
  Picture13->setPicture(thumbnail->picture());
  QImage frame = Picture1->image();
  raster::fitPicture(frame, Picture13->picture(), raster::Fit::Thumbnail, frameWidth(), qRgb(0, 0, 0));
  drawCommitted(Picture1, [&] { drawFrame(Picture1, frame); });
}
