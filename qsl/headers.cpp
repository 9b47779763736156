#include "app/codes.h"
#include "app/form1.h"
#include "platform/autoredraw.h"
#include "platform/textfont.h"
#include "sstvlink/layout.h"

namespace {

const QString Exit = QStringLiteral("Exit");
constexpr double FullPictureCorner = 322;  // with the border: the fill leaves no row or column out
constexpr double FullPictureBottom = 258;
constexpr double Header32FontSize = 20;
constexpr double Header16FontSize = 10;
constexpr double NormalFontSize = 26;
// The header maker covers the main picture down to the rows the header is made in; the strip
// panel lies below the picture.
constexpr int MakerHeight32 = 226;
constexpr int MakerHeight16 = 242;
constexpr int PanelTop = 266;
constexpr int PanelHeight = 120;

// Both header-maker menus and the strip panels close the browser panel, as opening the browser
// closes them.
void closeBrowser(Form1& f) {
  if (f.Command20->caption() == QLatin1String("Exit Pic")) f.Command20_Click();
}

bool isStrip(int n) { return n >= strip::First && n <= strip::Last; }

void showStrips(Form1& f, bool lines32) {
  for (int n = strip::First; n <= strip::Last; ++n) f.headerStrips[n]->setVisible(strip::is32Line(n) == lines32);
}

void placeFrame7(Form1& f, int top, int height) {
  f.Frame7->setGeometry(narrowLayout.pictureLeft, top, f.Frame7->width(), height);
}

// Only a real change of width resizes: resizing also wipes the erasable layer.
void setPictureLayout(Form1& f, const WindowLayout& layout) {
  if (f.Picture1->scaleWidth() != layout.pictureWidth) f.Picture1->setScaleSize(layout.pictureWidth, pictureHeight);
  f.Picture1->move(layout.pictureLeft, f.Picture1->y());
}

// The fill is committed at once.
void fillHeader(Form1& f) {
  drawCommitted(f.Picture1, [&f] {
    f.Picture1->BoxFilled(0, 0, FullPictureCorner, FullPictureBottom, f.headerfillcolour);
  });
  f.refreshCommittedCopy();
}

// Both Make Header menus. Image15 keeps the picture of the first entry, at its full width, for
// DONE to give back; entering again only switches the kind of header.
void enterHeaderMode(Form1& f, QAction* chosen, QAction* other) {
  if (!f.Frame9->isHidden()) return f.Text1->setFocus();
  const bool entering = !f.headerMode();
  f.closeStripPanels();
  closeBrowser(f);
  f.Command12_Click();
  if (entering) f.Image15->setPicture(f.Picture1->image());
  // Headers are made 320 wide whatever program is chosen.
  setPictureLayout(f, narrowLayout);
  chosen->setChecked(true);
  other->setChecked(false);
  const bool lines32 = chosen == f.makeheader;
  placeFrame7(f, f.Picture1->y(), lines32 ? MakerHeight32 : MakerHeight16);
  showStrips(f, lines32);
  f.Frame7->show();
  fillHeader(f);
  f.Picture1->font.size = lines32 ? Header32FontSize : Header16FontSize;
}

// "32" and "16": each opens its panel of strips below the picture, or closes it.
struct StripPanelButton {
  CommandButton* button;
  QString caption;
  void (Form1::*click)();
};

void toggleStripPanel(Form1& f, const StripPanelButton& own, const StripPanelButton& other) {
  if (!f.Frame9->isHidden()) return f.Text1->setFocus();
  f.Command12_Click();
  f.headerdrag = strip::None;
  if (other.button->caption() == Exit) (f.*other.click)();
  f.Command36_Click();  // also leaves the header maker, giving the picture back
  closeBrowser(f);
  f.Text1->setFocus();
  placeFrame7(f, PanelTop, PanelHeight);
  showStrips(f, own.button == f.Command35);
  const bool opening = own.button->caption() == own.caption;
  f.Frame7->setVisible(opening);
  setWidgetBold(own.button, opening);
  own.button->setCaption(opening ? Exit : own.caption);
}

StripPanelButton button32(Form1& f) { return {f.Command35, QStringLiteral("32"), &Form1::Command35_Click}; }
StripPanelButton button16(Form1& f) { return {f.Command37, QStringLiteral("16"), &Form1::Command37_Click}; }

}  // namespace

// A strip is placed by its own drag alone: the code stands only while that drag runs, wherever
// it ends. In the header maker a press starts no drag.
void Form1::PictureStrip_MouseDown(int n, int, int, double, double) {
  if (headerMode()) return;
  headerdrag = n;
  giveNormalIcon(headerStrips[n]);
  beginDrag(headerStrips[n]);
  headerdrag = strip::None;
}

void Form1::PictureStrip_DragOver(int, int state) {
  if (!headerMode()) return Text1->setFocus();
  if (dragsource != drag::MainPicture) return;
  if (state == dragstate::Enter) giveDropAllowedIcon(Picture1);
  if (state == dragstate::Leave) giveNormalIcon(Picture1);
}

// In the header maker the main picture, dragged here with the right button, gives the rows of the
// header to the strip; what is still pending on it is not part of the header.
void Form1::PictureStrip_DragDrop(int n) {
  if (!headerMode()) {
    headerdrag = strip::None;
    return Text1->setFocus();
  }
  if (dragsource != drag::MainPicture || headerdrag > strip::None) return;
  Picture1->commit();
  const int height = strip::height(n);
  const QImage rows = Picture1->picture().copy(0, pictureHeight - height, narrowLayout.pictureWidth, height);
  PictureBox* box = headerStrips[n];
  drawCommitted(box, [&] { box->PaintPicture(rows, 0, 0, narrowLayout.pictureWidth, height); });
}

void Form1::headericonon() {
  if (isStrip(headerdrag)) giveDropAllowedIcon(headerStrips[headerdrag]);
}

void Form1::headericonoff() {
  if (isStrip(headerdrag)) giveNormalIcon(headerStrips[headerdrag]);
}

void Form1::headercolor() {
  double colour = 0;
  if (readsAsNumber(textsettings[7], &colour)) headerfillcolour = long(colour);
  fillHeader(*this);
}

void Form1::makeheader_Click() { enterHeaderMode(*this, makeheader, makeheader16); }
void Form1::makeheader16_Click() { enterHeaderMode(*this, makeheader16, makeheader); }

void Form1::Command36_Click() {
  Frame7->hide();
  // The width first: the picture kept at the first entry is as wide as the layout.
  setPictureLayout(*this, windowLayout());
  if (headerMode()) {
    Picture1->setPicture(Image15->picture());
    refreshCommittedCopy();
  }
  makeheader->setChecked(false);
  makeheader16->setChecked(false);
  Picture1->font.size = NormalFontSize;
  headerdrag = strip::None;
  Text1->setFocus();
}

void Form1::Command35_Click() { toggleStripPanel(*this, button32(*this), button16(*this)); }
void Form1::Command37_Click() { toggleStripPanel(*this, button16(*this), button32(*this)); }

void Form1::closeStripPanels() {
  if (Command35->caption() == Exit) Command35_Click();
  if (Command37->caption() == Exit) Command37_Click();
}
