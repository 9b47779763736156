#include <QSignalBlocker>
#include <cmath>

#include "app/codes.h"
#include "app/form1.h"
#include "canvas/canvaskit.h"
#include "imaging/exclusive_run.h"
#include "platform/colour.h"

using colour::state::Idle;

namespace {

// The values the panel opens with; they leave the picture exactly as it is.
constexpr double kNeutralBrightness = 0.5;
constexpr double kNeutralContrast = 0.5;
constexpr double kNeutralGamma = 5.0;
constexpr int kSliderMiddle = 50;

enum Processor { Brightness = 0, Contrast = 1, Gamma = 2 };

// How the slider stands for each choice: its lowest value, and the scale from parameter to value.
struct SliderScale {
  int min;
  double perUnit;
};
constexpr SliderScale kScales[] = {{0, 100}, {0, 100}, {10, 10}};

// The two display settings the panel gives the shown buffer when it opens.
constexpr int kShownProperty38 = 2;
constexpr int kShownProperty145 = 5;

int chosenProcessor(const Form1& f) {
  for (int i = 0; i < int(f.optProcessor.size()); ++i)
    if (f.optProcessor[i]->value()) return i;
  return -1;
}

// Raises or lowers the slider's Min without a change event; true when that moved the value.
// Raising it past the value would otherwise apply the new choice at the clamped value and store
// that parameter before the stored one is shown.
bool setSliderMin(ScrollBar* slider, int min) {
  const int before = slider->value();
  const QSignalBlocker quiet(slider);
  slider->setMinimum(min);
  return slider->value() != before;
}

void resetParameters(Form1& f) {
  f.brightnessvalue = kNeutralBrightness;
  f.contrastvalue = kNeutralContrast;
  f.gammavalue = kNeutralGamma;
}

void loadBuffers(Form1& f, std::initializer_list<PicBuf*> order) {
  for (PicBuf* buffer : order) buffer->setPicture(f.Picture1->image());
}

void closePanel(Form1& f) {
  f.Frame9->hide();
  f.PicbufVisible->hide();
  f.Text1->setFocus();
}

void openPanel(Form1& f) {
  if (canvaskit::insertMode(f)) f.Option1_Click();
  platform::DoEvents();
  f.Label24->setBackColor(Idle);
  if (!f.Frame7->isHidden()) f.Command36_Click();
  f.placeImageBuffers();
  f.Command12_Click();
  loadBuffers(f, {f.PicbufOriginal, f.PicbufEdit, f.PicbufVisible});
  resetParameters(f);
  f.HScroll6->setValueChecked(kSliderMiddle);
  f.operationmarker = marker::AdjustPanel;
  f.PicbufVisible->property38 = kShownProperty38;
  f.PicbufVisible->property145 = kShownProperty145;
  f.PicbufVisible->show();
  f.Frame9->show();
  f.Text1->setFocus();
}

}  // namespace

void Form1::placeImageBuffers() {
  const QRect drawingArea = Picture1->drawingArea().translated(Picture1->pos());
  for (PicBuf* buffer : {PicbufVisible, PicbufOriginal, PicbufEdit}) buffer->setGeometry(drawingArea);
}

void Form1::Command13_Click() {
  const ExclusiveRun run(*this);
  if (run.started()) toggleAdjustPanel();
}

void Form1::toggleAdjustPanel() {
  if (!Frame2->isHidden()) Command20_Click();
  Label24->setBackColor(Idle);
  closeStripPanels();
  // Closing this way keeps nothing of the adjustments.
  if (!Frame9->isHidden())
    closePanel(*this);
  else
    openPanel(*this);
}

// Every adjustment starts from the base picture, so moves of the slider never accumulate.
void Form1::HScroll6_Change() {
  const double value = HScroll6->value();
  switch (chosenProcessor(*this)) {
    case Brightness:
      brightnessvalue = value / kScales[Brightness].perUnit;
      PicbufEdit->brightnessContrast(brightnessvalue, contrastvalue);
      break;
    case Contrast:
      contrastvalue = value / kScales[Contrast].perUnit;
      PicbufEdit->brightnessContrast(brightnessvalue, contrastvalue);
      break;
    case Gamma:
      gammavalue = value / kScales[Gamma].perUnit;
      PicbufEdit->gamma(gammavalue);
      break;
  }
  // The adjusted picture went to the shown buffer through the change event; putting the base
  // back raises that event once more, which is swallowed.
  skipbufevent = true;
  PicbufEdit->setPicture(PicbufOriginal->picture());
}

void Form1::optProcessor_Click(int index) {
  const ExclusiveRun run(*this);
  if (!run.started()) return;
  const double stored[] = {brightnessvalue, contrastvalue, gammavalue};
  const bool clamped = setSliderMin(HScroll6, kScales[index].min);
  const int before = HScroll6->value();
  HScroll6->setValueChecked(int(std::nearbyint(stored[index] * kScales[index].perUnit)));
  // When the quiet clamp already put the slider where the stored value is, it is applied here.
  if (clamped && HScroll6->value() == before) HScroll6_Change();
}

void Form1::PicbufEdit_Change() {
  if (skipbufevent)
    skipbufevent = false;
  else
    PicbufVisible->setPicture(PicbufEdit->picture());
}

// Filters act on the shown picture and make it the new base, so a later slider move applies on
// top of both. Dejag runs Sharpen and Soften with the panel closed.
void Form1::filterVisibleBuffer(const std::function<bool(PicBuf&)>& filter) {
  const ExclusiveRun run(*this);
  if (!run.started()) return;
  filter(*PicbufVisible);
  PicbufOriginal->setPicture(PicbufVisible->picture());
  PicbufEdit->setPicture(PicbufVisible->picture());
  Text1->setFocus();
}

void Form1::Command39_Click() {
  filterVisibleBuffer([this](PicBuf& b) { return b.sharpen(sharpenamount); });
}
void Form1::Command41_Click() {
  filterVisibleBuffer([this](PicBuf& b) { return b.soften(softenamount); });
}
void Form1::Command42_Click() {
  filterVisibleBuffer([](PicBuf& b) { return b.grey(); });
}
void Form1::Command43_Click() {
  filterVisibleBuffer([](PicBuf& b) { return b.negative(); });
}

void Form1::resetprocessing() {
  HScroll6->setValueChecked(kSliderMiddle);
  resetParameters(*this);
}

void Form1::Command40_Click() {
  const ExclusiveRun run(*this);
  if (!run.started()) return;
  resetprocessing();
  // The main picture is still the one the panel opened with.
  loadBuffers(*this, {PicbufVisible, PicbufEdit, PicbufOriginal});
  Text1->setFocus();
}

void Form1::Command38_Click() {
  const ExclusiveRun run(*this);
  if (run.started()) acceptAdjustedPicture();
}

// OOPS takes the adjustment back: the main picture is still the one the panel opened with.
void Form1::acceptAdjustedPicture() {
  const QImage before = Picture1->image();
  Picture1->setPicture(PicbufVisible->picture());
  Picture1->commit();
  pictureReplaced(before);
  PicbufVisible->hide();
  Frame9->hide();
  toolmarker = 0;
  turndirection = 0;
  rotationangle = 0;
  operationmarker = 0;
  Text1->setFocus();
}
