#include <cmath>

#include "app/codes.h"
#include "app/form1.h"
#include "platform/autoredraw.h"
#include "platform/colour.h"

namespace {

constexpr int maxLines = 20;
constexpr int maxLineLength = 1501;

// Splits `text` into lines 1..20 of at most 1501 characters and returns how many there are.
// A CR (with the LF after it) ends a line and is dropped; a line cut at its length limit goes
// on with the very next character, so a long line is wrapped without losing anything. An empty
// text, and a text ending in CR LF, end with an empty line.
int splitLines(const QString& text, std::array<QString, 21>& lines) {
  qsizetype p = 0;
  for (int line = 1; line <= maxLines; ++line) {
    for (int taken = 0;; ++taken) {
      if (p >= text.size()) return line;
      if (text[p] == QLatin1Char('\r')) {
        ++p;
        if (p < text.size() && text[p] == QLatin1Char('\n')) ++p;
        break;
      }
      if (taken == maxLineLength) break;
      lines[line] += text[p++];
    }
  }
  return maxLines;
}

// The line step FontSize x 1.v that the Horiz/Vert button and the spacing scroll set.
double spacedLineHeight(double fontSize, int spacing) { return fontSize * (1.0 + spacing / 10.0); }

}  // namespace

void Form1::printtext() {
  if (!isArmed(Label26) && operationmarker != marker::QslPrint) return;
  if (isArmed(Label48)) return;
  if (!Option1->value()) {
    Command12_Click();
    return;
  }
  if (!markedtext.isEmpty()) texttoplace = markedtext;
  lineys.fill(0);
  textlines.fill(QString());
  const int n = splitLines(texttoplace, textlines);

  const double keptx = startx;
  const double kepty = starty;
  Picture1->currentX = startx;
  Picture1->currentY = starty;
  const double fontSize = Picture1->font.size;
  const bool bkgnd = Check16->value() == 1;

  if (isArmed(Label31)) {
    // Vertical text: one character under the other, the lines as columns from left to right.
    if (bkgnd) lineheight = fontSize * 1.5;
    for (int line = 1; line <= n; ++line) {
      for (qsizetype k = 0; k < textlines[line].size(); ++k) {
        Picture1->currentX = startx;
        Picture1->currentY = starty;
        if (k < maxLines) lineys[k + 1] = starty;
        const QString character(textlines[line][k]);
        if (bkgnd) {
          // Five blanks first so that the back colour covers the width of the column.
          Picture1->Print(QStringLiteral("     "));
          Picture1->currentX = startx;
          Picture1->currentY = starty;
          Picture1->Print(QLatin1Char(' ') + character);
        } else {
          Picture1->Print(character);
        }
        starty += lineheight;
      }
      startx += (bkgnd ? 1.3 : 2.0) * lineheight;
      starty = kepty;
    }
  } else {
    lineheight = fontSize * 1.9;
    // Only the first line gets the trailing blank that widens its back-colour cell.
    worktext = QLatin1Char(' ') + textlines[1] + (bkgnd ? QStringLiteral(" ") : QString());
    textrotate();
    lineys[1] = starty;
    for (int line = 2; line <= n; ++line) {
      const double d = textangle * fontSize / 470.0;
      startx += d;
      starty += lineheight - std::fabs(d);
      Picture1->currentX = startx;
      Picture1->currentY = starty;
      lineys[line] = starty;
      worktext = QLatin1Char(' ') + textlines[line];
      textrotate();
    }
  }
  startx = keptx;
  starty = kepty;
}

void Form1::textrotate() {
  TextFont f;
  // The face-name field holds 31 characters and its terminator.
  f.name = Picture1->font.name.left(31);
  // 18 rather than 20 twips per point: the line comes out at nine tenths of the nominal size.
  // nearbyint rounds halves to even, as the old conversion did.
  f.pixelHeight = int(std::nearbyint(Picture1->font.size * 18.0 / platform::twipsPerPixelX()));
  f.weight = Check6->value() == 1 ? 2400 : 400;
  f.italic = Check14->value() == 1;
  f.underline = Check13->value() == 1;
  f.strikethrough = false;
  Picture1->currentX = startx;
  Picture1->currentY = starty;
  Picture1->Print(worktext, f, textangle);
}

void Form1::Check16_Click() {
  Picture1->Cls();
  const bool armed = isArmed(Label26);
  if (Check16->value() == 1) {
    holdTextHorizontal(gradChosen());  // text on a background is always horizontal
    // The last line is printed again only while it is pending: with nothing pending it would be
    // a stray copy of text that was already set or thrown away.
    if (armed) textrotate();
    Picture1->setFontTransparent(false);
    if (armed) {
      if (styleapplied == 1)
        Label36_Click();
      else
        printtext();
    }
    return;
  }
  {
    PersistentDrawing persistent(Picture1);
    Picture1->setFontTransparent(true);
  }
  releaseTextHorizontal(gradChosen());
  if (!armed) return;
  if (styleapplied == 1) {
    Label36_Click();
    return;
  }
  Check17_Click();
  Check15_Click();
  printtext();
}

void Form1::Label31_Click() {
  if (styleapplied == 1) Option1_Click();
  VScroll3->hide();
  if (isArmed(Label32)) {
    Label32->setBackColor(colour::state::Idle);
    return;
  }
  if (isArmed(Label38)) Label38_Click();
  lineheight = spacedLineHeight(Picture1->font.size, VScroll3->value());
  if (isArmed(Label31)) {
    Label31->setBackColor(colour::state::Idle);
    Label31->setCaption(QStringLiteral("Horiz"));
  } else {
    Label31->setBackColor(colour::state::Armed);
    Label31->setCaption(QStringLiteral("Vert"));
    VScroll3->show();
  }
  if (styleapplied == 1) {
    Command12_Click();
    styleapplied = 1;
    Label26->setBackColor(colour::state::Armed);
    Label36_Click();
    return;
  }
  platform::DoEvents();
  texttoplace = Text1->text();
  Label26->setBackColor(colour::state::Armed);
  Picture1->Cls();
  printShadowOutline();
}

void Form1::VScroll3_Change() {
  Picture1->Cls();
  lineheight = spacedLineHeight(Picture1->font.size, VScroll3->value());
  const QString style = Label34->caption();
  if (style == QLatin1String(" Stripes") || style == QLatin1String("  Grad")) {
    drawstyledtext();
    return;
  }
  printShadowOutline();
}

void Form1::redrawPendingText() {
  Picture1->Cls();
  Picture1->currentX = startx;
  Picture1->currentY = starty;
  if (styleapplied == 1) {
    Label36_Click();
    return;
  }
  printShadowOutline();
}

void Form1::printShadowOutline() {
  printtext();
  Check17_Click();
  Check15_Click();
}

void Form1::effectBoxMouseUp(const CheckBox* box, void (Form1::*otherLayer)()) {
  if (!isArmed(Label26)) {
    Picture1->Cls();
    return;
  }
  if (styleapplied == 1) {
    Label36_Click();
    return;
  }
  if (box->value() != 0) return;  // the click itself has drawn the new layer
  Picture1->Cls();
  Picture1->currentX = startx;
  Picture1->currentY = starty;
  printtext();
  (this->*otherLayer)();
}
