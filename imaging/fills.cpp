#include "app/codes.h"
#include "app/form1.h"
#include "platform/colour.h"

using namespace colour::state;

void Form1::Label32_Click() {
  Option1_Click();
  if (isArmed(Label32)) {
    Label32->setBackColor(Idle);
    Picture1->setMousePointer(0);
    return;
  }
  if (isArmed(Label38)) Label38_Click();
  Command12_Click();
  if (!Option1->value()) return;
  Label32->setBackColor(Armed);
  dragsource = drag::Nothing;
  if (isArmed(Label31)) {
    // The fill works on horizontal text only.
    Label31->setBackColor(Idle);
    Label31->setCaption(QStringLiteral("Horiz"));
    VScroll3->hide();
    Text1->setText(QString());
  }
  // The fill replaces colours of the picture as it stands now.
  Image6->setPicture(Picture1->image());
}

void Form1::Label38_Click() {
  if (Label34->caption() != QStringLiteral(" Normal")) {
    // A Grad or Stripes preview would hide the colours the flood must find.
    Picture1->Cls();
    if (gradChosen()) releaseTextHorizontal(Check16->value() == 1);
    Label34->setCaption(QStringLiteral(" Normal"));
    Label34->setBackColor(Idle);
    textsettings[7] = QString::number(Picture1->foreColor());
    styleapplied = 0;
  }
  Option1_Click();
  if (isArmed(Label38)) {
    Label38->setBackColor(Idle);
    Picture1->setForeColor(savedforecolour);
    Label25->setBackColor(savedforecolour);
    return;
  }
  if (isArmed(Label32)) Label32_Click();
  // The dropped colours change the pen; the operator's own colour comes back when ColFill ends.
  savedforecolour = Picture1->foreColor();
  Picture1->Cls();
  dragsource = drag::Nothing;
  Command12_Click();
  Label38->setBackColor(Armed);
}
