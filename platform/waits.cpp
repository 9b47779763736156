#include "platform/waits.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

namespace platform {

namespace {

bool stopped = false;

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
      return false;
  }
}

class InputDrop : public QObject {
 public:
  InputDrop() { QCoreApplication::instance()->installEventFilter(this); }
  ~InputDrop() override { QCoreApplication::instance()->removeEventFilter(this); }
  InputDrop(const InputDrop&) = delete;
  InputDrop& operator=(const InputDrop&) = delete;

 protected:
  bool eventFilter(QObject*, QEvent* event) override { return startsSomething(event->type()); }
};

}  // namespace

bool runEventsUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
  const InputDrop drop;
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
  const InputDrop drop;
  QCoreApplication::processEvents();
}

void stopWaiting() { stopped = true; }
void resumeWaiting() { stopped = false; }
bool waitingStopped() { return stopped; }

}  // namespace platform
