#include "app/controlkit.h"

namespace controlkit {

LabelButton* label(QWidget* parent, const QString& caption, long back, const QString& tip) {
  auto* l = new LabelButton(caption, parent);
  l->setBackColor(back);
  l->setToolTip(tip);
  return l;
}

CommandButton* command(QWidget* parent, const QString& caption, const QString& tip) {
  auto* c = new CommandButton(caption, parent);
  c->setToolTip(tip);
  return c;
}

TextField* indicator(QWidget* parent, const QString& text, long back, const QString& tip) {
  auto* t = new TextField(parent);
  t->setText(text);
  t->setBackColor(back);
  t->setReadOnly(true);
  t->setFocusPolicy(Qt::NoFocus);
  t->setToolTip(tip);
  return t;
}

}  // namespace controlkit
