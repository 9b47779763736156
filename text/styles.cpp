#include <algorithm>
#include <cmath>

#include "app/form1.h"
#include "platform/autoredraw.h"
#include "platform/colour.h"
#include "sstvlink/layout.h"
#include "text/waitcursor.h"

using namespace colour::state;

namespace {

const QString normalStyle = QStringLiteral(" Normal");
const QString stripesStyle = QStringLiteral(" Stripes");
const QString gradStyle = QStringLiteral("  Grad");

constexpr int gradBands = 63;
constexpr int gradBaseBands = 21;  // the bands that show the start colour
constexpr int gradStep = 7;        // each later band steps this far towards the back colour
constexpr int stripePeriod = 9;    // 5 rows of the text colour, then 4 of the back colour
constexpr int stripeBackRow = 5;

// A channel above 255 shows as 255.
long clampedRgb(int r, int g, int b) { return colour::rgb(std::min(r, 255), std::min(g, 255), std::min(b, 255)); }

// What a style colour is raised by, per channel: 1 to 5.
int jitterRaise(Form1& f) { return int(f.env.random() * 5) + 1; }

// Text-colour boxes of 5 rows from row 0 and back-colour boxes of 4 rows from row 5, every 9
// rows; a filled box includes its last row, so together they tile the frame.
void paintStripes(Form1& f, int w, long fore, long back) {
  f.Picture2->setDrawWidth(1);
  for (int y = 0; y < pictureHeight; y += stripePeriod) f.Picture2->BoxFilled(0, y, w, y + 4, f.jitteredColour(fore));
  for (int y = stripeBackRow; y < pictureHeight; y += stripePeriod)
    f.Picture2->BoxFilled(0, y, w, y + 3, f.jitteredColour(back));
}

// The whole gradient squeezed into each printed line's height, with a box of the back colour
// over the lower part of the line.
void paintGradient(Form1& f, int w, long fore, long back) {
  f.Picture1->setDrawWidth(1);
  drawCommitted(f.Picture3, [&f, fore] {
    // Unclamped: gradlines caps each band itself.
    int r = colour::red(fore) + jitterRaise(f);
    int g = colour::green(fore) + jitterRaise(f);
    int b = colour::blue(fore) + jitterRaise(f);
    f.gradlines(f.Picture3, r, g, b, true);
  });

  const double size = f.Picture1->font.size;
  const double lineHeight = size * 1.2;
  const auto paintLine = [&](double y) {
    f.Picture2->PaintPicture(f.Picture3->picture(), 0, y, w, lineHeight);
    const double top = y + lineHeight - lineHeight / 16 - 2;
    f.Picture2->BoxFilled(0, top, w, top + size, f.jitteredColour(back));
  };
  paintLine(f.starty);
  for (int i = 2; i <= Form1::MaxTextLines; ++i)
    if (f.lineys[i] > 0) paintLine(f.lineys[i]);
}

}  // namespace

long Form1::jitteredColour(long pen) {
  // Separate statements: the draws must come in this order.
  const int r = colour::red(pen) + jitterRaise(*this);
  const int g = colour::green(pen) + jitterRaise(*this);
  const int b = colour::blue(pen) + jitterRaise(*this);
  return clampedRgb(r, g, b);
}

bool Form1::gradChosen() const { return Label34->caption() == gradStyle; }

void Form1::holdTextHorizontal(bool alreadyHeld) {
  if (!alreadyHeld) savedtextangle = textangle;
  textangle = 0;
}

void Form1::releaseTextHorizontal(bool stillHeld) {
  if (!stillHeld) textangle = savedtextangle;
}

void Form1::Label34_Click() {
  if (!Option1->value() || Check18->value() == 1 || Check19->value() == 1) {
    Text1->setFocus();
    return;
  }
  if (isArmed(Label38)) Label38_Click();
  Command12_Click();
  Label36->setBackColor(Armed);
  const QString style = Label34->caption();
  const bool bkgnd = Check16->value() == 1;
  if (style == stripesStyle) {
    Label34->setCaption(gradStyle);
    holdTextHorizontal(bkgnd);
    textsettings[7] = numberText(Picture1->foreColor());
    Picture1->Cls();
    Label34->setBackColor(Armed);
    Label26->setBackColor(Armed);
    Label36_Click();
  } else if (style == gradStyle) {
    Label34->setCaption(normalStyle);
    releaseTextHorizontal(bkgnd);
    textsettings[7] = numberText(Picture1->foreColor());
    Label34->setBackColor(Idle);
    styleapplied = 0;
    Label26->setBackColor(Armed);
    printShadowOutline();
  } else if (style == normalStyle) {
    Label34->setCaption(stripesStyle);
    textsettings[7] = numberText(Picture1->foreColor());
    Label34->setBackColor(Stripes);
    Label26->setBackColor(Armed);
    Label36_Click();
  } else {
    return;
  }
  Text1->setFocus();
}

void Form1::Label36_Click() {
  // Outside Text mode Image6 is the source of a pending insert and must stay.
  if (!Option1->value()) {
    Text1->setFocus();
    return;
  }
  if (refusesRotatedStyle()) return;
  if (Label34->caption() == normalStyle) return;
  if (styleapplied == 0) Image6->setPicture(Picture1->image());
  styleapplied = 1;
  drawstyledtext();
}

void Form1::Label36_MouseUp(int, int, double, double) {}

bool Form1::refusesRotatedStyle() {
  if (Label34->backColor() != Armed || textangle == 0) return false;
  env.dialogs->MsgBox(QStringLiteral("Does not work correctly with rotated texts. Will exit without change."),
                      vb::OKOnly, QString());
  Text1->setFocus();
  return true;
}

void Form1::drawstyledtext() {
  if (!Option1->value()) {
    Text1->setFocus();
    return;
  }
  if (!isArmed(Label26)) return;
  const QString style = Label34->caption();
  if (style == normalStyle) {
    Text1->setFocus();
    return;
  }
  const WaitCursor busy(this);
  // A preview is unset work and leaves OOPS alone; drawn as final, the style is a step that OOPS
  // takes back to the picture without it.
  const bool preview = styleapplied == 1;
  const QImage before = Picture1->image();
  const int w = frameWidth();

  // A preview goes on the erasable layer over the clean base, so that no earlier styled text
  // remains; drawn as final, the text goes into the persistent image.
  Picture1->setAutoRedraw(!preview);
  if (preview) Picture1->setPicture(Image6->picture());
  Picture1->setDrawWidth(1);
  printtext();
  Check17_Click();
  Check15_Click();

  Picture2->setAutoRedraw(true);
  const long fore = Picture1->foreColor();
  const long back = Picture1->backColor();
  if (style == gradStyle)
    paintGradient(*this, w, fore, back);
  else if (style == stripesStyle)
    paintStripes(*this, w, fore, back);

  // The letters are the pixels of exactly the text colour: they keep the pattern, everything
  // else of the main picture (rim, shadow, picture) is copied over it. The key is the colour the
  // letters were printed in; element 7 may hold another one (Save Color sets it alone). The
  // source is the layer they were printed on, as it shows.
  const QImage letters = Picture1->autoRedraw() ? Picture1->image() : Picture1->shown();
  transparentblit(Picture2, letters, QRect(0, 0, w, pictureHeight), 0, 0, fore);
  Picture1->setPicture(Picture2->image());
  Picture1->setAutoRedraw(false);
  Picture2->setAutoRedraw(false);

  if (!preview) {
    // Drawn as final: the styled text is part of the committed picture.
    Label26->setBackColor(SetIdle);
    pictureReplaced(before);
  }
}

void Form1::gradlines(PictureBox* target, int& r, int& g, int& b, bool fromtop) {
  const int height = target->height();
  const int band = int(std::nearbyint(height / double(gradBands)));
  const int width = target->width();
  int y1 = fromtop ? 0 : height - band;
  int y2 = y1 + band;
  const long back = Picture1->backColor();
  const auto swing = [](int& channel, int backChannel) {
    channel -= gradStep;
    if (channel <= backChannel) channel += 2 * gradStep;
  };
  for (int n = 1; n <= gradBands; ++n) {
    target->BoxFilled(0, y1, width, y2, clampedRgb(r, g, b));
    if (n >= gradBaseBands) {
      swing(r, colour::red(back));
      swing(g, colour::green(back));
      swing(b, colour::blue(back));
    }
    y1 = fromtop ? y2 : y1 - band;
    y2 = y1 + band;
  }
}
