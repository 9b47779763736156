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

void wireMenus(Form1& f) {
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
  createMenus(f);
  buildCanvasControls(f, central);
  buildTextControls(f, central);
  buildPicturesControls(f, central);
  buildSstvLinkControls(f, central);
  buildQslControls(f, central);
  buildImagingControls(f, central);
  createShutDownLabel(f, central);
  stackPanels(f);
  wireMenus(f);
}
