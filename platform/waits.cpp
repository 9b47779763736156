#include "platform/waits.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

namespace platform {

namespace {

bool stopped = false;

bool isDrag(QEvent::Type type) { return type == QEvent::DragEnter || type == QEvent::DragMove || type == QEvent::Drop; }

// Qt holds all of the operator's input back while a loop excludes it, the window manager's close
// request among it, so that a close asked for during a wait would not be heard until the wait
// ended. Dropping only what starts something keeps the close, and lets a press begun before the
// wait end where it began.
bool startsSomething(QEvent::Type type) {
  switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TabletPress:
      return true;
    default:
      return isDrag(type);
  }
}

// Drops the events `drops` names, for as long as it lives. A drag event dropped is left refused,
// so the program dragging from shows that nothing takes it here.
class EventDrop : public QObject {
 public:
  explicit EventDrop(bool (*drops)(QEvent::Type)) : drops_(drops) { QCoreApplication::instance()->installEventFilter(this); }
  ~EventDrop() override { QCoreApplication::instance()->removeEventFilter(this); }
  EventDrop(const EventDrop&) = delete;
  EventDrop& operator=(const EventDrop&) = delete;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (!drops_(event->type())) return false;
    event->ignore();
    return true;
  }

 private:
  bool (*drops_)(QEvent::Type);
};

}  // namespace

DropsRefused::DropsRefused() : filter_(std::make_unique<EventDrop>(isDrag)) {}
DropsRefused::~DropsRefused() = default;

bool runEventsUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
  const EventDrop drop(startsSomething);
  QTimer deadline;
  deadline.setSingleShot(true);
  deadline.start(limit);
  bool reached = done();
  while (!reached && deadline.isActive()) {
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    reached = done();
  }
  return reached;
}

void runPendingEvents() {
  const EventDrop drop(startsSomething);
  QCoreApplication::processEvents();
}

void stopWaiting() { stopped = true; }
void resumeWaiting() { stopped = false; }
bool waitingStopped() { return stopped; }

}  // namespace platform
