#include "app/controlkit.h"

#include <QAbstractScrollArea>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

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

namespace {

// Turns the toolkit's drag events of one control into the handlers of DropHandlers. Lists take
// drops in their viewport, so the filter sits there and maps points back to the control.
class DropFilter : public QObject {
 public:
  DropFilter(QWidget* target, QWidget* receiver, Form1& f, controlkit::DropHandlers h)
      : QObject(target), target_(target), receiver_(receiver), f_(f), h_(std::move(h)) {}

  bool eventFilter(QObject*, QEvent* e) override {
    switch (e->type()) {
      case QEvent::DragEnter: enter(static_cast<QDragEnterEvent*>(e)); return true;
      case QEvent::DragMove: move(static_cast<QDragMoveEvent*>(e)); return true;
      case QEvent::DragLeave: leave(); return true;
      case QEvent::Drop: drop(static_cast<QDropEvent*>(e)); return true;
      default: return false;
    }
  }

 private:
  static bool ours(const QMimeData* m) { return m->hasFormat(QString::fromLatin1(Form1::dragSourceMime)); }

  static QStringList localFiles(const QMimeData* m) {
    QStringList files;
    for (const QUrl& url : m->urls())
      if (url.isLocalFile()) files << url.toLocalFile();
    return files;
  }

  bool takesFiles(const QMimeData* m) const { return h_.oleDragDrop && !localFiles(m).isEmpty(); }

  // The drag shows the dragged control's icon through the action the target accepts.
  void show(QDragMoveEvent* e) {
    e->setDropAction(f_.dropActionShown());
    e->accept();
  }

  void enter(QDragEnterEvent* e) {
    if (ours(e->mimeData())) {
      inside_ = true;
      if (h_.dragOver) h_.dragOver(dragstate::Enter);
      show(e);
    } else if (takesFiles(e->mimeData())) {
      e->setDropAction(Qt::CopyAction);
      e->accept();
    } else {
      e->ignore();
    }
  }

  void move(QDragMoveEvent* e) {
    if (!ours(e->mimeData())) return takesFiles(e->mimeData()) ? e->accept() : e->ignore();
    if (h_.dragOver) h_.dragOver(dragstate::Over);
    show(e);
  }

  void leave() {
    if (!inside_) return;
    inside_ = false;
    if (h_.dragOver) h_.dragOver(dragstate::Leave);
  }

  void drop(QDropEvent* e) {
    const QPointF at = receiver_->mapTo(target_, e->position().toPoint());
    const QMimeData* m = e->mimeData();
    if (ours(m) && h_.dragDrop) {
      inside_ = false;
      e->setDropAction(f_.dropActionShown());
      e->accept();
      later([drop = h_.dragDrop, at] { drop(at.x(), at.y()); });
    } else if (takesFiles(m)) {
      e->setDropAction(Qt::CopyAction);
      e->accept();
      later([drop = h_.oleDragDrop, files = localFiles(m), at] { drop(files, at.x(), at.y()); });
    } else {
      e->ignore();
    }
  }

  void later(std::function<void()> work) { QMetaObject::invokeMethod(target_, std::move(work), Qt::QueuedConnection); }

  QWidget* target_;
  QWidget* receiver_;
  Form1& f_;
  controlkit::DropHandlers h_;
  bool inside_ = false;
};

}  // namespace

namespace controlkit {

void acceptDrops(QWidget* target, Form1& f, DropHandlers handlers) {
  auto* area = qobject_cast<QAbstractScrollArea*>(target);
  QWidget* receiver = area ? area->viewport() : target;
  target->setAcceptDrops(true);
  receiver->setAcceptDrops(true);
  receiver->installEventFilter(new DropFilter(target, receiver, f, std::move(handlers)));
}

}  // namespace controlkit
