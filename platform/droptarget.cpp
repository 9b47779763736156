#include "platform/droptarget.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QPainter>
#include <QPixmap>

namespace platform {

namespace {

const char* const DragIconProperty = "marvaneDragIcon";

// An arrow with a green plus beside it: the drop will be taken.
QPixmap dropAllowedPointer() {
  QPixmap pm(32, 32);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  const QPoint arrow[] = {{0, 0}, {0, 16}, {4, 12}, {8, 20}, {11, 18}, {7, 11}, {12, 11}};
  p.setPen(Qt::white);
  p.setBrush(Qt::black);
  p.drawPolygon(arrow, int(std::size(arrow)));
  p.fillRect(20, 14, 12, 4, Qt::darkGreen);
  p.fillRect(24, 10, 4, 12, Qt::darkGreen);
  return pm;
}

class DropFilter : public QObject {
 public:
  DropFilter(PictureBox* target, QString mimeType, std::function<void(double, double, int)> over,
             std::function<void(double, double)> drop)
      : QObject(target), target_(target), mimeType_(std::move(mimeType)), over_(std::move(over)), drop_(std::move(drop)) {}

  bool eventFilter(QObject*, QEvent* event) override {
    switch (event->type()) {
      case QEvent::DragEnter:
      case QEvent::DragMove: {
        auto* e = static_cast<QDragMoveEvent*>(event);
        if (!e->mimeData()->hasFormat(mimeType_)) return false;
        e->acceptProposedAction();
        last_ = inDrawingArea(e->position());
        over_(last_.x(), last_.y(), event->type() == QEvent::DragEnter ? DragEnter : DragOver);
        return true;
      }
      case QEvent::DragLeave:
        over_(last_.x(), last_.y(), DragLeave);
        return true;
      case QEvent::Drop: {
        auto* e = static_cast<QDropEvent*>(event);
        if (!e->mimeData()->hasFormat(mimeType_)) return false;
        e->acceptProposedAction();
        const QPointF at = inDrawingArea(e->position());
        drop_(at.x(), at.y());
        return true;
      }
      default:
        return false;
    }
  }

 private:
  // The border lies evenly around the drawing area.
  QPointF inDrawingArea(QPointF p) const {
    return p - QPointF((target_->width() - target_->scaleWidth()) / 2, (target_->height() - target_->scaleHeight()) / 2);
  }
  PictureBox* target_;
  QString mimeType_;
  QPointF last_;
  std::function<void(double, double, int)> over_;
  std::function<void(double, double)> drop_;
};

}  // namespace

void setDragIcon(QWidget* source, DragIcon icon) {
  source->setProperty(DragIconProperty, int(icon));
  // The drag a control starts is its child until it is over.
  const QPixmap pointer = icon == DragIcon::DropAllowed ? dropAllowedPointer() : QPixmap();
  for (QDrag* drag : source->findChildren<QDrag*>(Qt::FindDirectChildrenOnly))
    for (Qt::DropAction action : {Qt::CopyAction, Qt::MoveAction}) drag->setDragCursor(pointer, action);
}

DragIcon dragIcon(const QWidget* source) { return DragIcon(source->property(DragIconProperty).toInt()); }

void takeDrops(PictureBox* target, const QString& mimeType, std::function<void(double x, double y, int state)> over,
               std::function<void(double x, double y)> drop) {
  target->setAcceptDrops(true);
  target->installEventFilter(new DropFilter(target, mimeType, std::move(over), std::move(drop)));
}

}  // namespace platform
