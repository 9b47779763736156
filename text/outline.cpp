#include "app/form1.h"
#include "platform/colour.h"
#include "raster/extrude.h"

namespace {

// Text8 shows the palette colour HScroll4 points at (0..11 = Label1..Label12); any other value
// leaves it as it is.
void takeOutlineColour(Form1& f) {
  const int v = f.HScroll4->value();
  if (v >= 0 && v <= 11) f.Text8->setBackColor(f.palette[v + 1]->backColor());
}

}  // namespace

void Form1::Check15_Click() {
  if (!isArmed(Label26) && operationmarker != marker::QslPrint) return;
  if (Check16->value() == 1 || Check15->value() == 0 || Option7->value() || Option8->value()) return;
  const QString keptcolourtext = textsettings[7];
  const long keptfore = Picture1->foreColor();
  const double keptx = startx;
  const double kepty = starty;

  takeOutlineColour(*this);
  textsettings[7] = QString::number(Text8->backColor());
  Picture1->setForeColor(Text8->backColor());
  {
    PictureBox::PrintBatch rim(*Picture1);
    for (const QPoint& o : raster::outlineOffsets(outlineweight.toInt())) {
      startx = keptx + o.x();
      starty = kepty + o.y();
      Picture1->currentX = startx;
      Picture1->currentY = starty;
      printtext();
      startx = keptx;
      starty = kepty;
    }
  }

  textsettings[7] = keptcolourtext;
  Picture1->setForeColor(keptfore);
  Picture1->currentX = startx;
  Picture1->currentY = starty;
  printtext();  // the text in its own colour over the rim
  startx = keptx;
  starty = kepty;
}

void Form1::Check15_MouseUp(int, int, double, double) { effectBoxMouseUp(Check15, &Form1::Check17_Click); }

void Form1::Label47_Click() {
  Picture1->Cls();
  const QString caption = Label47->caption();
  if (caption == QLatin1String("Fine outline")) {
    Label47->setCaption(QStringLiteral("Thin outline"));
    outlineweight = 1;
  } else if (caption == QLatin1String("Thin outline")) {
    Label47->setCaption(QStringLiteral("Bold outline"));
    outlineweight = 2;
  } else if (caption == QLatin1String("Bold outline")) {
    Label47->setCaption(QStringLiteral("Fine outline"));
    outlineweight = 0;
  }
  if (styleapplied == 1) {
    Label36_Click();
    return;
  }
  platform::DoEvents();
  if (!isArmed(Label26)) return;
  printtext();
  Check17_Click();
  // With the shadow on, the shadow already ends with the outline.
  if (Check15->value() == 1 && Check17->value() == 0) Check15_Click();
}

void Form1::HScroll4_Change() {
  if (HScroll4->value() > 11) {
    // Raises this change again, which takes Label1's colour and redraws.
    HScroll4->setValueChecked(0);
    return;
  }
  takeOutlineColour(*this);
  if (!isArmed(Label26)) return;
  if (styleapplied == 1) {
    Label36_Click();
    return;
  }
  // No clearing: the new rim is printed over the old one at the same places.
  Check17_Click();
  if (Check15->value() == 1 && Check17->value() == 0) Check15_Click();
}
