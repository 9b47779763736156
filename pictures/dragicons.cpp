#include "app/codes.h"
#include "app/form1.h"
#include "platform/dragdrop.h"

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

void Form1::giveDropAllowedIcon(QWidget* control) { platform::setDragIcon(control, platform::dragIcon(Dir1)); }

void Form1::giveNormalIcon(QWidget* control) { platform::setDragIcon(control, platform::dragIcon(Drive1)); }

void Form1::iconon() {
  if (QWidget* dragged = draggedControl()) giveDropAllowedIcon(dragged);
}

void Form1::iconoff() {
  if (QWidget* dragged = draggedControl()) giveNormalIcon(dragged);
  for (int n = 1; n <= 12; ++n) giveNormalIcon(palette[n]);
}
