#pragma once

#include <QString>
#include <QWidget>
#include <functional>

#include "platform/picturebox.h"

// Drags between the main window's own controls, as the handlers see them.
namespace platform {

// The icon a control shows while it is dragged: the normal one, or the one that says the control
// under the pointer takes the drop. A control keeps its icon from one drag to the next; setting it
// while the control's own drag runs changes the pointer at once.
enum class DragIcon { Normal, DropAllowed };
void setDragIcon(QWidget* source, DragIcon icon);
DragIcon dragIcon(const QWidget* source);

// The drag-over states the handlers are told.
enum DragState { DragEnter = 0, DragLeave = 1, DragOver = 2 };

// Makes `target` take the drags that carry `mimeType`: `over` hears the drag enter, move and
// leave, `drop` the drop. Positions are pixels of the box's drawing area, as its mouse events
// give them (a leave repeats the last position).
void takeDrops(PictureBox* target, const QString& mimeType, std::function<void(double x, double y, int state)> over,
               std::function<void(double x, double y)> drop);

}  // namespace platform
