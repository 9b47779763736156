#include <cmath>

#include "app/codes.h"
#include "app/form1.h"
#include "platform/textfont.h"

namespace {

constexpr int slotSize = 7;  // entries of one saved font on each side

CommandButton* slotButton(const Form1& f, int slot) {
  CommandButton* const buttons[] = {nullptr, f.Command21, f.Command25, f.Command23, f.Command24};
  return buttons[slot];
}

CheckBox* saveBox(const Form1& f, int slot) {
  CheckBox* const boxes[] = {nullptr, f.Check1, f.Check2, f.Check3, f.Check4};
  return boxes[slot];
}

// A saved font puts its two typeface names on the text; a never-saved slot leaves the fonts.
void applySavedFaces(Form1& f, int slot) {
  const int s = slotSize * (slot - 1);
  if (!f.savedfonts[s + 1].isEmpty()) {
    QFont text = f.textFont();
    text.setFamily(f.savedfonts[s + 1]);
    f.setTextFont(text);
  }
  if (!f.savedpicturefonts[s + 1].isEmpty()) f.Picture1->font.name = f.savedpicturefonts[s + 1];
}

// Bold, Ital and U. Outside Text mode they only change the font: the printer would throw away
// pending drawings and inserts there.
void styleBoxClicked(Form1& f) {
  f.Frame2->hide();
  if (f.Option1->value()) f.redrawPendingText();
  f.Text1->setFocus();
}

void savedFontPressed(Form1& f, int slot, int button) {
  if (f.Option8->value()) {
    f.Text1->setFocus();
    return;
  }
  f.fontbutton();
  setWidgetUnderline(slotButton(f, slot), true);
  applySavedFaces(f, slot);
  f.Text1->setFocus();
  if (f.Option1->value()) {
    const bool styled = f.styleapplied == 1;
    f.redrawPendingText();
    if (styled) return;  // the style's redraw ends the press
  }
  // A cancelled dialog leaves the press a left one: applied, not saved.
  if (button == mousebutton::Right && f.chooseFont()) f.SaveFontBox_Click(slot);
}

}  // namespace

bool Form1::chooseFont() {
  Frame8->hide();
  QFont preset = textFont();
  double size = 0;
  // A size that is no number leaves the dialog its own.
  if (readsAsNumber(textsettings[9], &size) && size > 0) preset.setPointSizeF(float(size));
  const std::optional<QFont> chosen = env.dialogs->ShowFont(preset);
  if (!chosen) return false;
  // Only the face and its styles: the size is Bigger's and Smaller's, the colour the palette's.
  QFont text = textFont();
  text.setFamily(chosen->family());
  text.setBold(chosen->bold());
  text.setItalic(chosen->italic());
  text.setUnderline(chosen->underline());
  text.setStrikeOut(chosen->strikeOut());
  setTextFont(text);
  TextFont& picture = Picture1->font;
  picture.name = chosen->family();
  picture.setBold(chosen->bold());
  picture.italic = chosen->italic();
  picture.underline = chosen->underline();
  picture.strikethrough = chosen->strikeOut();
  return true;
}

void Form1::changefont_Click() { chooseFont(); }

void Form1::Check6_Click() {
  // The main picture's own font carries Bold, so vertical text and later redraws take it in
  // every mode.
  Picture1->font.setBold(Check6->value() == 1);
  styleBoxClicked(*this);
}

void Form1::Check14_Click() { styleBoxClicked(*this); }
void Form1::Check13_Click() { styleBoxClicked(*this); }

void Form1::Command21_MouseDown(int button, int, double, double) { savedFontPressed(*this, 1, button); }
void Form1::Command25_MouseDown(int button, int, double, double) { savedFontPressed(*this, 2, button); }
void Form1::Command23_MouseDown(int button, int, double, double) { savedFontPressed(*this, 3, button); }
void Form1::Command24_MouseDown(int button, int, double, double) { savedFontPressed(*this, 4, button); }

void Form1::fontbutton() {
  for (int slot = 1; slot <= 4; ++slot) setWidgetUnderline(slotButton(*this, slot), false);
}

void Form1::SaveFontBox_Click(int slot) {
  const int s = slotSize * (slot - 1);
  const QFont text = textFont();
  savedfonts[s + 1] = text.family();
  savedfonts[s + 2] = textsettings[9];
  savedfonts[s + 3] = trueFalse(text.bold());
  savedfonts[s + 4] = trueFalse(text.italic());
  savedfonts[s + 5] = trueFalse(text.underline());
  savedfonts[s + 6] = trueFalse(text.strikeOut());
  savedfonts[s + 7] = textsettings[7];
  const TextFont& picture = Picture1->font;
  savedpicturefonts[s + 1] = picture.name;
  savedpicturefonts[s + 2] = numberText(std::round(picture.size * 10000) / 10000);
  savedpicturefonts[s + 3] = trueFalse(picture.bold());
  savedpicturefonts[s + 4] = trueFalse(picture.italic);
  savedpicturefonts[s + 5] = trueFalse(picture.underline);
  savedpicturefonts[s + 6] = trueFalse(picture.strikethrough);
  savedpicturefonts[s + 7] = numberText(Picture1->foreColor());
  setFace(slotButton(*this, slot), savedfonts[s + 1]);
  Text1->setFocus();
  Frame1->hide();
  saveBox(*this, slot)->setValue(0);  // the box is a one-shot command
}

void Form1::savefontandcolor_Click() {
  hideMessageList();
  Frame8->hide();
  Frame1->show();
  Text1->setFocus();
}

void Form1::Check5_Click() {
  Check5->setValue(0);
  Frame1->hide();
  Text1->setFocus();
}
