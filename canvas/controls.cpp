#include "app/controlkit.h"
#include "platform/colour.h"
#include "sstvlink/layout.h"

using namespace colour::state;
using namespace controlkit;

namespace {

PictureBox* hiddenPicture(QWidget* parent) {
  auto* p = new PictureBox(parent, narrowLayout.pictureWidth, pictureHeight);
  p->hide();
  return p;
}

// The copies the canvas keeps of the main picture are never shown.
ImageBox* hiddenImage(QWidget* parent) {
  auto* i = new ImageBox(parent, 32, 26);
  i->hide();
  return i;
}

void createPictures(Form1& f, QWidget* c) {
  f.Picture1 = new PictureBox(c, narrowLayout.pictureWidth, pictureHeight);
  f.Picture1->mouseIcon = drawFillIcon();
  f.Picture1->setToolTip(
      QStringLiteral("Main picture. Click to place text, drag to move it, right drag to copy the picture"));
  f.Picture2 = hiddenPicture(c);
  f.Picture3 = hiddenPicture(c);
  f.Image6 = hiddenImage(c);
  f.Image13 = hiddenImage(c);
  f.Image14 = hiddenImage(c);
}

void createTextBoxAndSet(Form1& f, QWidget* c) {
  f.Text1 = new TextBox(c);
  f.Text1->setBackColor(0xC0C0C0);
  f.Text1->setToolTip(
      QStringLiteral("Multi Line OK, Click in Picture to Transfer Text  (text may be marked with "
                     "mouse) then Drag to Posn. Dbl click to Erase Text box. "));
  f.Label26 = label(c, QStringLiteral("SET"), SetIdle, QStringLiteral("Make Text or Graphics Permanent"));
  f.Command12 = command(c, QStringLiteral("Undo"), QStringLiteral("Erase Unset Text or Drawing"));
  f.Command31 = command(c, QStringLiteral("OOPS!!"),
                        QStringLiteral("OOPS! Click to restore orig pic after accidental wrong drag drop.  Will "
                                       "toggle between both"));
  f.Command31->setBackColor(OopsNormal);
}

// The four editing modes in their framed groups; Text mode is on at the start.
void createModes(Form1& f, QWidget* c) {
  f.Shape1 = new ShapeBox(c);
  f.Shape2 = new ShapeBox(c);
  f.Shape3 = new ShapeBox(c);
  f.Shape2->setDrawMode(14);
  f.Option1 = new OptionButton(QStringLiteral("Text"), c);
  f.Option1->setToolTip(QStringLiteral("Text mode. Type in textbox or load from messages"));
  f.Option8 = new OptionButton(QStringLiteral("Draw"), c);
  f.Option8->setToolTip(QStringLiteral("Select color and Draw with mouse"));
  OptionButton::makeContainer({f.Option1, f.Option8});
  f.Text6 = new TextField(c);
  f.Text6->setText(QStringLiteral("1"));
  f.Text6->setBackColor(Off);
  f.Text6->setToolTip(QStringLiteral("Draw line thickness"));
  f.HScroll1 = new ScrollBar(Qt::Horizontal, 1, 9, 1, c);
  f.Frame4 = new Frame(c);
  f.Option6 = new OptionButton(QStringLiteral("Overlays"), f.Frame4);
  f.Option6->setToolTip(QStringLiteral("Insert transparent overlays and frames"));
  f.Option7 = new OptionButton(QStringLiteral("Pic in Pic"), f.Frame4);
  f.Option7->setToolTip(QStringLiteral("Drag from \"import from\", thumbnail or load picture"));
  OptionButton::makeContainer({f.Option6, f.Option7});
  f.Option1->setValue(true);
  f.Option1->setBackColor(ModeChosen);
  for (OptionButton* o : {f.Option6, f.Option7, f.Option8}) o->setBackColor(Off);
}

void createTools(Form1& f, QWidget* c) {
  f.Label24 = label(c, QStringLiteral("  Crop"), Idle,
                    QStringLiteral("Mark area with mouse then release. Click rt button keeping left button pressed "
                                   "to cancel"));
  f.Label29 = label(c, QStringLiteral("Fix Col"), Idle,
                    QStringLiteral("For touch up. Color is where the mouse pointer is. Click mouse down, hold down "
                                   "and draw"));
  f.Label73 = label(c, QStringLiteral(" Remove  noise  lines"), Idle,
                    QStringLiteral("Remove noise lines.Use left button if OK above, use right button if OK below "
                                   "then click and hold down, position cross over line, release."));
  f.Label30 = label(c, QStringLiteral("Make overlay"), Idle,
                    QStringLiteral("Outline an object in Draw mode, then click to make it a transparent overlay"));
  f.VScroll4 = new ScrollBar(Qt::Vertical, 0, 30, 9, c);
  f.VScroll4->hide();
  f.Command6 = command(c, QStringLiteral("Bigger"), QStringLiteral("Click to make Bigger"));
  f.Command10 = command(c, QStringLiteral("Smaller"), QStringLiteral("Click to make Smaller"));
  f.Command7 = command(c, QStringLiteral("Paste"));
}

void placeControls(Form1& f) {
  place(f.Picture1, narrowLayout.pictureLeft, 0, f.Picture1->width(), f.Picture1->height());
  place(f.Text1, 192, 264, 250, Form1::Text1Height);
  place(f.Label26, 446, 264, 70, 24);
  place(f.Command12, 446, 292, 70, 24);
  place(f.Command31, 446, 350, 70, 24);
  place(f.Shape2, 190, 348, 70, 28);
  place(f.Option1, 196, 351, 60, 22);
  place(f.Shape1, 264, 348, 176, 28);
  place(f.Option8, 268, 351, 60, 22);
  place(f.Text6, 330, 351, 24, 22);
  place(f.HScroll1, 358, 354, 78, 16);
  place(f.Shape3, 190, 378, 326, 54);
  place(f.Frame4, 194, 380, 220, 50);
  place(f.Option6, 4, 4, 90, 20);
  place(f.Option7, 100, 4, 100, 20);
  place(f.Label24, 192, 436, 50, 22);
  place(f.Label29, 246, 436, 54, 22);
  place(f.Label73, 304, 436, 128, 22);
  place(f.Label30, 436, 436, 80, 22);
  place(f.VScroll4, 300, 488, 16, 48);
  place(f.Command6, 320, 490, 62, 24);
  place(f.Command10, 384, 490, 62, 24);
  place(f.Command7, 318, 516, 44, 20);
  // The shapes frame their groups from behind.
  for (ShapeBox* s : {f.Shape1, f.Shape2, f.Shape3}) s->lower();
}

void wireControls(Form1& f) {
  on(f.Command12, &QPushButton::clicked, f, &Form1::Command12_Click);
  on(f.Command31, &QPushButton::clicked, f, &Form1::Command31_Click);
  on(f.Label26, &LabelButton::clicked, f, &Form1::Label26_Click);
  QObject::connect(f.Label26, &LabelButton::mouseDown, &f, &Form1::Label26_MouseDown);
  on(f.Option1, &OptionButton::chosen, f, &Form1::Option1_Click);
  QObject::connect(f.Option1, &OptionButton::mouseUp, &f, &Form1::Option1_MouseUp);
  on(f.Option6, &OptionButton::chosen, f, &Form1::Option6_Click);
  on(f.Option7, &OptionButton::chosen, f, &Form1::Option7_Click);
  on(f.Option8, &OptionButton::chosen, f, &Form1::Option8_Click);
  QObject::connect(f.Picture1, &PictureBox::mouseDown, &f, &Form1::Picture1_MouseDown);
  QObject::connect(f.Picture1, &PictureBox::mouseMove, &f, &Form1::Picture1_MouseMove);
  QObject::connect(f.Picture1, &PictureBox::mouseUp, &f, &Form1::Picture1_MouseUp);
  acceptDrops(f.Picture1, {[&f](int state) { f.Picture1_DragOver(state); }, [&f](double x, double y) { f.Picture1_DragDrop(x, y); },
               [&f](const QStringList& files, double x, double y) { f.Picture1_OLEDragDrop(files, x, y); }});
  on(f.Label24, &LabelButton::clicked, f, &Form1::Label24_Click);
  on(f.Label29, &LabelButton::clicked, f, &Form1::Label29_Click);
  on(f.Label73, &LabelButton::clicked, f, &Form1::Label73_Click);
  QObject::connect(f.Label30, &LabelButton::mouseDown, &f, &Form1::Label30_MouseDown);
  QObject::connect(f.Command6, &CommandButton::mouseDown, &f, &Form1::Command6_MouseDown);
  QObject::connect(f.Command10, &CommandButton::mouseDown, &f, &Form1::Command10_MouseDown);
  QObject::connect(f.Command7, &CommandButton::mouseDown, &f, &Form1::Command7_MouseDown);
  on(f.Command7, &QPushButton::clicked, f, &Form1::Command7_Click);
  on(f.Text1, &TextBox::change, f, &Form1::Text1_Change);
  on(f.Text1, &TextBox::dblClick, f, &Form1::Text1_DblClick);
  QObject::connect(f.Text1, &TextBox::mouseUp, &f, &Form1::Text1_MouseUp);
  on(f.HScroll1, &ScrollBar::change, f, &Form1::HScroll1_Change);
  on(f.VScroll4, &ScrollBar::change, f, &Form1::VScroll4_Change);
}

}  // namespace

void buildCanvasControls(Form1& f, QWidget* central) {
  createPictures(f, central);
  createTextBoxAndSet(f, central);
  createModes(f, central);
  createTools(f, central);
  placeControls(f);
  wireControls(f);
}
