#include "platform/dragdrop.h"

#include <QAbstractScrollArea>
#include <QDrag>
#include <QDropEvent>
#include <QMimeData>
#include <QPainter>
#include <QUrl>
#include <QVariant>
#include <optional>
#include <utility>

#include "platform/picturebox.h"

namespace platform {

namespace {

// Marks the drags of this window's controls. What is dragged travels in the handlers' own codes,
// so the data says nothing more.
const QString OwnDragMime = QStringLiteral("application/x-marvane-control");
constexpr const char* DragIconProperty = "marvaneDragIcon";
constexpr int IconSide = 32;

// The drop a control took from a drag of this window, kept until the drag is over.
std::function<void()>& dropAfterDrag() {
  static std::function<void()> drop;
  return drop;
}

ControlDrag*& underWay() {
  static ControlDrag* drag = nullptr;
  return drag;
}

// A small framed picture: what is dragged.
void drawPicture(QPainter& p) {
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(QColor(255, 255, 255));
  p.drawRect(2, 2, 20, 16);
  p.fillRect(4, 4, 8, 6, QColor(0, 0, 255));
  p.fillRect(12, 10, 8, 6, QColor(255, 0, 0));
}

QPixmap drawIcon(bool dropAllowed) {
  QPixmap icon(IconSide, IconSide);
  icon.fill(Qt::transparent);
  QPainter p(&icon);
  drawPicture(p);
  if (dropAllowed) {
    // A green plus: the control under the pointer takes the drop.
    p.fillRect(18, 22, 12, 4, QColor(0, 160, 0));
    p.fillRect(22, 18, 4, 12, QColor(0, 160, 0));
  }
  return icon;
}

// Only the drag of a control of this window: another program's drag cannot carry it.
bool ownDrag(const QDropEvent* e) { return underWay() && e->mimeData()->hasFormat(OwnDragMime); }

QStringList localFiles(const QMimeData* m) {
  QStringList files;
  for (const QUrl& url : m->urls())
    if (url.isLocalFile()) files << url.toLocalFile();
  return files;
}

// Turns the toolkit's drag events of one control into the calls of DropTarget. Lists take drops
// in their viewport, so the filter sits there and maps points back to the control.
class DropFilter : public QObject {
 public:
  DropFilter(QWidget* target, QWidget* receiver, DropTarget h)
      : QObject(target), target_(target), receiver_(receiver), h_(std::move(h)) {}

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
  static void call(const std::function<void()>& handler) {
    if (handler) handler();
  }

  // Another program's data is fetched from it on every request, and a request can come back
  // empty, at the drop above all: the files are read once, when the drag enters, and kept.
  bool takesFiles() const { return h_.fileDrop && !offered_.isEmpty(); }

  // A target takes every drag of this window's controls, so that each move reaches its handler;
  // what a drop there does, the pointer says through the dragged control's icon.
  static void takeOwn(QDropEvent* e) {
    e->setDropAction(Qt::MoveAction);
    e->accept();
  }

  void takeFiles(QDropEvent* e) const {
    e->setDropAction(Qt::CopyAction);
    e->accept();
  }

  void enter(QDragEnterEvent* e) {
    offered_ = ownDrag(e) || !h_.fileDrop ? QStringList() : localFiles(e->mimeData());
    if (ownDrag(e)) {
      inside_ = true;
      enteredAt_ = e->position();
      call(h_.dragEnter);
      takeOwn(e);
    } else if (takesFiles()) {
      takeFiles(e);
    } else {
      e->ignore();
    }
  }

  void move(QDragMoveEvent* e) {
    // The toolkit follows every enter with a move to the same point; only the pointer's own moves
    // are moves over the control.
    const bool echoOfEnter = std::exchange(enteredAt_, std::nullopt) == e->position();
    if (ownDrag(e)) {
      if (!echoOfEnter) call(h_.dragMove);
      takeOwn(e);
    } else if (takesFiles()) {
      takeFiles(e);
    } else {
      e->ignore();
    }
  }

  void leave() {
    if (!inside_) return;
    inside_ = false;
    call(h_.dragLeave);
  }

  void drop(QDropEvent* e) {
    const QPointF at = inTarget(e->position());
    if (ownDrag(e) && h_.drop) {
      inside_ = false;
      takeOwn(e);
      dropAfterDrag() = [drop = h_.drop, at] { drop(at.x(), at.y()); };
    } else if (takesFiles()) {
      takeFiles(e);
      QMetaObject::invokeMethod(
          target_, [drop = h_.fileDrop, files = offered_, at] { drop(files, at.x(), at.y()); }, Qt::QueuedConnection);
    } else {
      e->ignore();
    }
  }

  // A drop on a picture box lands on its drawing area, whose origin lies inside the border.
  QPointF inTarget(QPointF p) const {
    QPointF at = receiver_->mapTo(target_, p);
    if (const auto* box = qobject_cast<const PictureBox*>(target_)) at -= box->drawingArea().topLeft();
    return at;
  }

  QWidget* target_;
  QWidget* receiver_;
  DropTarget h_;
  bool inside_ = false;
  std::optional<QPointF> enteredAt_;
  QStringList offered_;  // the local files another program's drag offers
};

}  // namespace

QPixmap drawNormalDragIcon() { return drawIcon(false); }
QPixmap drawDropAllowedIcon() { return drawIcon(true); }

QPixmap dragIcon(const QWidget* control) { return control->property(DragIconProperty).value<QPixmap>(); }

void setDragIcon(QWidget* control, const QPixmap& icon) {
  control->setProperty(DragIconProperty, icon);
  if (ControlDrag* drag = underWay(); drag && drag->source_ == control) drag->showIcon(icon);
}

ControlDrag::ControlDrag(QWidget* source) : source_(source), drag_(new QDrag(source)) {
  auto* data = new QMimeData;
  data->setData(OwnDragMime, QByteArrayLiteral("control"));
  drag_->setMimeData(data);
  showIcon(dragIcon(source));
  underWay() = this;
}

// A drag that has run is the toolkit's to delete.
ControlDrag::~ControlDrag() {
  if (underWay() == this) underWay() = nullptr;
  if (!ran_) delete drag_.data();
}

void ControlDrag::exec() {
  ran_ = true;
  drag_->exec(Qt::MoveAction);
  underWay() = nullptr;
  if (const std::function<void()> drop = std::exchange(dropAfterDrag(), nullptr)) drop();
}

// The toolkit sets the pointer from the drag's cursor for the action a target takes, or for none
// where no target takes the drag, each time a target answers: the icon goes to both.
void ControlDrag::showIcon(const QPixmap& icon) {
  for (Qt::DropAction action : {Qt::MoveAction, Qt::IgnoreAction}) drag_->setDragCursor(icon, action);
}

QPixmap ControlDrag::pointer() const { return drag_->dragCursor(Qt::MoveAction); }

const QMimeData* ControlDrag::data() const { return drag_->mimeData(); }

void runDrag(QWidget* source) { ControlDrag(source).exec(); }

void takeDrops(QWidget* target, DropTarget handlers) {
  auto* area = qobject_cast<QAbstractScrollArea*>(target);
  QWidget* receiver = area ? area->viewport() : target;
  target->setAcceptDrops(true);
  receiver->setAcceptDrops(true);
  receiver->installEventFilter(new DropFilter(target, receiver, std::move(handlers)));
}

}  // namespace platform
