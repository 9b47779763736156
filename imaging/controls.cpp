#include "app/controlkit.h"
#include "app/testpattern.h"
#include "platform/colour.h"

using namespace colour::state;
using namespace controlkit;

namespace {

// The inserts' check boxes: Follow Mouse sits in the Pic in Pic group of the canvas.
void createInsertChecks(Form1& f, QWidget* c) {
  f.Check18 = new CheckBox(QStringLiteral("Follow Mouse"), f.Frame4);
  f.Check18->setToolTip(QStringLiteral("Pic in Pic follows mouse and expands"));
  f.Check19 = new CheckBox(QStringLiteral("4 pics in 1"), c);
  f.Check19->setToolTip(QStringLiteral("Make 4 pix, drag a pix to each corner"));
}

void createFillsAndTurns(Form1& f, QWidget* c) {
  f.Label32 = label(c, QStringLiteral("PatFil"), Idle,
                    QStringLiteral("Repalces color with pattern. Drag thumbnail picture, color button or anywhere in "
                                   "main screen and drop on selected color in main screen"));
  f.Label38 = label(c, QStringLiteral("ColFill"), Idle,
                    QStringLiteral("Drag color button and drop on picture. Color will be replaced. Good for "
                                   "multicolored text characters."));
  f.Label14 = label(c, QStringLiteral("Blend"), Idle,
                    QStringLiteral("Makes Ghost Overlay. Position and size overlay, then click Blend. Use slider to "
                                   "select ratio. Click OOPS to try again."));
  // Blend's ratio in tenths: 5 gives half and half.
  f.HScroll7 = new ScrollBar(Qt::Horizontal, 1, 10, 5, c);
  f.Command28 =
      command(c, QStringLiteral("Flip V"), QStringLiteral("Flip Picture, Pic in Pic or Overlays  Vertically"));
  f.Command29 =
      command(c, QStringLiteral("Flip H"), QStringLiteral("Flip Picture, Pic in Pic or Overlays  Horizontally"));
  f.Command44 = command(c, QStringLiteral("Rot >"), QStringLiteral("Rotates text or pictures clockwise"));
  f.Command46 = command(c, QStringLiteral("< Rot"), QStringLiteral("Rotates text or pictures anti-clockwise"));
}

void createThingsAndAdjust(Form1& f, QWidget* c) {
  f.Image1 = new ImageBox(c, 32, 26);
  f.Image1->hide();
  f.Image1->setPicture(makeTestPattern());
  f.Combo1 = new ComboBox(c);
  f.Combo1->addItems({QStringLiteral("X-Hatch"), QStringLiteral("Globe"), QStringLiteral("Ellipse"),
                      QStringLiteral("Circle"), QStringLiteral("Box"), QStringLiteral("Test Patern"),
                      QStringLiteral("User Color"), QStringLiteral("Black"), QStringLiteral("White"),
                      QStringLiteral("Red"), QStringLiteral("Green"), QStringLiteral("Blue")});
  f.Combo1->setText(QStringLiteral("  Things"));
  f.Command13 = command(c, QStringLiteral("Adjust"), QStringLiteral("Click for brightness and contrast etc"));
  f.Frame10 = new Frame(c, QStringLiteral("Working"));
  f.Frame10->hide();
}

// The adjust panel covers the left column while it is open; Brightness is chosen at start.
void createAdjustPanel(Form1& f, QWidget* c) {
  f.Frame9 = new Frame(c);
  f.Frame9->hide();
  const QString processors[] = {QStringLiteral("Brightness"), QStringLiteral("Contrast"), QStringLiteral("Gamma")};
  for (int i = 0; i < 3; ++i) f.optProcessor[i] = new OptionButton(processors[i], f.Frame9);
  OptionButton::makeContainer({f.optProcessor.begin(), f.optProcessor.end()});
  f.optProcessor[0]->setValue(true);
  f.HScroll6 = new ScrollBar(Qt::Horizontal, 0, 100, 50, f.Frame9);
  f.Command39 = command(f.Frame9, QStringLiteral("Sharpen"));
  f.Command41 = command(f.Frame9, QStringLiteral("Soften"));
  f.Command42 = command(f.Frame9, QStringLiteral("Grey"));
  f.Command43 = command(f.Frame9, QStringLiteral("Neg"));
  f.Command40 = command(f.Frame9, QStringLiteral("Restore to Orig"));
  f.Command38 = command(f.Frame9, QStringLiteral("Accept and Exit"));
}

// The fill modes of a dropped picture sit in the picture browser.
void createFillModes(Form1& f) {
  f.Label70 = label(f.Frame2, QStringLiteral("    Correct"), Idle);
  f.Label71 = label(f.Frame2, QStringLiteral(" Spread Fill"), Selected);
  f.Label72 = label(f.Frame2, QStringLiteral(" Stretch Fill"), Idle);
}

void placeControls(Form1& f) {
  place(f.Check18, 4, 26, 120, 20);
  place(f.Check19, 420, 394, 92, 22);
  place(f.Label32, 192, 462, 54, 22);
  place(f.Label38, 250, 462, 54, 22);
  place(f.Label14, 308, 462, 50, 22);
  place(f.HScroll7, 366, 519, 150, 14);
  place(f.Command28, 362, 462, 38, 24);
  place(f.Command29, 400, 462, 38, 24);
  place(f.Command44, 438, 462, 39, 24);
  place(f.Command46, 477, 462, 39, 24);
  place(f.Combo1, 192, 490, 104, 24);
  place(f.Command13, 448, 490, 68, 24);
  place(f.Frame9, 0, 0, 185, LeftPanelHeight);
  for (int i = 0; i < 3; ++i) place(f.optProcessor[i], 8, 6 + 22 * i, 120, 20);
  place(f.HScroll6, 8, 74, 169, 16);
  place(f.Command39, 8, 96, 82, 24);
  place(f.Command41, 95, 96, 82, 24);
  place(f.Command42, 8, 124, 82, 24);
  place(f.Command43, 95, 124, 82, 24);
  place(f.Command40, 8, 156, 169, 24);
  place(f.Command38, 8, 186, 169, 24);
  place(f.Frame10, 92, 464, 92, 54);
  // Across the browser below Del, each as wide as its caption needs.
  place(f.Label70, 3, 260, 55, 18);
  place(f.Label71, 59, 260, 62, 18);
  place(f.Label72, 122, 260, 60, 18);
}

void wireControls(Form1& f) {
  on(f.Label32, &LabelButton::clicked, f, &Form1::Label32_Click);
  on(f.Label38, &LabelButton::clicked, f, &Form1::Label38_Click);
  on(f.Label14, &LabelButton::clicked, f, &Form1::Label14_Click);
  on(f.HScroll7, &ScrollBar::change, f, &Form1::HScroll7_Change);
  on(f.HScroll7, &QAbstractSlider::sliderMoved, f, &Form1::HScroll7_Scroll);
  on(f.Combo1, &ComboBox::click, f, &Form1::Combo1_Click);
  on(f.Combo1, &ComboBox::gotFocus, f, &Form1::Combo1_GotFocus);
  on(f.Combo1, &ComboBox::lostFocus, f, &Form1::Combo1_LostFocus);
  on(f.Check18, &QCheckBox::toggled, f, &Form1::Check18_Click);
  on(f.Check19, &QCheckBox::toggled, f, &Form1::Check19_Click);
  QObject::connect(f.Command28, &CommandButton::mouseDown, &f, &Form1::Command28_MouseDown);
  QObject::connect(f.Command29, &CommandButton::mouseDown, &f, &Form1::Command29_MouseDown);
  QObject::connect(f.Command44, &CommandButton::mouseDown, &f, &Form1::Command44_MouseDown);
  QObject::connect(f.Command46, &CommandButton::mouseDown, &f, &Form1::Command46_MouseDown);
  on(f.Command13, &QPushButton::clicked, f, &Form1::Command13_Click);
  for (int i = 0; i < 3; ++i)
    QObject::connect(f.optProcessor[i], &OptionButton::chosen, &f, [&f, i] { f.optProcessor_Click(i); });
  on(f.HScroll6, &ScrollBar::change, f, &Form1::HScroll6_Change);
  on(f.PicbufEdit, &PicBuf::change, f, &Form1::PicbufEdit_Change);
  on(f.Command38, &QPushButton::clicked, f, &Form1::Command38_Click);
  on(f.Command39, &QPushButton::clicked, f, &Form1::Command39_Click);
  on(f.Command40, &QPushButton::clicked, f, &Form1::Command40_Click);
  on(f.Command41, &QPushButton::clicked, f, &Form1::Command41_Click);
  on(f.Command42, &QPushButton::clicked, f, &Form1::Command42_Click);
  on(f.Command43, &QPushButton::clicked, f, &Form1::Command43_Click);
  on(f.Label70, &LabelButton::clicked, f, &Form1::Label70_Click);
  on(f.Label71, &LabelButton::clicked, f, &Form1::Label71_Click);
  on(f.Label72, &LabelButton::clicked, f, &Form1::Label72_Click);
}

}  // namespace

void buildImagingControls(Form1& f, QWidget* central) {
  createInsertChecks(f, central);
  createFillsAndTurns(f, central);
  createThingsAndAdjust(f, central);
  createAdjustPanel(f, central);
  createFillModes(f);
  placeControls(f);
  wireControls(f);
}
