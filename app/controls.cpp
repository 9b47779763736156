#include <QLayout>
#include <QMenuBar>

#include "app/controlkit.h"
#include "sstvlink/layout.h"

using namespace controlkit;

namespace {

// File, Setup, Fonts/Colors and Help; the SSTV link fills Setup with its programs, the text
// subsystem Fonts/Colors.
void createMenus(Form1& f) {
  f.fileMenu = f.menuBar()->addMenu(QStringLiteral("File"));
  f.exit = f.fileMenu->addAction(QStringLiteral("Exit"));
  f.copypaste = f.menuBar()->addMenu(QStringLiteral("Setup"));
  f.fontscolors = f.menuBar()->addMenu(QStringLiteral("Fonts/Colors"));
  f.help = f.menuBar()->addMenu(QStringLiteral("Help"));
  f.helpp = f.help->addAction(QStringLiteral("Help"));
  f.tooltipson = f.help->addAction(QStringLiteral("Tool Tips ON"));
  f.tooltipson->setCheckable(true);
  f.tooltipson->setChecked(true);
  f.tooltipsoff = f.help->addAction(QStringLiteral("Tool Tips OFF"));
  f.tooltipsoff->setCheckable(true);
}

// The header menu before Help; the QSL defaults in Setup, after the programs.
void addQslMenus(Form1& f) {
  f.headerMenu = new QMenu(QStringLiteral("Headers"), &f);
  f.headerMenu->addAction(f.makeheader);
  f.headerMenu->addAction(f.makeheader16);
  f.menuBar()->insertMenu(f.help->menuAction(), f.headerMenu);
  f.copypaste->insertAction(f.sdrx, f.qslinfo);
}

// The scanner's two items between the picture files' items and Exit.
void addScannerMenus(Form1& f) {
  f.selectsource = new QAction(QStringLiteral("Twain Select Source"), &f);
  f.acquire = new QAction(QStringLiteral("Twain Acquire"), &f);
  f.fileMenu->insertActions(f.exit, {f.selectsource, f.acquire});
  f.fileMenu->insertSeparator(f.exit);
}

// A check mark that only the handler sets: the menu's own toggle is taken back first, so that a
// handler that refuses leaves the mark as it was.
void onCheckedItem(QAction* item, Form1& f, void (Form1::*handler)()) {
  QObject::connect(item, &QAction::triggered, &f, [item, &f, handler](bool checked) {
    item->setChecked(!checked);
    (f.*handler)();
  });
}

void wireMenus(Form1& f) {
  onCheckedItem(f.makeheader, f, &Form1::makeheader_Click);
  onCheckedItem(f.makeheader16, f, &Form1::makeheader16_Click);
  on(f.qslinfo, &QAction::triggered, f, &Form1::qslinfo_Click);
  on(f.sdrx, &QAction::triggered, f, &Form1::sdrx_Click);
  on(f.selectsource, &QAction::triggered, f, &Form1::selectsource_Click);
  on(f.acquire, &QAction::triggered, f, &Form1::acquire_Click);
  on(f.exit, &QAction::triggered, f, &Form1::exit_Click);
  on(f.helpp, &QAction::triggered, f, &Form1::helpp_Click);
  on(f.tooltipson, &QAction::triggered, f, &Form1::tooltipson_Click);
  on(f.tooltipsoff, &QAction::triggered, f, &Form1::tooltipsoff_Click);
}

void createShutDownLabel(Form1& f, QWidget* c) {
  f.Label49 = new QLabel(QStringLiteral("Shutting Down, saving settings."), c);
  f.Label49->setAlignment(Qt::AlignCenter);
  f.Label49->setAutoFillBackground(true);
  f.Label49->hide();
  place(f.Label49, narrowLayout.pictureLeft + 8, 110, 308, 30);
}

// The panels that open over the left column or the main picture lie above what they cover, in
// the order they were always stacked.
void stackPanels(Form1& f) {
  for (QWidget* panel :
       std::initializer_list<QWidget*>{f.Frame7, f.Text2, f.Frame5, f.Frame6, f.Frame1, f.Frame8, f.Frame9, f.Frame2,
                                       f.PicbufVisible, f.PicbufOriginal, f.PicbufEdit, f.Label49})
    panel->raise();
}

}  // namespace

void buildMainWindow(Form1& f) {
  auto* central = new QWidget(&f);
  f.setCentralWidget(central);
  central->setFixedSize(narrowLayout.windowWidth, windowHeight);
  // The window is as large as its controls and no larger: a window the operator could resize
  // would only show empty room, and the window manager would give it a resize handle.
  f.layout()->setSizeConstraint(QLayout::SetFixedSize);
  createMenus(f);
  buildCanvasControls(f, central);
  buildTextControls(f, central);
  buildPicturesControls(f, central);
  buildSstvLinkControls(f, central);
  buildQslControls(f, central);
  buildImagingControls(f, central);
  createShutDownLabel(f, central);
  addQslMenus(f);
  addScannerMenus(f);
  stackPanels(f);
  wireMenus(f);
}
