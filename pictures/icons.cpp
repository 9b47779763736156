#include <algorithm>

#include "app/form1.h"
#include "platform/autoredraw.h"
#include "platform/colour.h"
#include "platform/exeicons.h"

using namespace colour::state;

namespace {

// Where each icon is drawn on the work picture that then goes into its box.
constexpr int IconLeft = 32;
constexpr int IconTop = 7;
constexpr int IconSide = platform::ExeIcons::DrawnSide;

}  // namespace

void Form1::Label43_Click() {
  File1->setPattern(QStringLiteral("*.exe;*.dll"));
  File1->setCurrentRow(File1->count() > 0 ? 0 : -1);
  clearformatlabels();
  Label43->setBackColor(Selected);
  iconindex = 0;
  emptyBrowseBoxes();
  Label13_Click();
}

// A page past the last icon leaves the boxes as they are; one before the first shows the first.
void Form1::grabicons() {
  iconfile = PicbufVisible->fileName;
  Picture3->clearPicture();
  const platform::ExeIcons icons = platform::ExeIcons::fromFile(iconfile);
  iconcount = icons.count();
  Label39->setCaption(QString::number(iconcount));
  Label39->setBackColor(Selected);
  if (iconindex >= iconcount) {
    iconindex = iconcount;
    return;
  }
  iconindex = std::max(iconindex, 0);
  emptyBrowseBoxes();
  const PersistentDrawing persistent(Picture3);
  for (int k = 1; k <= 4 && iconindex < iconcount; ++k, ++iconindex) {
    Picture3->clearPicture();
    Picture3->PaintPicture(icons.icon(iconindex, Picture3->backColor()), IconLeft, IconTop, IconSide, IconSide);
    browseBox(k)->setPicture(Picture3->image());
  }
}
