#include "platform/dialogs.h"

#include <QApplication>
#include <QMessageBox>

int QtDialogs::MsgBox(const QString& prompt, int buttons, const QString& title) {
  QMessageBox box(QMessageBox::NoIcon, title, prompt, QMessageBox::NoButton, QApplication::activeWindow());
  QList<QMessageBox::StandardButton> order;
  switch (buttons & 0xF) {
    case vb::OKCancel: order = {QMessageBox::Ok, QMessageBox::Cancel}; break;
    case vb::YesNoCancel: order = {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel}; break;
    case vb::YesNo: order = {QMessageBox::Yes, QMessageBox::No}; break;
    default: order = {QMessageBox::Ok}; break;
  }
  for (auto b : order) box.addButton(b);
  const int defaultIndex = (buttons & vb::DefaultButton2) && order.size() > 1 ? 1 : 0;
  box.setDefaultButton(order[defaultIndex]);
  if (order.contains(QMessageBox::Cancel)) box.setEscapeButton(QMessageBox::Cancel);
  switch (box.exec()) {
    case QMessageBox::Yes: return vb::Yes;
    case QMessageBox::No: return vb::No;
    case QMessageBox::Cancel: return vb::Cancel;
    default: return vb::OK;
  }
}
