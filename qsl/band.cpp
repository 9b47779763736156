#include "app/codes.h"
#include "app/form1.h"
#include "platform/autoredraw.h"
#include "platform/colour.h"
#include "qsl/logbook.h"
#include "raster/qslpanel.h"
#include "sstvlink/layout.h"

using colour::state::Armed;
using colour::state::Idle;

namespace {

const QString StampFontName = QStringLiteral("arial");
const QString Utc = QStringLiteral("UTC");
const QString Lcl = QStringLiteral("LCL");
constexpr int WideShift = 10;  // every x of the band and the stamp in the 340 layout

// The QSL band: the panel, the callsign on it and the three lines below, at the top or the bottom.
struct BandRows {
  int panel, call, lines;
};
constexpr BandRows BandAtTop{16, 18, 49};
constexpr BandRows BandAtBottom{153, 155, 186};
constexpr int BandPanelX = 34;
constexpr int BandCallX = 100;
constexpr int BandLinesX = 50;
constexpr int BandLinesGap = 2;
constexpr double BandLineStep = 1.6;  // times the font size
constexpr double BandCallSize = 24;
constexpr double BandLineSize = 12;

// The date stamp: the panel squeezed into a strip near the bottom, the callsign and the time line.
constexpr int StampStripX = 25;
constexpr int StampStripY = 235;
constexpr int StampStripWidth = 270;
constexpr int StampStripHeight = 16;
constexpr int StampCallX = 33;
constexpr int StampTimeX = 110;
constexpr int StampY = 234;
constexpr double StampSize = 12;

int layoutShift(const Form1& f) { return f.frameWidth() == wideLayout.pictureWidth ? WideShift : 0; }

stamps::QslSettings qslSettings(const Form1& f) {
  return {f.qsldefaults[2], f.Text9->text(), f.Text10->text(), f.qsldefaults[5], f.Text16->text()};
}

// The text the operator marked in Text1 would replace what the printer is given: the band and
// the stamp print their own texts. The marking comes back when they are done.
class OwnTexts {
 public:
  explicit OwnTexts(Form1& f) : f_(f), marked_(f.markedtext) { f.markedtext.clear(); }
  ~OwnTexts() { f_.markedtext = marked_; }
  OwnTexts(const OwnTexts&) = delete;
  OwnTexts& operator=(const OwnTexts&) = delete;

 private:
  Form1& f_;
  QString marked_;
};

// The main picture's font size and name and its fore colour are kept in savedtext while a band or
// a stamp prints.
void keepFont(Form1& f) {
  f.savedtext[3] = numberText(f.Picture1->font.size);
  f.savedtext[7] = f.Picture1->font.name;
  f.savedtext[8] = numberText(f.Picture1->foreColor());
}

void restoreFont(Form1& f) {
  double value = 0;
  if (readsAsNumber(f.savedtext[3], &value)) f.Picture1->font.size = value;
  f.Picture1->font.name = f.savedtext[7];
  if (readsAsNumber(f.savedtext[8], &value)) f.Picture1->setForeColor(long(value));
}

void useStampFont(Form1& f, double size) {
  f.Picture1->font.name = StampFontName;
  f.Picture1->font.setBold(true);
  f.Picture1->font.size = size;
  f.Picture1->setForeColor(0);
}

// Through the text printer, which prints while operationmarker says a band or a stamp draws.
void printAt(Form1& f, double x, double y, const QString& text) {
  f.startx = x;
  f.starty = y;
  f.Picture1->currentX = x;
  f.Picture1->currentY = y;
  f.texttoplace = text;
  f.printtext();
}

void drawBand(Form1& f, const stamps::QslBand& band, const BandRows& rows, int shift) {
  const bool wasUnderlined = f.Picture1->font.underline;
  f.Picture1->font.underline = false;
  {
    PersistentDrawing persistent(f.Picture1);
    useStampFont(f, BandCallSize);
    printAt(f, BandCallX + shift, rows.call, band.ownCall);
  }
  f.Picture1->font.size = BandLineSize;
  f.startx = BandLinesX + shift;
  f.starty = rows.lines;
  for (int k = 0; k < 3; ++k) f.textlines[k + 1] = band.lines[k];
  f.Picture1->font.underline = wasUnderlined;
  f.starty += BandLinesGap;
  PersistentDrawing persistent(f.Picture1);
  const double step = BandLineStep * f.Picture1->font.size;
  for (int k = 1; k <= 3; ++k) {
    f.Picture1->currentX = f.startx;
    f.Picture1->currentY = f.starty + (k - 1) * step;
    f.Picture1->Print(f.textlines[k]);
  }
}

}  // namespace

void Form1::qslinfo_Click() {
  Command12_Click();
  Text11->setText(qsldefaults[2]);
  if (qsldefaults[5] == Utc) Option9->setValue(true);
  if (qsldefaults[5] == Lcl) Option10->setValue(true);
  Frame6->show();
  Text11->setFocus();
  Text11->end(false);
}

void Form1::Text11_Change() { qsldefaults[2] = Text11->text(); }
void Form1::Option9_Click() { qsldefaults[5] = Utc; }
void Form1::Option10_Click() { qsldefaults[5] = Lcl; }

void Form1::Command34_Click() {
  Frame6->hide();
  Text1->setFocus();
  Text1->moveCursor(QTextCursor::End);
}

void Form1::Label54_Click() {
  Option1_Click();
  Check16->setValue(0);
  if (isArmed(Label48)) return;
  Command12_Click();
  Text15->setText(Text3->text());
  Frame5->show();
  Text15->setFocus();
}

void Form1::Text15_Change() {
  const QString capitals = logbook::upperCopy(Text15->text());
  if (capitals != Text15->text()) {
    Text15->setText(capitals);  // the change this raises copies the capitals
    return;
  }
  Text15->end(false);
  Text3->setText(capitals);
}

void Form1::Text15_MouseDown(int, int, double, double) { Text15->clear(); }
void Form1::Text9_Click() { Text9->clear(); }
void Form1::Text10_Click() { Text10->clear(); }
void Form1::Command33_Click() { Frame5->hide(); }

void Form1::Command4_Click() {
  qsltop = 1;
  Command32_Click();
}

void Form1::Command32_Click() {
  Frame5->hide();
  const BandRows& rows = qsltop == 1 ? BandAtTop : BandAtBottom;
  qsltop = 0;  // a band at the top is asked for each time
  if (isArmed(Label48)) return;
  platform::DoEvents();
  qsldefaults[6] = Text1->text();
  // Text placed while the band's panel was open is not part of the band.
  dropStylePreview();
  const QImage before = Picture1->image();
  OwnTexts own(*this);
  operationmarker = marker::QslPrint;
  const int shift = layoutShift(*this);
  {
    PersistentDrawing persistent(Picture1);
    Picture1->PaintPicture(Picture14->picture(), BandPanelX + shift, rows.panel, raster::QslPanelWidth,
                           raster::QslPanelHeight);
  }
  if (isArmed(Label31)) Label31_Click();
  keepFont(*this);
  savedtext[4] = QString::number(Check16->value());
  savedtext[6] = QString::number(Check15->value());
  Check16->setValue(0);
  Check15->setValue(1);
  platform::DoEvents();
  Text1->setFocus();

  const stamps::QslBand band = stamps::qslBand(qslSettings(*this), Text15->text(), env.clock);
  qsldefaults[3] = Text9->text();
  qsldefaults[4] = band.report;
  qsldefaults[2] = band.storedCall;
  const bool wasBold = Picture1->font.bold();
  drawBand(*this, band, rows, shift);

  platform::DoEvents();
  restoreFont(*this);
  Check16->setValue(savedtext[4].toInt());
  Check15->setValue(savedtext[6].toInt());
  if (!wasBold) Picture1->font.setBold(false);
  Picture1->commit();
  operationmarker = 0;
  pictureReplaced(before);
  // Switching the outline on above drew Text1's text on the erasable layer; nothing is pending.
  Picture1->Cls();
}

void Form1::Label53_MouseDown(int, int, double, double) { Label53->setBackColor(Armed); }

void Form1::Label53_Click() {
  Option1_Click();
  Check16->setValue(0);
  Command12_Click();
  const QImage before = Picture1->image();
  keepFont(*this);
  OwnTexts own(*this);
  const int shift = layoutShift(*this);
  const stamps::DateStamp stamp = stamps::dateStamp(qslSettings(*this), env.clock);
  qsldefaults[2] = stamp.ownCall;
  {
    PersistentDrawing persistent(Picture1);
    useStampFont(*this, StampSize);
    operationmarker = marker::QslPrint;
    Picture1->PaintPicture(Picture14->picture(), StampStripX + shift, StampStripY, StampStripWidth, StampStripHeight);
    printAt(*this, StampCallX + shift, StampY, stamp.printedCall);
    printAt(*this, StampTimeX + shift, StampY, stamp.timeLine);
  }
  Picture1->commit();
  restoreFont(*this);
  Label53->setBackColor(Idle);
  operationmarker = 0;
  pictureReplaced(before);
}
