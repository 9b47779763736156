#include "app/codes.h"
#include "app/form1.h"
#include "canvas/canvaskit.h"
#include "platform/colour.h"
#include "platform/textfont.h"

using namespace colour::state;

namespace {

constexpr double listPoints = 20;
constexpr double characterPoints = 100;
constexpr double header32Points = 20;
constexpr double header16Points = 10;

// textsettings 15..19 hold picture fonts 1..5.
QString& pictureFontName(Form1& f, int number) { return f.textsettings[14 + number]; }

// The character's face at a large size, or at one that fits the header strip being made.
void setCharacterFont(Form1& f, const QString& face) {
  if (!face.isEmpty()) f.Picture1->font.name = face;
  double points = characterPoints;
  if (f.makeheader->isChecked()) points = header32Points;
  if (f.makeheader16->isChecked()) points = header16Points;
  f.Picture1->font.size = points;
  f.Picture1->font.pixelHeight = 0;
}

// The character is placed by itself, in Text mode, whatever mode was on.
void chooseTextMode(Form1& f) {
  f.Option1->setValue(true);
  f.Option6->setValue(false);
  f.Option7->setValue(false);
  f.Option8->setValue(false);
  canvaskit::colourModeButtons(f, f.Option1);
}

void placeCharacter(Form1& f) {
  f.startx = 50;
  f.starty = 40;
  if (f.makeheader->isChecked()) {
    f.startx = 160;
    f.starty = 228;
  }
  if (f.makeheader16->isChecked()) {
    f.startx = 160;
    f.starty = 240;
  }
}

}  // namespace

void Form1::Combo3_Click() {
  if (!Frame9->isHidden()) {
    Text1->setFocus();
    return;
  }
  Command12_Click();  // also ends a picture-font character already on the picture
  if (picturefontmode != fontmode::PictureFont) normalfontsize = numberText(Picture1->font.size);
  setCharacterFont(*this, faceName(Combo3));
  chooseTextMode(*this);
  Label26->setBackColor(Armed);
  picturefontmode = fontmode::PictureFont;
  placeCharacter(*this);
  texttoplace = Combo3->text();
  if (styleapplied == 1)
    drawstyledtext();
  else
    printShadowOutline();
  Text1->setFocus();
}

void Form1::VScroll2_Change() {
  const int number = VScroll2->value();
  const QString& face = pictureFontName(*this, number);
  // An empty name leaves the list in the font it shows.
  setFace(Combo3, face.isEmpty() ? faceName(Combo3) : face, listPoints);
  Text14->setText(QString::number(number));
}

void Form1::VScroll2_GotFocus() { Text1->setFocus(); }

void Form1::Text14_MouseDown(int button, int, double, double) {
  if (button != mousebutton::Right) return;
  const std::optional<QFont> chosen = env.dialogs->ShowFont(QFont(drawnFamily(faceName(Combo3))));
  if (!chosen) return;
  const QString face = chosen->family();
  setFace(Combo3, face, listPoints);
  pictureFontName(*this, VScroll2->value()) = face;
  // Only a pending character takes the new face: typed text never comes out in a symbol font.
  if (picturefontmode == fontmode::PictureFont) Picture1->font.name = face;
}

void Form1::Text14_MouseUp(int, int, double, double) { Text1->setFocus(); }
