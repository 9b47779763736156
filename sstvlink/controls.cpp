#include "app/controlkit.h"
#include "platform/colour.h"
#include "platform/filelists.h"
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
  f.Command11 = command(c, QStringLiteral("Copy"),
                        QStringLiteral("Copies the main picture to the clipboard, or a picture dropped here"));
  f.Text7 = indicator(c, QStringLiteral("R"), Off, QStringLiteral("Brings up RX thumbnails of selected program"));
  f.HScroll3 = new ScrollBar(Qt::Horizontal, 1, 9, 1, c);
  f.HScroll3->hide();
  // Never shown, and takes no room.
  f.File2 = new FileListBox(c);
  f.File2->setPattern(QStringLiteral("*"));
  f.File2->hide();
  place(f.File2, 0, 0, 0, 0);
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
  place(f.Command11, narrowLayout.thumbnailLeft, 498, 101, 24);
  place(f.Text7, narrowLayout.thumbnailLeft, 440, 22, 22);
  place(f.HScroll3, narrowLayout.thumbnailLeft + 25, 443, 76, 16);
}

void wireControls(Form1& f) {
  QObject::connect(f.Command1, &CommandButton::mouseDown, &f, &Form1::Command1_MouseDown);
  on(f.Command3, &QPushButton::clicked, f, &Form1::Command3_Click);
  acceptDrops(f.Command3, {[&f](int state) { f.Command3_DragOver(state); }, [&f](double, double) { f.Command3_DragDrop(); },
               [&f](const QStringList& files, double, double) { f.Command3_OLEDragDrop(files); }});
  on(f.Command11, &QPushButton::clicked, f, &Form1::Command11_Click);
  acceptDrops(f.Command11, {[&f](int state) { f.Command11_DragOver(state); }, [&f](double, double) { f.Command11_DragDrop(); }, {}});
  on(f.Text7, &TextField::mouseDown, f, &Form1::Text7_GotFocus);
  on(f.Text7, &TextField::mouseUp, f, &Form1::Text7_Click);
  on(f.HScroll3, &ScrollBar::change, f, &Form1::HScroll3_Change);
  on(f.HScroll3, &ScrollBar::gotFocus, f, &Form1::HScroll3_GotFocus);
}

}  // namespace

void buildSstvLinkControls(Form1& f, QWidget* central) {
  createButtons(f, central);
  createSetupMenu(f);
  placeControls(f);
  wireControls(f);
}
