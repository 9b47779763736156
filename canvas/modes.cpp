#include "app/codes.h"
#include "app/form1.h"
#include "canvas/canvaskit.h"
#include "platform/colour.h"

using canvaskit::colourModeButtons;
using namespace colour::state;

namespace {

// The frame of the chosen mode's tool group stands out (draw mode 14); the others draw plainly.
void frameModeGroup(Form1& f, int draw, int text, int inserts) {
  f.Shape1->setDrawMode(draw);
  f.Shape2->setDrawMode(text);
  f.Shape3->setDrawMode(inserts);
}

void endFillTools(Form1& f) {
  if (f.isArmed(f.Label32)) f.Label32_Click();
  if (f.isArmed(f.Label38)) f.Label38_Click();
}

// Clearing a set box raises its click, which passes through Pic in Pic before the caller goes on.
void clearInsertChecks(Form1& f) {
  f.Check18->setValue(0);
  f.Check19->setValue(0);
}

}  // namespace

void canvaskit::colourModeButtons(Form1& f, OptionButton* chosen) {
  for (OptionButton* o : {f.Option1, f.Option6, f.Option7, f.Option8}) o->setBackColor(o == chosen ? ModeChosen : Off);
  f.Text6->setBackColor(chosen == f.Option8 ? ModeChosen : Off);
}

void Form1::endPictureFont(PictureFontEnd how) {
  if (picturefontmode != fontmode::PictureFont) return;
  picturefontmode = 0;
  if (how == PictureFontEnd::FontAndColouredTextMode) Option1->setBackColor(ModeChosen);
  if (how >= PictureFontEnd::FontAndTextMode) Option1->setValue(true);
  if (how != PictureFontEnd::SizeOnly) Picture1->font.name = textFont().family();
  double size = 0;
  // An empty or unreadable size is no size: the font stays as it is.
  if (!readsAsNumber(normalfontsize, &size) || size <= 0) return;
  Picture1->font.size = size;
  Picture1->font.pixelHeight = 0;
}

void Form1::Option1_Click() {
  Label73->setBackColor(Idle);
  clearInsertChecks(*this);
  rotationangle = 0;
  textangle = 0;
  if (Label34->caption() == QStringLiteral("  Grad") || Label34->caption() == QStringLiteral(" Stripes")) {
    // A styled text already pending is a preview over the clean picture: it goes, and the clean
    // picture, not the preview, is what later previews and Undo rebuild from.
    dropStylePreview();
    styleapplied = 1;
    Image6->setPicture(Picture1->image());
  }
  canvaskit::endFixCol(*this);
  endPictureFont(PictureFontEnd::Font);
  Label26->setBackColor(SetIdle);
  Picture1->Cls();
  if (Check18->value() == 0 && !Option6->value() && !Option7->value()) Command12_Click();
  Image6->setPicture(Picture1->picture());
  frameModeGroup(*this, 13, 14, 13);
  Option6->setValue(false);
  Option7->setValue(false);
  colourModeButtons(*this, Option1);
  Option1->setValue(true);
}

void Form1::Option1_MouseUp(int, int, double, double) { Label32->setBackColor(Idle); }

void Form1::Option6_Click() {
  endFillTools(*this);
  rotationangle = 0;
  endStylePreview();
  clearInsertChecks(*this);
  Label73->setBackColor(Idle);
  Label32->setBackColor(Idle);
  canvaskit::endFixCol(*this);
  // Overlays alone keeps the picture font's name on the picture.
  endPictureFont(PictureFontEnd::SizeOnly);
  frameModeGroup(*this, 13, 13, 14);
  colourModeButtons(*this, Option6);
  Command12_Click();
  Option8->setValue(false);
  Option1->setValue(false);
  Option6->setValue(true);
}

void Form1::Option7_Click() {
  endFillTools(*this);
  rotationangle = 0;
  endStylePreview();
  canvaskit::endFixCol(*this);
  endPictureFont(PictureFontEnd::Font);
  Picture2->setPicture(Picture1->picture());
  frameModeGroup(*this, 13, 13, 14);
  colourModeButtons(*this, Option7);
  Command12_Click();
  Option1->setValue(false);
  Option8->setValue(false);
  Option7->setValue(true);
}

void Form1::Option8_Click() {
  endFillTools(*this);
  rotationangle = 0;
  endStylePreview();
  Image6->setPicture(Picture1->image());
  if (!Option6->value() && !Option7->value()) Command12_Click();
  clearInsertChecks(*this);
  Label32->setBackColor(Idle);
  Option8->setValue(true);
  HScroll1->setValueChecked(3);
  Text6->setText(QString::number(HScroll1->value()));
  HScroll1_Change();
  endPictureFont(PictureFontEnd::Font);
  frameModeGroup(*this, 14, 13, 13);
  colourModeButtons(*this, Option8);
  if (Option8->value()) {
    Option1->setValue(false);
    Option6->setValue(false);
    Option7->setValue(false);
  } else {
    Option1->setValue(true);
  }
  Command12_Click();
  texttoplace.clear();
}
