#include "app/controlkit.h"
#include "platform/colour.h"
#include "sstvlink/layout.h"
#include "sstvlink/programs.h"

using namespace colour::state;
using namespace controlkit;

namespace {

void createButtons(Form1& f, QWidget* c) {
  f.Command1 =
      command(c, QStringLiteral("Paste"), QStringLiteral("Drag from here and drop on  main or thumbnail screen"));
  f.Command3 = command(c, QStringLiteral("Copy"),
                       QStringLiteral("Drag from main (use Right mouse button) or from thumbnail screen (either mouse "
                                      "button) and drop here, or click to transfer main screen"));
  f.Text7 = indicator(c, QStringLiteral("R"), Off, QStringLiteral("Brings up RX thumbnails of selected program"));
  f.HScroll3 = new ScrollBar(Qt::Horizontal, 1, 9, 1, c);
  f.HScroll3->hide();
}

// The Setup menu: one checkable item per program of the table, then the receive directory's item.
void createSetupMenu(Form1& f) {
  for (const SstvProgram& p : sstvPrograms()) {
    QAction* item = f.copypaste->addAction(p.menuCaption);
    item->setCheckable(true);
    f.*(p.menu) = item;
    on(item, &QAction::triggered, f, p.choose);
  }
  f.copypaste->addSeparator();
  f.sdrx = f.copypaste->addAction(QStringLiteral("Set Directory for RX thumbnails, nothing selected"));
}

void placeControls(Form1& f) {
  place(f.Command1, 192, 320, 170, 24);
  place(f.Command3, 364, 320, 152, 24);
  place(f.Text7, narrowLayout.thumbnailLeft, 440, 22, 22);
  place(f.HScroll3, narrowLayout.thumbnailLeft + 25, 443, 76, 16);
}

}  // namespace

void buildSstvLinkControls(Form1& f, QWidget* central) {
  createButtons(f, central);
  createSetupMenu(f);
  placeControls(f);
}
