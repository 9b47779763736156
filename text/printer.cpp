#include <QHash>
#include <QRect>
#include <QTextBoundaryFinder>
#include <algorithm>
#include <cmath>
#include <memory>

#include "app/codes.h"
#include "app/form1.h"
#include "platform/autoredraw.h"
#include "platform/colour.h"
#include "platform/textstamp.h"

namespace {

constexpr int maxLines = Form1::MaxTextLines;
constexpr int maxLineLength = 1501;

// Splits `text` into lines 1..20 of at most 1501 characters and returns how many there are.
// A character is what the operator sees as one: a letter with its combining marks, an emoji of
// two UTF-16 units or of several joined, so that neither a line cut nor a column cell breaks it.
// A CR (with the LF after it) ends a line and is dropped; a line cut at its length limit goes
// on with the very next character, so a long line is wrapped without losing anything. An empty
// text, and a text ending in CR LF, end with an empty line.
int splitLines(const QString& text, std::array<QStringList, maxLines + 1>& lines) {
  QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, text);
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
      characters.setPosition(p);
      const qsizetype next = characters.toNextBoundary();
      lines[line] << text.sliced(p, next - p);
      p = next;
    }
  }
  return maxLines;
}

// The line step FontSize x 1.v that the Horiz/Vert button and the spacing scroll set.
double spacedLineHeight(double fontSize, int spacing) { return fontSize * (1.0 + spacing / 10.0); }

// The font textrotate prints a line in, made from Picture1's font and the style boxes.
TextFont lineFont(const Form1& f) {
  TextFont font;
  // The face-name field holds 31 characters and its terminator.
  font.name = f.Picture1->font.name.left(31);
  // 18 rather than 20 twips per point: the line comes out at nine tenths of the nominal size.
  // nearbyint rounds halves to even, as Windows-era BASIC rounds a number to a whole one.
  font.pixelHeight = int(std::nearbyint(f.Picture1->font.size * 18.0 / platform::twipsPerPixelX()));
  font.weight = f.Check6->value() == 1 ? 2400 : 400;
  font.italic = f.Check14->value() == 1;
  font.underline = f.Check13->value() == 1;
  font.strikethrough = false;
  return font;
}

// What decides the pieces printtext prints and how they look; not where they go.
struct LayoutKey {
  QString text;
  bool vertical;
  bool bkgnd;
  TextFont font;  // Picture1's own for columns, textrotate's for lines
  int escapement;

  bool operator==(const LayoutKey& o) const {
    // The printer is handed the very same string again and again: one buffer is one text.
    const bool sameText = text.size() == o.text.size() && (text.constData() == o.text.constData() || text == o.text);
    return sameText && vertical == o.vertical && bkgnd == o.bkgnd && font == o.font && escapement == o.escapement;
  }
};

// The text cut into lines and every piece of it rendered, once for as long as the text and the
// controls stay as they are: the shadow and the outline have the printer print the same text
// hundreds of times at other anchors, and a text may hold 100,000 characters.
struct LaidOutText {
  LayoutKey key;
  std::array<QString, maxLines + 1> lines;
  std::array<QStringList, maxLines + 1> characters;  // of each line, as the operator sees them
  int count = 0;
  // Horizontal: each line as printed (after a blank) and its stamp.
  std::array<QString, maxLines + 1> lineTexts;
  std::array<std::shared_ptr<const TextStamp>, maxLines + 1> lineStamps;
  // Vertical: a stamp per character, the five blanks printed under each with BkGnd on, and the
  // pixels any of them can touch relative to its anchor.
  QHash<QString, std::shared_ptr<const TextStamp>> glyphs;
  std::shared_ptr<const TextStamp> blanks;
  QRect reach;
};

LaidOutText layOut(const LayoutKey& key) {
  LaidOutText t;
  t.key = key;
  t.count = splitLines(key.text, t.characters);
  for (int line = 1; line <= t.count; ++line) t.lines[line] = t.characters[line].join(QString());
  if (!key.vertical) {
    for (int line = 1; line <= t.count; ++line) {
      // Only the first line gets the trailing blank that widens its back-colour cell.
      t.lineTexts[line] = QLatin1Char(' ') + t.lines[line] + (line == 1 && key.bkgnd ? QStringLiteral(" ") : QString());
      t.lineStamps[line] = TextStamp::of(t.lineTexts[line], key.font, key.escapement);
    }
    return t;
  }
  if (key.bkgnd) {
    t.blanks = TextStamp::of(QStringLiteral("     "), key.font, 0);
    t.reach = t.blanks->reach(true);
  }
  for (int line = 1; line <= t.count; ++line) {
    for (const QString& c : std::as_const(t.characters[line])) {
      if (t.glyphs.contains(c)) continue;
      const QString printed = key.bkgnd ? QLatin1Char(' ') + c : c;
      const auto stamp = TextStamp::of(printed, key.font, 0);
      t.glyphs.insert(c, stamp);
      t.reach |= stamp->reach(true);
    }
  }
  return t;
}

const LaidOutText& laidOut(const LayoutKey& key) {
  static std::unique_ptr<LaidOutText> last;
  if (!last || !(last->key == key)) last = std::make_unique<LaidOutText>(layOut(key));
  // An equal text read afresh from the text box comes in a new buffer: keep that one, so that the
  // next comparison is a glance rather than a read of the whole text.
  last->key.text = key.text;
  return *last;
}

void printAt(PictureBox& box, const std::shared_ptr<const TextStamp>& stamp, double x, double y) {
  box.currentX = x;
  box.currentY = y;
  box.PrintStamp(stamp);
}

// Horizontal text: one line under the other, each following line moved sideways by the angle's
// share of the font size and down by the line step less that share.
void printLines(Form1& f, const LaidOutText& text) {
  const double fontSize = f.Picture1->font.size;
  f.lineheight = fontSize * 1.9;
  const double d = f.textangle * fontSize / 470.0;
  double x = f.startx;
  double y = f.starty;
  for (int line = 1; line <= text.count; ++line) {
    if (line > 1) {
      x += d;
      y += f.lineheight - std::fabs(d);
    }
    f.lineys[line] = y;
    printAt(*f.Picture1, text.lineStamps[line], x, y);
  }
  f.worktext = text.lineTexts[text.count];
}

// Vertical text: one character under the other, the lines as columns from left to right, in the
// picture's own font. A column may run on far beyond the picture: characters that cannot reach
// it are passed over (a pixel of slack covers the rounding of their places).
void printColumns(Form1& f, const LaidOutText& text) {
  const bool bkgnd = text.key.bkgnd;
  if (bkgnd) f.lineheight = f.Picture1->font.size * 1.5;
  const double step = f.lineheight;
  const double columnStep = (bkgnd ? 1.3 : 2.0) * step;
  const int width = f.Picture1->scaleWidth();
  const int height = f.Picture1->scaleHeight();

  int longest = 0;
  for (int line = 1; line <= text.count; ++line) longest = std::max(longest, int(text.characters[line].size()));
  double y = f.starty;
  for (int k = 1; k <= std::min(longest, maxLines); ++k, y += step) f.lineys[k] = y;

  double x = f.startx;
  for (int line = 1; line <= text.count; ++line, x += columnStep) {
    if (x + text.reach.left() >= width + 1 || x + text.reach.right() < -1) continue;
    y = f.starty;
    for (const QString& c : text.characters[line]) {
      if (step > 0 && y + text.reach.top() >= height + 1) break;  // so is every later one
      if (bkgnd) printAt(*f.Picture1, text.blanks, x, y);  // the back colour covers the column's width
      printAt(*f.Picture1, text.glyphs.value(c), x, y);
      y += step;
    }
  }

  // The pen ends under the last character, whether it was printed or passed over.
  for (int line = text.count; line >= 1; --line) {
    const QStringList& chars = text.characters[line];
    if (chars.isEmpty()) continue;
    y = f.starty;
    for (qsizetype k = 1; k < chars.size(); ++k) y += step;
    f.Picture1->currentX = 0;
    f.Picture1->currentY = y + text.glyphs.value(chars.back())->lineHeight();
    return;
  }
}

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
  const bool vertical = isArmed(Label31);
  const bool bkgnd = Check16->value() == 1;
  const LaidOutText& text = vertical ? laidOut({texttoplace, true, bkgnd, Picture1->font, 0})
                                     : laidOut({texttoplace, false, bkgnd, lineFont(*this), textangle});
  textlines = text.lines;
  Picture1->currentX = startx;
  Picture1->currentY = starty;
  if (vertical)
    printColumns(*this, text);
  else
    printLines(*this, text);
}

void Form1::textrotate() {
  Picture1->currentX = startx;
  Picture1->currentY = starty;
  Picture1->Print(worktext, lineFont(*this), textangle);
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
