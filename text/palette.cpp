#include "app/codes.h"
#include "app/form1.h"
#include "platform/textfont.h"

namespace {

constexpr int CtrlAlone = 2;

// What a left press takes off the button's colour for the text colour, Label1..Label12.
constexpr long textColourOffset[] = {0, 0, 0x101011, 0x11, 0x11, 0x1000, 0x1000, 0x1000, 0x11, 0, 0, 0, 0};

LabelButton* savedColourButton(const Form1& f, int k) {
  LabelButton* const buttons[] = {nullptr, f.Label9, f.Label10, f.Label11, f.Label12};
  return buttons[k];
}

CheckBox* saveColourBox(const Form1& f, int k) {
  CheckBox* const boxes[] = {nullptr, f.Check20, f.Check21, f.Check22, f.Check23};
  return boxes[k];
}

// The back colour behind the letters and the shadow's colour. Outside Text mode only the colours
// change: the printer would throw away pending drawings and inserts there.
void backColourPress(Form1& f, long c, int shift) {
  if (f.headerMode() && shift == CtrlAlone) return;
  const bool textMode = f.Option1->value();
  if (textMode) f.Picture1->Cls();  // a new back colour clears the erasable layer
  f.Picture1->setBackColor(c);
  f.Label45->setBackColor(c);
  f.shadowcolour = c;
  if (!textMode) {
    f.Text1->setFocus();
    return;
  }
  if (f.styleapplied == 1) {
    f.Label36_Click();
    return;
  }
  f.printtext();
  f.Text1->setFocus();
  if (f.Check17->value() == 1 && !f.Option8->value())
    f.Check17_Click();
  else
    f.Check15_Click();
}

// The text colour c - K; the swatch shows c itself. The text is printed again over itself in the
// new colour, without clearing.
void textColourPress(Form1& f, int n, long c, int shift) {
  const long textColour = long(qint32(c) - qint32(textColourOffset[n]));
  f.textsettings[7] = numberText(textColour);
  if (f.headerMode() && shift == CtrlAlone) {
    f.headercolor();
    return;
  }
  f.Label25->setBackColor(c);
  f.Picture1->setForeColor(textColour);
  if (Form1::isThingsShape(f.Combo1->text())) {
    f.Combo1_Click();  // the pending shape takes the new colour
    return;
  }
  if (!f.Option1->value()) {
    f.Text1->setFocus();
    return;
  }
  if (f.styleapplied == 1) {
    f.Label36_Click();
    return;
  }
  f.Picture1->currentX = f.startx;
  f.Picture1->currentY = f.starty;
  f.printShadowOutline();  // shadow and outline draw only when their boxes are ticked
}

// PatFil or ColFill takes the colour by a drag onto the main picture.
void colourDrag(Form1& f, int n, long c, int shift) {
  if (!f.isArmed(f.Label32)) textColourPress(f, n, c, shift);  // ColFill: the text takes it too
  f.giveNormalIcon(f.palette[n]);
  f.dragColour(f.palette[n], c);
}

}  // namespace

void Form1::Palette_MouseDown(int n, int button, int shift, double, double) {
  const long c = palette[n]->backColor();
  Frame2->hide();
  const bool fillArmed = Option1->value() && (isArmed(Label32) || isArmed(Label38));
  if (fillArmed && button == mousebutton::Left) return colourDrag(*this, n, c, shift);
  if (fillArmed && isArmed(Label32)) return;
  if (button == mousebutton::Right)
    backColourPress(*this, c, shift);
  else
    textColourPress(*this, n, c, shift);
}

void Form1::savecolor_Click() {
  Frame1->hide();
  const std::optional<long> chosen = env.dialogs->ShowColor(Picture1->foreColor());
  // Only Cancel stops: the colour already on the text is a choice like any other.
  if (!chosen) return;
  hideMessageList();
  // The text keeps its colour; later users of element 7 (SET, shapes, header fills) take this.
  textsettings[7] = numberText(*chosen);
  Frame8->show();
  Text1->setFocus();
}

void Form1::SaveColorBox_Click(int k) {
  double c = 0;
  if (readsAsNumber(textsettings[7], &c)) savedColourButton(*this, k)->setBackColor(long(c));
  saveColourBox(*this, k)->setValue(0);  // the box is a one-shot command
  Text1->setFocus();
  Frame8->hide();
}

void Form1::Check24_Click() {
  Check24->setValue(0);
  Frame8->hide();
  Text1->setFocus();
}
