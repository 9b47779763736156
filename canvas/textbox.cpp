#include "app/form1.h"

void Form1::Text1_Change() {
  // Pending text is thrown away at every edit, so the edited text is placed anew.
  Command12_Click();
  markedtext.clear();
}

void Form1::Text1_DblClick() {
  setNothingPending();
  Text1->setText(QString());
  Picture1->Cls();
}

void Form1::Text1_MouseUp(int, int, double, double) {
  // The release comes from Text1, which then has the focus even while the window is inactive.
  QWidget* focused = focusWidget();
  markedtext = platform::selectedTextOf(focused ? focused : Text1);
}

void Form1::File1_MouseUp(int, int, double x, double y) {
  // The anchor takes the list's own coordinates, unconverted.
  Picture1->currentX = x;
  startx = x;
  Picture1->currentY = y;
  starty = y;
}

void Form1::HScroll1_Change() {
  Picture1->setDrawWidth(HScroll1->value());
  Text6->setText(QString::number(HScroll1->value()));
}

void Form1::VScroll4_Change() {
  Picture1->Cls();
  // The aspect follows the number of changes, not the distance the thumb moved.
  if (VScroll4->value() > shapescrollvalue) shapeaspect = shapeaspect * 10 / 9;
  if (VScroll4->value() < shapescrollvalue) shapeaspect = shapeaspect * 9 / 10;
  const QString shape = Combo1->text();
  if (shape == QStringLiteral("Ellipse") || shape == QStringLiteral("Box")) drawThingsShape(startx, starty);
  shapescrollvalue = VScroll4->value();
}
