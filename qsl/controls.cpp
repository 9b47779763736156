#include <QKeyEvent>

#include "app/codes.h"
#include "app/controlkit.h"
#include "platform/colour.h"
#include "raster/qslpanel.h"
#include "sstvlink/layout.h"

using namespace colour::state;
using namespace controlkit;

namespace {

// The callsign box hears Enter and Esc as key codes 13 and 27.
class CallsignKeys : public QObject {
 public:
  explicit CallsignKeys(Form1& f) : QObject(f.Text3), f_(f) {}
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    switch (static_cast<QKeyEvent*>(event)->key()) {
      case Qt::Key_Return:
      case Qt::Key_Enter: f_.Text3_KeyPress(13); break;
      case Qt::Key_Escape: f_.Text3_KeyPress(27); break;
      default: break;
    }
    return false;
  }

 private:
  Form1& f_;
};

QLabel* caption(QWidget* parent, const QString& text, int x, int y, int width) {
  auto* l = new QLabel(text, parent);
  l->setWordWrap(true);
  return place(l, x, y, width, 20);
}

// The header maker covers the main picture while it is open: the nine strips (32-line strips
// 4 to 6, 16-line strips 7 to 12) above DONE and its help text.
void createHeaderMaker(Form1& f, QWidget* c) {
  f.Image15 = new ImageBox(c, 32, 26);
  f.Image15->hide();
  f.Frame7 = new Frame(c);
  f.Frame7->hide();
  for (int n = strip::First; n <= strip::Last; ++n) f.headerStrips[n] = new PictureBox(f.Frame7, 320, strip::height(n));
  f.Picture4 = f.headerStrips[4];
  f.Picture5 = f.headerStrips[5];
  f.Picture6 = f.headerStrips[6];
  f.Picture7 = f.headerStrips[7];
  f.Picture8 = f.headerStrips[8];
  f.Picture9 = f.headerStrips[9];
  f.Picture10 = f.headerStrips[10];
  f.Picture11 = f.headerStrips[11];
  f.Picture12 = f.headerStrips[12];
  f.Command36 = command(f.Frame7, QStringLiteral("DONE"), QStringLiteral("Leave the header maker"));
  f.Text12 = new TextBox(f.Frame7);
  f.Text12->setBackColor(0xC0FFFF);
  f.Command35 = command(c, QStringLiteral("32"), QStringLiteral("Make or load a 32 line header strip"));
  f.Command37 = command(c, QStringLiteral("16"), QStringLiteral("Make or load a 16 line header strip"));
  // The header maker's menu items carry header mode in their check marks.
  f.makeheader = new QAction(QStringLiteral("Make Header 32 line"), &f);
  f.makeheader->setCheckable(true);
  f.makeheader16 = new QAction(QStringLiteral("Make Header 16 line"), &f);
  f.makeheader16->setCheckable(true);
}

void createQslFrames(Form1& f, QWidget* c) {
  // Kept with the main window, never shown.
  f.Picture14 = new PictureBox(&f, raster::QslPanelWidth, raster::QslPanelHeight);
  f.Picture14->setPicture(raster::qslPanel());
  f.Picture14->hide();
  f.Frame5 = new Frame(c, QStringLiteral("Quick set QSL details"));
  f.Frame5->hide();
  caption(f.Frame5, QStringLiteral("Type Callsign in box"), 6, 22, 110);
  f.Text15 = new TextField(f.Frame5);
  caption(f.Frame5, QStringLiteral("Type RSV  in box"), 6, 48, 110);
  f.Text10 = new TextField(f.Frame5);
  caption(f.Frame5, QStringLiteral("Type Freq in box"), 6, 74, 110);
  f.Text9 = new TextField(f.Frame5);
  f.Command32 = command(f.Frame5, QStringLiteral("QSL at Bottom"));
  f.Command4 = command(f.Frame5, QStringLiteral("QSL at Top"));
  f.Command33 = command(f.Frame5, QStringLiteral("Cancel"));

  f.Frame6 = new Frame(c, QStringLiteral("Default QSL info Settings"));
  f.Frame6->hide();
  caption(f.Frame6, QStringLiteral("Type Your callsign :-"), 6, 22, 173);
  f.Text11 = new TextField(f.Frame6);
  f.Option9 = new OptionButton(QStringLiteral("UTC"), f.Frame6);
  f.Option10 = new OptionButton(QStringLiteral("LCL"), f.Frame6);
  OptionButton::makeContainer({f.Option9, f.Option10});
  caption(f.Frame6, QStringLiteral("enter + - hrs offset. 30mins= .5"), 6, 96, 173);
  f.Text16 = new TextField(f.Frame6);
  f.Command34 = command(f.Frame6, QStringLiteral("DONE"));
  f.qslinfo = new QAction(QStringLiteral("QSL info Defaults"), &f);
}

void createStampsAndMessages(Form1& f, QWidget* c) {
  f.Label53 = label(c, QStringLiteral(" Date"), Idle, QStringLiteral("Puts current date near bottom of picture"));
  f.Label54 =
      label(c, QStringLiteral(" QSL"), Idle, QStringLiteral("Puts a QSL band with signal report on the picture"));
  f.Command8 = command(c, QStringLiteral("Load Msg"), QStringLiteral("Load Saved Messages"));
  f.Text2 = new Panel<TextBox>(c);
  f.Text2->setBackColor(0xE0E0E0);
  f.Text2->setToolTip(
      QStringLiteral("Dbl Click anywhere in desired message to transfer to Text Box. Seperate "
                     "messages with at least three\"---\", Multi Line Messages OK."));
  f.Text2->hide();
}

void createCallLog(Form1& f, QWidget* c) {
  f.Text3 = new TextField(c);
  f.Text3->setToolTip(QStringLiteral("Type callsign here for search or new entry"));
  f.Label48 = label(c, QStringLiteral("*"), Idle,
                    QStringLiteral("For Wildcard search. Enter search string in call box and click this button. "
                                   "Click again when finished. Wildcard may have up to 5 words seperated by commas."));
  f.Text4 = new TextField(c);
  f.Text4->setToolTip(QStringLiteral("Callsign info. Type new or change if required"));
  f.Command2 =
      command(c, QStringLiteral("Save Call"), QStringLiteral("Store the information of this callsign in the log"));
  f.Command9 = command(c, QStringLiteral("Delete Call"), QStringLiteral("Remove this callsign from the log"));
  f.Image7 = new ImageBox(c, 80, 64);
  f.Image7->setToolTip(
      QStringLiteral("Mugshot image if any, drag to main screen to view. Put mugfile in MARVANE "
                     "directory. Rename to  QX7ABC.jpg or appropriate callsign"));
}

// The 32-line strips stand 3 pixels apart, the 16-line ones edge to edge, all within the
// strip panel's height.
constexpr int stripTop(int n) {
  return strip::is32Line(n) ? 3 + (n - strip::First) * 39 : (n - strip::Last32Line - 1) * 20;
}

void placeControls(Form1& f) {
  place(f.Frame7, narrowLayout.pictureLeft, 0, 324, 229);
  for (int n = strip::First; n <= strip::Last; ++n) {
    place(f.headerStrips[n], 0, stripTop(n), 324, f.headerStrips[n]->height());
    f.headerStrips[n]->setVisible(strip::is32Line(n));
  }
  place(f.Command36, 120, 122, 81, 20);
  place(f.Text12, 0, 144, 324, 73);
  place(f.Command35, narrowLayout.thumbnailLeft, 468, 49, 24);
  place(f.Command37, narrowLayout.thumbnailLeft + 52, 468, 49, 24);
  // The messages list lies over the top of the left column; its button stays below it.
  place(f.Text2, 0, 0, 185, 350);
  place(f.Label53, 4, 354, 54, 22);
  place(f.Label54, 62, 354, 54, 22);
  place(f.Command8, 120, 354, 65, 24);
  place(f.Text3, 4, 382, 156, 22);
  place(f.Label48, 164, 382, 21, 22);
  place(f.Text4, 4, 408, 181, 22);
  place(f.Command2, 4, 434, 87, 24);
  place(f.Command9, 98, 434, 87, 24);
  place(f.Image7, 4, 462, 80, 64);
  place(f.Frame5, 0, 0, 185, LeftPanelHeight);
  place(f.Text15, 118, 20, 61, 22);
  place(f.Text10, 118, 46, 61, 22);
  place(f.Text9, 118, 72, 61, 22);
  place(f.Command32, 6, 100, 90, 24);
  place(f.Command4, 100, 100, 79, 24);
  place(f.Command33, 6, 128, 173, 24);
  place(f.Frame6, 0, 0, 185, LeftPanelHeight);
  place(f.Text11, 6, 44, 173, 22);
  place(f.Option9, 6, 70, 70, 22);
  place(f.Option10, 90, 70, 70, 22);
  place(f.Text16, 6, 120, 80, 24);
  place(f.Command34, 96, 120, 83, 24);
}

// Text boxes are clicked when the left button is let go over them.
void onClick(TextField* box, Form1& f, void (Form1::*handler)()) {
  QObject::connect(box, &TextField::mouseUp, &f, [&f, handler](int button, int, double, double) {
    if (button == mousebutton::Left) (f.*handler)();
  });
}

void wireStrips(Form1& f) {
  for (int n = strip::First; n <= strip::Last; ++n) {
    PictureBox* box = f.headerStrips[n];
    QObject::connect(box, &PictureBox::mouseDown, &f,
                     [&f, n](int button, int shift, double x, double y) { f.PictureStrip_MouseDown(n, button, shift, x, y); });
    acceptDrops(box, {[&f, n](int state) { f.PictureStrip_DragOver(n, state); },
                 [&f, n](double, double) { f.PictureStrip_DragDrop(n); }, {}});
  }
  on(f.Command36, &QPushButton::clicked, f, &Form1::Command36_Click);
  on(f.Command35, &QPushButton::clicked, f, &Form1::Command35_Click);
  on(f.Command37, &QPushButton::clicked, f, &Form1::Command37_Click);
}

void wireQslFrames(Form1& f) {
  on(f.Text11, &TextField::change, f, &Form1::Text11_Change);
  on(f.Option9, &OptionButton::chosen, f, &Form1::Option9_Click);
  on(f.Option10, &OptionButton::chosen, f, &Form1::Option10_Click);
  on(f.Command34, &QPushButton::clicked, f, &Form1::Command34_Click);
  on(f.Label54, &LabelButton::clicked, f, &Form1::Label54_Click);
  on(f.Text15, &TextField::change, f, &Form1::Text15_Change);
  QObject::connect(f.Text15, &TextField::mouseDown, &f, &Form1::Text15_MouseDown);
  onClick(f.Text9, f, &Form1::Text9_Click);
  onClick(f.Text10, f, &Form1::Text10_Click);
  on(f.Command33, &QPushButton::clicked, f, &Form1::Command33_Click);
  on(f.Command4, &QPushButton::clicked, f, &Form1::Command4_Click);
  on(f.Command32, &QPushButton::clicked, f, &Form1::Command32_Click);
  QObject::connect(f.Label53, &LabelButton::mouseDown, &f, &Form1::Label53_MouseDown);
  on(f.Label53, &LabelButton::clicked, f, &Form1::Label53_Click);
}

void wireCallLogAndMessages(Form1& f) {
  on(f.Text3, &TextField::change, f, &Form1::Text3_Change);
  onClick(f.Text3, f, &Form1::Text3_Click);
  f.Text3->installEventFilter(new CallsignKeys(f));
  on(f.Text4, &TextField::change, f, &Form1::Text4_Change);
  on(f.Command2, &QPushButton::clicked, f, &Form1::Command2_Click);
  on(f.Command9, &QPushButton::clicked, f, &Form1::Command9_Click);
  QObject::connect(f.Image7, &ImageBox::mouseDown, &f, &Form1::Image7_MouseDown);
  on(f.Label48, &LabelButton::clicked, f, &Form1::Label48_Click);
  QObject::connect(f.Text1, &TextBox::mouseDown, &f, &Form1::Text1_MouseDown);
  on(f.Command8, &QPushButton::clicked, f, &Form1::Command8_Click);
  on(f.Text2, &TextBox::dblClick, f, &Form1::Text2_DblClick);
  QObject::connect(f.Text2, &TextBox::mouseUp, &f, &Form1::Text2_MouseUp);
}

}  // namespace

void buildQslControls(Form1& f, QWidget* central) {
  createHeaderMaker(f, central);
  createQslFrames(f, central);
  createStampsAndMessages(f, central);
  createCallLog(f, central);
  placeControls(f);
  wireStrips(f);
  wireQslFrames(f);
  wireCallLogAndMessages(f);
}
