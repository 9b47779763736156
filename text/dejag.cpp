#include "app/form1.h"
#include "platform/colour.h"
#include "text/waitcursor.h"

using namespace colour::state;

namespace {

// Soften first and last, Sharpen between: 6 Soften and 5 Sharpen.
constexpr int dejagPasses = 11;

}  // namespace

void Form1::Label35_Click() {
  if (isArmed(Label26)) {
    env.dialogs->MsgBox(QStringLiteral("Picture must be 'SET' first"), vb::OKOnly, QString());
    Text1->setFocus();
    return;
  }
  Command12_Click();
  Label35->setBackColor(Armed);
  const WaitCursor busy(this);
  // The red button shows before the passes; only a repaint, so no other click runs meanwhile.
  Label35->repaint();
  Picture1->Cls();
  Label26->setBackColor(SetIdle);
  const QImage before = Picture1->image();
  PicbufVisible->setPicture(before);
  for (int pass = 0; pass < dejagPasses; ++pass) {
    if (pass % 2 == 0)
      Command41_Click();
    else
      Command39_Click();
  }
  Picture1->setPicture(PicbufVisible->picture());
  // OOPS takes the dejagging back; the committed copy follows, so that a later turn of the whole
  // picture turns this one.
  pictureReplaced(before);
  Label35->setBackColor(Idle);
}
