#pragma once

#include <QPixmap>

class Form1;
class QDrag;
class QWidget;

// Every control that can be dragged carries a drag icon, as the old controls did: the icon a drag
// of it shows. Two icons exist, kept as the drag icons of two lists that are never dragged: the
// drop-allowed icon of Dir1 and the normal icon of Drive1. The drop targets' DragOver handlers
// hand one or the other to the dragged control while the drag goes on.
QPixmap dragIcon(const QWidget* control);
void setDragIcon(QWidget* control, const QPixmap& icon);

// The two icons, drawn once when the lists are made.
QPixmap drawNormalDragIcon();
QPixmap drawDropAllowedIcon();

// A drag shows the drop-allowed icon for the copy action and the normal one otherwise; the drop
// targets choose the action by the dragged control's icon.
void setDragCursors(const Form1& f, QDrag* drag);
