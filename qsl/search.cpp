#include <utility>

#include "app/form1.h"
#include "platform/colour.h"
#include "qsl/logsearch.h"

using colour::state::Armed;
using colour::state::Idle;

namespace {

constexpr long ListBackColour = 0xC0FFFF;
constexpr long TextBackColour = 0xC0C0C0;
constexpr int ListHeight = 132;
constexpr int ListFontSize = 8;

// Text1 grows over the controls below it to show the list. False when a click among the window
// events let run meanwhile ended the search, or ended it and began another: Text1 lends nothing
// for this one.
bool showList(Form1& f) {
  f.Label48->setBackColor(Armed);
  f.Text1->resize(f.Text1->width(), ListHeight);
  f.Text1->setBackColor(ListBackColour);
  f.Text1->raise();
  platform::DoEvents();
  if (!f.isArmed(f.Label48) || f.searchfont) return false;
  f.qsldefaults[6] = f.Text1->text();
  f.Text1->setText(QString());
  f.searchfont = f.Text1->font();
  QFont small(QStringLiteral("arial"));
  small.setPointSize(ListFontSize);
  f.Text1->setFont(small);
  return true;
}

// Text1 gets back its size and colour, and its text and font once it has lent them to the list: a
// click among the window events the search lets run while it sets the list up may end it first.
void endSearch(Form1& f) {
  f.Label48->setBackColor(Idle);
  f.Text1->setBackColor(TextBackColour);
  f.Text1->resize(f.Text1->width(), Form1::Text1Height);
  f.Text1->lower();
  if (!f.searchfont) return;
  f.Text1->setFont(*std::exchange(f.searchfont, std::nullopt));
  f.Text1->setText(f.qsldefaults[6]);
}

}  // namespace

void Form1::Label48_Click() {
  if (isArmed(Label48)) return endSearch(*this);
  if (!showList(*this)) return;
  wildlogsearch();
  Text1->moveCursor(QTextCursor::End);
  Text3->setFocus();
}

QFont Form1::textFont() const { return searchfont.value_or(Text1->font()); }

void Form1::setTextFont(const QFont& font) {
  if (searchfont) searchfont = font;
  else Text1->setFont(font);
}

void Form1::wildlogsearch() { Text1->setText(logbook::wildcardList(logtext, logupper, Text3->text())); }

void Form1::Text1_MouseDown(int, int, double, double) {
  Frame2->hide();
  if (Text1->backColor() == ListBackColour) {
    Label48_Click();
    Text3->setFocus();
    return;
  }
  Label32->setBackColor(Idle);
}
