#pragma once

#include <QPixmap>
#include <QStringList>
#include <functional>

class QWidget;

// Drags between the main window's own controls, and files dragged in from the desktop.
namespace platform {

// Every control that can be dragged carries a drag icon, as the old controls did. The system has
// two: the normal one, and the one that says the control under the pointer takes the drop. Each is
// drawn anew by every call; a control keeps the one it is given until it is given another.
QPixmap drawNormalDragIcon();
QPixmap drawDropAllowedIcon();
QPixmap dragIcon(const QWidget* control);
void setDragIcon(QWidget* control, const QPixmap& icon);

// Drags `source` until it is let go of. Over a control that says the dragged control shows the
// drop-allowed icon (DropTarget::showsDropAllowed) the pointer is `dropAllowed`, elsewhere
// `normal`. A drop on a control of this window has run by the time it returns: after the drag, so
// that a question the drop asks does not find the pointer still held, and before the pressed
// control's handler goes on, so that its state stands for the drop.
void runDrag(QWidget* source, const QPixmap& dropAllowed, const QPixmap& normal);

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
  // Asked after every enter and move: does the dragged control show the drop-allowed icon?
  std::function<bool(const QWidget* dragged)> showsDropAllowed;
};
void takeDrops(QWidget* target, DropTarget handlers);

}  // namespace platform
