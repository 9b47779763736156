#include "app/controlkit.h"

#include "app/codes.h"
#include "platform/dragdrop.h"

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

void acceptDrops(QWidget* target, DropHandlers handlers) {
  platform::DropTarget t;
  if (const auto over = handlers.dragOver) {
    t.dragEnter = [over] { over(dragstate::Enter); };
    t.dragMove = [over] { over(dragstate::Over); };
    t.dragLeave = [over] { over(dragstate::Leave); };
  }
  t.drop = std::move(handlers.dragDrop);
  t.fileDrop = std::move(handlers.oleDragDrop);
  platform::takeDrops(target, std::move(t));
}

}  // namespace controlkit
