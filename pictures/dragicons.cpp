#include "pictures/dragicons.h"

#include <QDrag>
#include <QPainter>
#include <QVariant>

#include "app/form1.h"

namespace {

constexpr const char* DragIconProperty = "marvaneDragIcon";
constexpr int IconSide = 32;

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

}  // namespace

QPixmap dragIcon(const QWidget* control) { return control->property(DragIconProperty).value<QPixmap>(); }

void setDragIcon(QWidget* control, const QPixmap& icon) { control->setProperty(DragIconProperty, icon); }

QPixmap drawNormalDragIcon() { return drawIcon(false); }
QPixmap drawDropAllowedIcon() { return drawIcon(true); }

void setDragCursors(const Form1& f, QDrag* drag) {
  const QPixmap normal = dragIcon(f.Drive1);
  drag->setDragCursor(dragIcon(f.Dir1), Qt::CopyAction);
  drag->setDragCursor(normal, Qt::MoveAction);
  drag->setDragCursor(normal, Qt::IgnoreAction);
}

QWidget* Form1::draggedControl() const {
  switch (dragsource) {
    case drag::MainPicture: return Picture1;
    case drag::ImportButton: return Command1;
    case drag::Mugshot: return Image7;
    default: break;
  }
  if (dragsource >= drag::FirstThumbnail && dragsource < drag::FirstThumbnail + 4) return stripBox(dragsource);
  const int k = dragsource - drag::FirstBrowseThumbnail + 1;
  return k >= 1 && k <= 4 ? browseBox(k) : nullptr;
}

void Form1::iconon() {
  if (QWidget* dragged = draggedControl()) setDragIcon(dragged, dragIcon(Dir1));
}

void Form1::iconoff() {
  const QPixmap normal = dragIcon(Drive1);
  if (QWidget* dragged = draggedControl()) setDragIcon(dragged, normal);
  for (int n = 1; n <= 12; ++n) setDragIcon(palette[n], normal);
}

Qt::DropAction Form1::dropActionShown() const {
  const QWidget* dragged = draggedControl();
  const bool allowed = dragged && dragIcon(dragged).cacheKey() == dragIcon(Dir1).cacheKey();
  return allowed ? Qt::CopyAction : Qt::MoveAction;
}
