#include <QTextCursor>

#include "app/form1.h"
#include "platform/colour.h"
#include "platform/textfont.h"
#include "qsl/messagelist.h"

namespace {

const QString Closed = QStringLiteral("Load Msg");
const QString Open = QStringLiteral("Exit  Msg");

void closeList(Form1& f) {
  f.hideMessageList();
  f.Frame1->hide();
}

// The list closes behind the message it gave, and the text direction shows horizontal (without
// the direction button's own handler).
void closeForText(Form1& f) {
  closeList(f);
  f.Label31->setBackColor(colour::state::Idle);
  f.Label31->setCaption(QStringLiteral("Horiz"));
  f.VScroll3->hide();
  f.Text1->setFocus();
}

// The caret of the list as a position in its text, whose line breaks are CR LF: one character more
// for each paragraph before the caret (a line separator inside a paragraph stays one character).
qsizetype caretInList(const TextBox* list) {
  const QTextCursor caret = list->textCursor();
  return caret.position() + caret.blockNumber();
}

}  // namespace

void Form1::Command8_Click() {
  Text1->setFocus();
  if (!Frame9->isHidden()) return;
  if (Command8->caption() == Closed) {
    Text2->show();
    setWidgetBold(Command8, true);
    Command8->setCaption(Open);
  } else if (Command8->caption() == Open) {
    closeList(*this);
  }
}

void Form1::hideMessageList() {
  Text2->hide();
  setWidgetBold(Command8, false);
  Command8->setCaption(Closed);
}

void Form1::Text2_DblClick() {
  if (isArmed(Label48)) {
    // The search's list stands in Text1: no message is taken.
    hideMessageList();
    return;
  }
  Text1->setText(messagelist::pickMessage(Text2->text(), caretInList(Text2)));
  // After the text: its change clears the picture's erasable layer and with it the position.
  Picture1->currentX = startx;
  Picture1->currentY = starty;
  closeForText(*this);
}

void Form1::Text2_MouseUp(int, int, double, double) {
  const QString marked = platform::selectedTextOf(focusWidget());
  if (marked.isEmpty()) return;
  Text1->setText(marked);
  closeForText(*this);
}
