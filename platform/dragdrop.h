#pragma once

#include <QPixmap>
#include <QPointer>
#include <QStringList>
#include <functional>

class QDrag;
class QMimeData;
class QWidget;

// Drags between the main window's own controls, and files dragged in from the desktop.
namespace platform {

// Every control that can be dragged carries a drag icon, as Windows controls do. The system has
// two: the normal one, and the one that says the control under the pointer takes the drop. Each is
// drawn anew by every call; a control keeps the one it is given until it is given another.
QPixmap drawNormalDragIcon();
QPixmap drawDropAllowedIcon();
QPixmap dragIcon(const QWidget* control);
void setDragIcon(QWidget* control, const QPixmap& icon);

// The drag of one of this window's controls. While it lasts the pointer is the control's drag
// icon, and it changes as soon as the control is given another: that is how the drop targets'
// handlers tell the operator what a drop there would do. One drag at a time.
class ControlDrag {
 public:
  explicit ControlDrag(QWidget* source);
  ~ControlDrag();
  ControlDrag(const ControlDrag&) = delete;
  ControlDrag& operator=(const ControlDrag&) = delete;

  // Drags until the control is let go of. A drop on a control of this window has run by the time
  // it returns: after the drag, so that a question the drop asks does not find the pointer still
  // held, and before the pressed control's handler goes on, so that its state stands for the drop.
  void exec();
  // What the pointer shows, over a drop target or elsewhere.
  QPixmap pointer() const;
  // What the drag carries: a target knows a drag of this window by it.
  const QMimeData* data() const;

 private:
  friend void setDragIcon(QWidget*, const QPixmap&);
  void showIcon(const QPixmap& icon);
  QWidget* source_;
  QPointer<QDrag> drag_;
  bool ran_ = false;
};

// Drags `source` (a ControlDrag, run to its end).
void runDrag(QWidget* source);

// What a control does with the drags that come over it; a missing call is not offered. The first
// four hear the drags of this window's controls; `fileDrop` takes files from the desktop, and runs
// once the event loop is back, since the desktop's drag waits for the answer. Points are in the
// control's own pixels (a picture box's drawing area).
struct DropTarget {
  std::function<void()> dragEnter;
  std::function<void()> dragMove;
  std::function<void()> dragLeave;
  std::function<void(double x, double y)> drop;
  std::function<void(const QStringList& files, double x, double y)> fileDrop;
};
void takeDrops(QWidget* target, DropTarget handlers);

}  // namespace platform
