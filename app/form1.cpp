#include "app/form1.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <random>

#include "app/form2.h"
#include "app/testpattern.h"
#include "platform/colour.h"

using namespace colour::state;

namespace {

std::function<double()> defaultRandom() {
  auto engine = std::make_shared<std::mt19937>(std::random_device{}());
  return [engine] { return std::uniform_real_distribution<double>(0.0, 1.0)(*engine); };
}

template <typename W>
W* place(W* w, int x, int y, int width, int height) {
  w->setGeometry(x, y, width, height);
  return w;
}

LabelButton* label(QWidget* parent, const QString& caption, long back, const QString& tip = QString()) {
  auto* l = new LabelButton(caption, parent);
  l->setBackColor(back);
  l->setToolTip(tip);
  return l;
}

CommandButton* command(QWidget* parent, const QString& caption, const QString& tip = QString()) {
  auto* c = new CommandButton(caption, parent);
  c->setToolTip(tip);
  return c;
}

PictureBox* hiddenPicture(QWidget* parent, int w, int h) {
  auto* p = new PictureBox(parent, w, h);
  p->hide();
  return p;
}

// The shadow direction buttons show a small diagonal arrow pointing into their corner.
QIcon diagonalArrow(int dx, int dy) {
  QPixmap pm(32, 32);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setPen(QPen(Qt::black, 3));
  const QPoint tip(16 + dx * 10, 16 + dy * 10);
  p.drawLine(QPoint(16 - dx * 10, 16 - dy * 10), tip);
  p.drawLine(tip, tip - QPoint(dx * 8, 0));
  p.drawLine(tip, tip - QPoint(0, dy * 8));
  return QIcon(pm);
}

ImageBox* hiddenImage(QWidget* parent) {
  auto* i = new ImageBox(parent, 32, 26);
  i->hide();
  return i;
}

}  // namespace

static void initResources() { Q_INIT_RESOURCE(resources); }

Form1::Form1(Form1Environment e) : env(std::move(e)) {
  initResources();
  if (!env.dialogs) env.dialogs = std::make_shared<QtDialogs>();
  if (!env.random) env.random = defaultRandom();
  if (env.programDirectory.isEmpty()) env.programDirectory = platform::programDirectory();
  setWindowTitle(QStringLiteral("MARVANE"));
  createControls();
  layoutControls();
  createMenus();
  connectHandlers();
}

Form1::~Form1() = default;

void Form1::createControls() {
  auto* c = new QWidget(this);
  setCentralWidget(c);
  c->setFixedSize(630, 536);

  // ---- Canvas and its hidden copies
  Picture1 = new PictureBox(c, 320, 256);
  Picture2 = hiddenPicture(c, 320, 256);
  Picture3 = hiddenPicture(c, 320, 256);
  Image1 = hiddenImage(c);
  Image1->setPicture(makeTestPattern());
  Image6 = hiddenImage(c);
  Image13 = hiddenImage(c);
  Image14 = hiddenImage(c);
  Image15 = hiddenImage(c);
  Picture1->setToolTip(QStringLiteral("Main picture. Click to place text, drag to move it, right drag to copy the picture"));

  // ---- Header maker (hidden until a header menu opens it)
  Frame7 = new QGroupBox(c);
  Frame7->hide();
  for (int n = 4; n <= 12; ++n) headerStrips[n] = new PictureBox(Frame7, 320, n <= 6 ? 32 : 16);
  Picture4 = headerStrips[4];
  Picture5 = headerStrips[5];
  Picture6 = headerStrips[6];
  Picture7 = headerStrips[7];
  Picture8 = headerStrips[8];
  Picture9 = headerStrips[9];
  Picture10 = headerStrips[10];
  Picture11 = headerStrips[11];
  Picture12 = headerStrips[12];
  Text12 = new TextBox(Frame7);
  Text12->setBackColor(0xC0FFFF);

  // ---- Thumbnail strip
  Image2 = new ImageBox(c, 101, 81);
  Image3 = new ImageBox(c, 101, 81);
  Image4 = new ImageBox(c, 101, 81);
  Image5 = new ImageBox(c, 101, 81);
  for (ImageBox* box : {Image2, Image3, Image4, Image5})
    box->setToolTip(QStringLiteral("Saved thumbnail. Drag to main screen, or drop a picture here to keep it"));
  Text5 = new TextField(c);
  Text5->setText(QStringLiteral("Saved Thumbnails, scroll for more"));
  Text5->setBackColor(ModeChosen);
  Text5->setReadOnly(true);
  Text5->setFocusPolicy(Qt::NoFocus);
  Text5->setToolTip(QStringLiteral("Saved thumbnail page. Click to show it again"));
  HScroll2 = new ScrollBar(Qt::Horizontal, 1, 5, 1, c);
  Label37 = label(c, QStringLiteral("Scrap   Book"), Off, QStringLiteral("Four scrap pictures, kept until the program ends"));
  Label28 = label(c, QStringLiteral("Reset thumb"), Off, QStringLiteral("Reload the saved thumbnails from their files"));
  Label37->setWordWrap(true);
  Label28->setWordWrap(true);
  Text7 = new TextField(c);
  Text7->setText(QStringLiteral("R"));
  Text7->setBackColor(Off);
  Text7->setReadOnly(true);
  Text7->setFocusPolicy(Qt::NoFocus);
  Text7->setToolTip(QStringLiteral("Brings up RX thumbnails of selected program"));
  HScroll3 = new ScrollBar(Qt::Horizontal, 1, 9, 1, c);
  HScroll3->hide();

  // ---- Palette and text colours
  static const long paletteColours[] = {0, 0x010101, 0xFFFFFF, 0xFF, 0x80FF, 0xFFFF, 0xFF00, 0xFFFF00, 0xFF00FF,
                                        0x80, 0x808080, 0x8080, 0x800080};
  for (int n = 1; n <= 12; ++n) {
    palette[n] = label(c, n >= 9 ? QStringLiteral("C%1").arg(n - 8) : QString(), paletteColours[n]);
    palette[n]->setToolTip(n <= 8    ? QStringLiteral("LeftClick for TextColor, RightClick for Shadow Color")
                           : n <= 10 ? QStringLiteral("Saved Color, LeftClick for TextColor, RightClick for Shadow Color")
                                     : QStringLiteral("Saved Color,LeftClick for TextColor, RightClick for Shadow Color"));
  }
  Label9 = palette[9];
  Label10 = palette[10];
  Label11 = palette[11];
  Label12 = palette[12];
  Label25 = label(c, QStringLiteral("Text forecolor"), 238);  // the start-up text colour
  Label45 = label(c, QStringLiteral("Text backcolor"), 0xFFFF);

  // ---- Outline, shadow, background, direction and style
  Check15 = new CheckBox(QStringLiteral("Outline"), c);
  Check15->setToolTip(QStringLiteral("Make colored outline around text"));
  Label47 = label(c, QStringLiteral("Fine outline"), Idle, QStringLiteral("Click to toggle Outline fine or bold"));
  HScroll4 = new ScrollBar(Qt::Horizontal, 0, 12, 0, c);
  Text8 = new TextField(c);
  Text8->setBackColor(0);
  Text8->setReadOnly(true);
  Text8->setToolTip(QStringLiteral("Outline color, scroll follows 12 colors below"));
  Check17 = new CheckBox(QStringLiteral("Shadow"), c);
  Check17->setToolTip(QStringLiteral("Make extrusion on text"));
  Option2 = new OptionButton(QString(), c);
  Option3 = new OptionButton(QString(), c);
  Option4 = new OptionButton(QString(), c);
  Option5 = new OptionButton(QString(), c);
  Option2->setIcon(diagonalArrow(-1, -1));
  Option3->setIcon(diagonalArrow(1, -1));
  Option4->setIcon(diagonalArrow(-1, 1));
  Option5->setIcon(diagonalArrow(1, 1));
  for (OptionButton* o : {Option2, Option3, Option4, Option5}) o->setIconSize(QSize(20, 20));
  OptionButton::makeContainer({Option2, Option3, Option4, Option5});
  for (OptionButton* o : {Option2, Option3, Option4, Option5}) o->setToolTip(QStringLiteral("Direction of Shadow"));
  VScroll1 = new ScrollBar(Qt::Vertical, 3, 20, 3, c);
  Text13 = new TextField(c);
  Text13->setText(QStringLiteral(" Off"));
  Text13->setBackColor(Idle);
  Text13->setReadOnly(true);
  Text13->setToolTip(QStringLiteral("When ON, use scroll bar to change text shadow effects."));
  HScroll5 = new ScrollBar(Qt::Horizontal, 1, 5, 1, c);
  Check16 = new CheckBox(QStringLiteral("BkGnd"), c);
  Check16->setToolTip(QStringLiteral("Background fill color for text. Right click color with mouse"));
  Label31 = label(c, QStringLiteral("Horiz"), Idle, QStringLiteral("Toggles text Horizontal or Vertical"));
  VScroll3 = new ScrollBar(Qt::Vertical, 0, 9, 0, c);
  VScroll3->hide();
  Label34 = label(c, QStringLiteral(" Normal"), Idle, QStringLiteral("Style of text. "));
  Label36 = label(c, QStringLiteral("Try"), Armed);
  Label35 = label(c, QStringLiteral(" Dejag"), Idle,
                  QStringLiteral("Reduces jaggies. Good for rotated text or pictures. Sometimes makes text on poor Pix more readable"));
  Check6 = new CheckBox(QStringLiteral("Bold"), c);
  Check6->setToolTip(QStringLiteral("Bold text"));
  Check14 = new CheckBox(QStringLiteral("Ital"), c);
  Check14->setToolTip(QStringLiteral("Italic text"));
  Check13 = new CheckBox(QStringLiteral("U"), c);
  Check13->setToolTip(QStringLiteral("Underlined text"));
  Command21 = command(c, QStringLiteral("F1"), QStringLiteral("Saved Font"));
  Command25 = command(c, QStringLiteral("F2"), QStringLiteral("Saved Font"));
  Command23 = command(c, QStringLiteral("F3"), QStringLiteral("Saved Font"));
  Command24 = command(c, QStringLiteral("F4"), QStringLiteral("Saved Font"));
  Combo3 = new ComboBox(c);
  Combo3->setToolTip(QStringLiteral(
      "Click on drop down pix to send to screen. different picture  Fonts can be selected by scroll bar "));
  Text14 = new TextField(c);
  Text14->setText(QStringLiteral("1"));
  Text14->setToolTip(QStringLiteral("Rt Click to set fun font for selected number"));
  Frame1 = new QGroupBox(QStringLiteral("     Save Font "), c);
  Frame1->hide();

  // ---- Date, QSL, messages and call log
  Label53 = label(c, QStringLiteral(" Date"), Idle, QStringLiteral("Puts current date near bottom of picture"));
  Label54 = label(c, QStringLiteral(" QSL"), Idle, QStringLiteral("Puts a QSL band with signal report on the picture"));
  Command8 = command(c, QStringLiteral("Load Msg"), QStringLiteral("Load Saved Messages"));
  Text3 = new TextField(c);
  Text3->setToolTip(QStringLiteral("Type callsign here for search or new entry"));
  Label48 = label(c, QStringLiteral("*"), Idle,
                  QStringLiteral("For Wildcard search. Enter search string in call box and click this button. Click "
                                 "again when finished. Wildcard may have up to 5 words seperated by commas."));
  Text4 = new TextField(c);
  Text4->setToolTip(QStringLiteral("Callsign info. Type new or change if required"));
  Command2 = command(c, QStringLiteral("Save Call"), QStringLiteral("Store the information of this callsign in the log"));
  Command9 = command(c, QStringLiteral("Delete Call"), QStringLiteral("Remove this callsign from the log"));
  Image7 = new ImageBox(c, 80, 64);
  Image7->setToolTip(QStringLiteral("Mugshot image if any, drag to main screen to view. Put mugfile in MARVANE "
                                    "directory. Rename to  QX7ABC.jpg or appropriate callsign"));
  Text2 = new TextBox(c);
  Text2->setBackColor(0xE0E0E0);
  Text2->setToolTip(QStringLiteral("Dbl Click anywhere in desired message to transfer to Text Box. Seperate "
                                   "messages with at least three\"---\", Multi Line Messages OK."));
  Text2->hide();
  auto* Frame5 = new QGroupBox(QStringLiteral("Quick set QSL details"), c);
  Frame5->hide();
  Text9 = new TextField(Frame5);
  Text10 = new TextField(Frame5);
  auto* Frame6 = new QGroupBox(QStringLiteral("Default QSL info Settings"), c);
  Frame6->hide();
  Text16 = new TextField(Frame6);

  // ---- Text box, SET, Undo, OOPS, import and send
  Text1 = new TextBox(c);
  Text1->setBackColor(0xC0C0C0);
  Text1->setToolTip(QStringLiteral("Multi Line OK, Click in Picture to Transfer Text  (text may be marked with mouse) "
                                   "then Drag to Posn. Dbl click to Erase Text box. "));
  Label26 = label(c, QStringLiteral("SET"), SetIdle, QStringLiteral("Make Text or Graphics Permanent"));
  Command12 = command(c, QStringLiteral("Undo"), QStringLiteral("Erase Unset Text or Drawing"));
  Command31 = command(c, QStringLiteral("OOPS!!"),
                      QStringLiteral("OOPS! Click to restore orig pic after accidental wrong drag drop.  Will toggle "
                                     "between both"));
  Command31->setBackColor(OopsNormal);
  Command1 = command(c, QStringLiteral("Paste"), QStringLiteral("Drag from here and drop on  main or thumbnail screen"));
  Command3 = command(c, QStringLiteral("Copy"),
                     QStringLiteral("Drag from main (use Right mouse button) or from thumbnail screen (either mouse "
                                    "button) and drop here, or click to transfer main screen"));

  // ---- Editing modes and their tool groups
  Shape1 = new ShapeBox(c);
  Shape2 = new ShapeBox(c);
  Shape3 = new ShapeBox(c);
  Shape2->setDrawMode(14);
  Option1 = new OptionButton(QStringLiteral("Text"), c);
  Option1->setToolTip(QStringLiteral("Text mode. Type in textbox or load from messages"));
  Option8 = new OptionButton(QStringLiteral("Draw"), c);
  Option8->setToolTip(QStringLiteral("Select color and Draw with mouse"));
  OptionButton::makeContainer({Option1, Option8});
  Text6 = new TextField(c);
  Text6->setText(QStringLiteral("1"));
  Text6->setBackColor(Off);
  Text6->setToolTip(QStringLiteral("Draw line thickness"));
  HScroll1 = new ScrollBar(Qt::Horizontal, 1, 9, 1, c);
  Frame4 = new QGroupBox(c);
  Option6 = new OptionButton(QStringLiteral("Overlays"), Frame4);
  Option6->setToolTip(QStringLiteral("Insert transparent overlays and frames"));
  Option7 = new OptionButton(QStringLiteral("Pic in Pic"), Frame4);
  Option7->setToolTip(QStringLiteral("Drag from \"import from\", thumbnail or load picture"));
  OptionButton::makeContainer({Option6, Option7});
  Check18 = new CheckBox(QStringLiteral("Follow Mouse"), Frame4);
  Check18->setToolTip(QStringLiteral("Pic in Pic follows mouse and expands"));
  Check19 = new CheckBox(QStringLiteral("4 pics in 1"), c);
  Check19->setToolTip(QStringLiteral("Make 4 pix, drag a pix to each corner"));
  Option1->setValue(true);
  Option1->setBackColor(ModeChosen);
  for (OptionButton* o : {Option6, Option7, Option8}) o->setBackColor(Off);

  // ---- Tools
  Label24 = label(c, QStringLiteral("  Crop"), Idle,
                  QStringLiteral("Mark area with mouse then release. Click rt button keeping left button pressed to cancel"));
  Label29 = label(c, QStringLiteral("Fix Col"), Idle,
                  QStringLiteral("For touch up. Color is where the mouse pointer is. Click mouse down, hold down and draw"));
  Label73 = label(c, QStringLiteral(" Remove  noise  lines"), Idle,
                  QStringLiteral("Remove noise lines.Use left button if OK above, use right button if OK below then "
                                 "click and hold down, position cross over line, release."));
  Label30 = label(c, QStringLiteral("Make overlay"), Idle,
                  QStringLiteral("Outline an object in Draw mode, then click to make it a transparent overlay"));
  Label32 = label(c, QStringLiteral("PatFil"), Idle,
                  QStringLiteral("Repalces color with pattern. Drag thumbnail picture, color button or anywhere in "
                                 "main screen and drop on selected color in main screen"));
  Label38 = label(c, QStringLiteral("ColFill"), Idle,
                  QStringLiteral("Drag color button and drop on picture. Color will be replaced. Good for "
                                 "multicolored text characters."));
  Label14 = label(c, QStringLiteral("Blend"), Idle,
                  QStringLiteral("Makes Ghost Overlay. Position and size overlay, then click Blend. Use slider to "
                                 "select ratio. Click OOPS to try again."));
  Label33 = label(c, QString(), Idle);
  Label33->hide();
  Command28 = command(c, QStringLiteral("Flip V"), QStringLiteral("Flip Picture, Pic in Pic or Overlays  Vertically"));
  Command29 = command(c, QStringLiteral("Flip H"), QStringLiteral("Flip Picture, Pic in Pic or Overlays  Horizontally"));
  Command44 = command(c, QStringLiteral("Rot >"), QStringLiteral("Rotates text or pictures clockwise"));
  Command46 = command(c, QStringLiteral("< Rot"), QStringLiteral("Rotates text or pictures anti-clockwise"));
  Combo1 = new ComboBox(c);
  Combo1->addItems({QStringLiteral("X-Hatch"), QStringLiteral("Globe"), QStringLiteral("Ellipse"),
                    QStringLiteral("Circle"), QStringLiteral("Box"), QStringLiteral("Test Patern"),
                    QStringLiteral("User Color"), QStringLiteral("Black"), QStringLiteral("White"),
                    QStringLiteral("Red"), QStringLiteral("Green"), QStringLiteral("Blue")});
  Combo1->setText(QStringLiteral("  Things"));
  VScroll4 = new ScrollBar(Qt::Vertical, 0, 30, 9, c);
  VScroll4->hide();
  Command6 = command(c, QStringLiteral("Bigger"), QStringLiteral("Click to make Bigger"));
  Command10 = command(c, QStringLiteral("Smaller"), QStringLiteral("Click to make Smaller"));
  Command13 = command(c, QStringLiteral("Adjust"), QStringLiteral("Click for brightness and contrast etc"));
  Command20 = command(c, QStringLiteral("Load Pic"), QStringLiteral("Loads pictures from disk"));
  Command35 = command(c, QStringLiteral("32"), QStringLiteral("Make or load a 32 line header strip"));
  Command37 = command(c, QStringLiteral("16"), QStringLiteral("Make or load a 16 line header strip"));
  Frame9 = new QGroupBox(c);
  Frame9->hide();

  // ---- Picture browser (hidden until Load Pic)
  Frame2 = new QGroupBox(c);
  Frame2->hide();
  Drive1 = new DriveListBox(Frame2);
  Dir1 = new DirListBox(Frame2);
  File1 = new FileListBox(Frame2);
  File1->setToolTip(QStringLiteral("Drag from thumbnails at left to main or other thumbnail screen, Drop here for Save"));
  Label16 = label(Frame2, QStringLiteral("GIF"), Idle);
  Label16->hide();
  Label43 = label(Frame2, QStringLiteral("Grab Icons"), Idle,
                  QStringLiteral("Displays Icons in exe and dll files. Select file to display.Use  Next4 and Prev4 to scroll"));
  Label70 = label(Frame2, QStringLiteral("    Correct"), Idle);
  Label71 = label(Frame2, QStringLiteral(" Spread Fill"), Selected);
  Label72 = label(Frame2, QStringLiteral(" Stretch Fill"), Idle);
  static const char* dirCaptions[] = {"Dir*1", "Dir 2", "Dir 3", "Dir 4", "Dir 5", "Dir 6"};
  CommandButton** dirButtons[] = {&Command14, &Command15, &Command16, &Command17, &Command18, &Command19};
  for (int i = 0; i < 6; ++i)
    *dirButtons[i] = command(Frame2, QString::fromLatin1(dirCaptions[i]),
                             QStringLiteral("Left click selects, Right click Saves Directory"));

  PicbufVisible = new PicBuf(c);
  PicbufOriginal = new PicBuf(c);
  PicbufEdit = new PicBuf(c);

  Label49 = new QLabel(QStringLiteral("Shutting Down, saving settings."), c);
  Label49->setAlignment(Qt::AlignCenter);
  Label49->setAutoFillBackground(true);
  Label49->hide();
}

void Form1::layoutControls() {
  // Left column: palette and text styling.
  for (int n = 1; n <= 8; ++n) place(palette[n], 4 + (n - 1) * 23, 2, 21, 21);
  for (int n = 9; n <= 12; ++n) place(palette[n], 4 + (n - 9) * 46, 26, 44, 20);
  place(Label25, 4, 50, 90, 18);
  place(Label45, 96, 50, 90, 18);
  place(Check15, 4, 72, 70, 20);
  place(Label47, 78, 72, 84, 20);
  place(HScroll4, 4, 96, 140, 16);
  place(Text8, 148, 94, 36, 20);
  place(Check17, 4, 124, 70, 20);
  place(Option2, 74, 114, 42, 26);
  place(Option3, 116, 114, 42, 26);
  place(Option4, 74, 140, 42, 26);
  place(Option5, 116, 140, 42, 26);
  place(VScroll1, 164, 116, 16, 50);
  place(Text13, 4, 170, 50, 20);
  place(HScroll5, 58, 172, 126, 16);
  place(Check16, 4, 196, 70, 20);
  place(Label31, 78, 196, 50, 20);
  place(VScroll3, 168, 196, 16, 46);
  place(Label34, 4, 222, 60, 20);
  place(Label36, 68, 222, 40, 20);
  place(Label35, 112, 222, 52, 20);
  place(Check6, 4, 246, 56, 20);
  place(Check14, 62, 246, 56, 20);
  place(Check13, 120, 246, 50, 20);
  place(Command21, 4, 270, 44, 24);
  place(Command25, 50, 270, 44, 24);
  place(Command23, 96, 270, 44, 24);
  place(Command24, 142, 270, 44, 24);
  place(Combo3, 4, 300, 110, 24);
  place(Text14, 118, 300, 30, 24);
  place(Label53, 4, 330, 54, 22);
  place(Label54, 62, 330, 54, 22);
  place(Command8, 120, 330, 66, 24);
  place(Text3, 4, 360, 156, 22);
  place(Label48, 164, 360, 22, 22);
  place(Text4, 4, 386, 182, 22);
  place(Command2, 4, 412, 88, 24);
  place(Command9, 98, 412, 88, 24);
  place(Image7, 4, 440, 80, 64);
  place(Text2, 0, 0, 193, 350);
  place(Frame1, 0, 0, 190, 200);
  place(Frame9, 0, 0, 190, 300);

  // Centre: the main picture and the tools under it.
  place(Picture1, 192, 0, Picture1->width(), Picture1->height());
  place(Label49, 200, 110, 308, 30);
  place(Frame7, 192, 0, 324, 229);
  for (int n = 4; n <= 12; ++n) {
    const int top = n <= 6 ? 2 + (n - 4) * 40 : 2 + (n - 7) * 20;
    place(headerStrips[n], 0, top, 324, headerStrips[n]->height());
    headerStrips[n]->setVisible(n <= 6);
  }
  place(Text12, 0, 144, 324, 73);
  place(Text1, 192, 264, 250, 52);
  place(Label26, 446, 264, 70, 24);
  place(Command12, 446, 292, 70, 24);
  place(Command31, 192, 320, 70, 24);
  place(Command1, 266, 320, 124, 24);
  place(Command3, 394, 320, 122, 24);
  place(Shape2, 190, 348, 70, 28);
  place(Option1, 196, 351, 60, 22);
  place(Shape1, 264, 348, 176, 28);
  place(Option8, 268, 351, 60, 22);
  place(Text6, 330, 351, 24, 22);
  place(HScroll1, 358, 354, 78, 16);
  place(Shape3, 190, 378, 326, 54);
  place(Frame4, 194, 380, 220, 50);
  place(Option6, 4, 4, 90, 20);
  place(Option7, 100, 4, 100, 20);
  place(Check18, 4, 26, 120, 20);
  place(Check19, 420, 394, 92, 22);
  place(Label24, 192, 436, 50, 22);
  place(Label29, 246, 436, 54, 22);
  place(Label73, 304, 436, 128, 22);
  place(Label30, 436, 436, 80, 22);
  place(Label32, 192, 462, 54, 22);
  place(Label38, 250, 462, 54, 22);
  place(Label14, 308, 462, 50, 22);
  place(Command28, 362, 462, 38, 24);
  place(Command29, 400, 462, 38, 24);
  place(Command44, 438, 462, 39, 24);
  place(Command46, 477, 462, 39, 24);
  place(Combo1, 192, 490, 104, 24);
  place(VScroll4, 300, 470, 16, 64);
  place(Command6, 320, 490, 62, 24);
  place(Command10, 384, 490, 62, 24);
  place(Command13, 448, 490, 68, 24);
  place(Command20, 192, 516, 80, 20);
  place(Label33, 276, 516, 240, 18);

  // Right: the thumbnail strip.
  place(Image2, 523, 8, 101, 81);
  place(Image3, 523, 96, 101, 81);
  place(Image4, 523, 184, 101, 81);
  place(Image5, 523, 272, 101, 81);
  place(Text5, 523, 358, 101, 22);
  place(HScroll2, 523, 382, 101, 16);
  place(Label37, 523, 402, 49, 34);
  place(Label28, 575, 402, 49, 34);
  place(Text7, 523, 440, 22, 22);
  place(HScroll3, 548, 443, 76, 16);
  place(Command35, 523, 468, 49, 24);
  place(Command37, 575, 468, 49, 24);

  // The picture browser covers the left column while it is open.
  place(Frame2, 0, 0, 190, 530);
  place(Drive1, 4, 14, 182, 24);
  place(Dir1, 4, 40, 182, 110);
  place(File1, 4, 152, 182, 140);
  place(Label16, 4, 296, 40, 18);
  place(Label43, 48, 296, 80, 18);
  place(Label70, 4, 318, 60, 18);
  place(Label71, 66, 318, 60, 18);
  place(Label72, 128, 318, 58, 18);
  for (int i = 0; i < 6; ++i) {
    CommandButton* b = std::array{Command14, Command15, Command16, Command17, Command18, Command19}[i];
    place(b, 4 + (i % 3) * 61, 340 + (i / 3) * 26, 59, 24);
  }
  for (PicBuf* b : {PicbufVisible, PicbufOriginal, PicbufEdit}) {
    place(b, 192, 0, 324, 260);
    b->hide();
  }
  Shape1->lower();
  Shape2->lower();
  Shape3->lower();
}

void Form1::createMenus() {
  fileMenu = menuBar()->addMenu(QStringLiteral("File"));
  exit = fileMenu->addAction(QStringLiteral("Exit"));

  copypaste = menuBar()->addMenu(QStringLiteral("Setup"));
  auto program = [this](const QString& caption) {
    QAction* a = copypaste->addAction(caption);
    a->setCheckable(true);
    return a;
  };
  simplecopypaste = program(QStringLiteral("Simple Copy Paste"));
  panel2panel1 = program(QStringLiteral("ChromaPIX --- Send to CPIX-1"));
  panel2panel2 = program(QStringLiteral("ChromaPIX --- Send to CPIX-2"));
  jvcomm1 = program(QStringLiteral("JVComm"));
  mmsstv = program(QStringLiteral("MMSSTV"));
  mscann = program(QStringLiteral("Mscan"));
  roy11 = program(QStringLiteral("Roy1"));
  sstv32e = program(QStringLiteral("SSTV32"));
  w95sstvv = program(QStringLiteral("W95SSTV"));
  winpixx = program(QStringLiteral("WinPix single instance"));
  winpix2 = program(QStringLiteral("WinPix two instances. The RX box must be visible on one instance"));
  winskann = program(QStringLiteral("WinSkan"));
  copypaste->addSeparator();
  qslinfo = new QAction(QStringLiteral("QSL info Defaults"), this);
  sdrx = copypaste->addAction(QStringLiteral("Set Directory for RX thumbnails, nothing selected"));

  // The header maker's menu items carry header mode in their check marks.
  makeheader = new QAction(QStringLiteral("Make Header 32 line"), this);
  makeheader->setCheckable(true);
  makeheader16 = new QAction(QStringLiteral("Make Header 16 line"), this);
  makeheader16->setCheckable(true);

  help = menuBar()->addMenu(QStringLiteral("Help"));
  helpp = help->addAction(QStringLiteral("Help"));
  tooltipson = help->addAction(QStringLiteral("Tool Tips ON"));
  tooltipson->setCheckable(true);
  tooltipson->setChecked(true);
  tooltipsoff = help->addAction(QStringLiteral("Tool Tips OFF"));
  tooltipsoff->setCheckable(true);
}

void Form1::connectHandlers() {
  auto onTrigger = [this](QAction* a, void (Form1::*handler)()) {
    connect(a, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
  };
  auto onChoose = [this](OptionButton* o, void (Form1::*handler)()) {
    connect(o, &OptionButton::chosen, this, [this, handler] { (this->*handler)(); });
  };
  auto onToggle = [this](QCheckBox* b, void (Form1::*handler)()) {
    connect(b, &QCheckBox::toggled, this, [this, handler] { (this->*handler)(); });
  };
  auto onChange = [this](ScrollBar* s, void (Form1::*handler)()) {
    connect(s, &ScrollBar::change, this, [this, handler] { (this->*handler)(); });
  };
  auto onClick = [this](LabelButton* l, void (Form1::*handler)()) {
    connect(l, &LabelButton::clicked, this, [this, handler] { (this->*handler)(); });
  };

  // Menus
  onTrigger(exit, &Form1::exit_Click);
  onTrigger(helpp, &Form1::helpp_Click);
  onTrigger(tooltipson, &Form1::tooltipson_Click);
  onTrigger(tooltipsoff, &Form1::tooltipsoff_Click);
  onTrigger(simplecopypaste, &Form1::simplecopypaste_Click);
  onTrigger(panel2panel1, &Form1::panel2panel1_Click);
  onTrigger(panel2panel2, &Form1::panel2panel2_Click);
  onTrigger(jvcomm1, &Form1::jvcomm1_Click);
  onTrigger(mmsstv, &Form1::mmsstv_Click);
  onTrigger(mscann, &Form1::mscann_Click);
  onTrigger(roy11, &Form1::roy11_Click);
  onTrigger(sstv32e, &Form1::sstv32e_Click);
  onTrigger(w95sstvv, &Form1::w95sstvv_Click);
  onTrigger(winpixx, &Form1::winpixx_Click);
  onTrigger(winpix2, &Form1::winpix2_Click);
  onTrigger(winskann, &Form1::winskann_Click);

  // Canvas
  connect(Command12, &QPushButton::clicked, this, [this] { Command12_Click(); });
  connect(Command31, &QPushButton::clicked, this, [this] { Command31_Click(); });
  onClick(Label26, &Form1::Label26_Click);
  connect(Label26, &LabelButton::mouseDown, this, &Form1::Label26_MouseDown);
  onChoose(Option1, &Form1::Option1_Click);
  connect(Option1, &OptionButton::mouseUp, this, &Form1::Option1_MouseUp);
  onChoose(Option6, &Form1::Option6_Click);
  onChoose(Option7, &Form1::Option7_Click);
  onChoose(Option8, &Form1::Option8_Click);
  connect(Picture1, &PictureBox::mouseDown, this, &Form1::Picture1_MouseDown);
  connect(Picture1, &PictureBox::mouseMove, this, &Form1::Picture1_MouseMove);
  connect(Picture1, &PictureBox::mouseUp, this, &Form1::Picture1_MouseUp);
  connect(Text1, &TextBox::change, this, [this] { Text1_Change(); });
  connect(Text1, &TextBox::dblClick, this, [this] { Text1_DblClick(); });
  connect(Text1, &TextBox::mouseUp, this, &Form1::Text1_MouseUp);
  connect(File1, &FileListBox::mouseUp, this, &Form1::File1_MouseUp);
  onChange(HScroll1, &Form1::HScroll1_Change);
  onChange(VScroll4, &Form1::VScroll4_Change);

  // Text
  onToggle(Check15, &Form1::Check15_Click);
  connect(Check15, &CheckBox::mouseUp, this, &Form1::Check15_MouseUp);
  onClick(Label47, &Form1::Label47_Click);
  onChange(HScroll4, &Form1::HScroll4_Change);
  onToggle(Check16, &Form1::Check16_Click);
  onToggle(Check17, &Form1::Check17_Click);
  connect(Check17, &CheckBox::mouseUp, this, &Form1::Check17_MouseUp);
  onChoose(Option2, &Form1::Option2_Click);
  onChoose(Option3, &Form1::Option3_Click);
  onChoose(Option4, &Form1::Option4_Click);
  onChoose(Option5, &Form1::Option5_Click);
  for (OptionButton* o : {Option2, Option3, Option4, Option5})
    connect(o, &OptionButton::mouseUp, this, &Form1::OptionDirection_MouseUp);
  onChange(VScroll1, &Form1::VScroll1_Change);
  onChange(HScroll5, &Form1::HScroll5_Change);
  connect(Text13, &TextField::mouseDown, this, &Form1::Text13_MouseDown);
  onClick(Label31, &Form1::Label31_Click);
  onChange(VScroll3, &Form1::VScroll3_Change);
  onClick(Label36, &Form1::Label36_Click);

  // Pictures, log and image processing
  onChange(HScroll2, &Form1::HScroll2_Change);
  connect(Dir1, &DirListBox::change, this, [this] { Dir1_Change(); });
  connect(Drive1, &DriveListBox::change, this, [this] { Drive1_Change(); });
  connect(Text3, &TextField::change, this, [this] { Text3_Change(); });
  connect(Text4, &TextField::change, this, [this] { Text4_Change(); });
  onClick(Label32, &Form1::Label32_Click);
  onClick(Label38, &Form1::Label38_Click);
  connect(Combo1, &ComboBox::click, this, [this] { Combo1_Click(); });
  connect(Combo1, &ComboBox::gotFocus, this, [this] { Combo1_GotFocus(); });
  connect(Combo1, &ComboBox::lostFocus, this, [this] { Combo1_LostFocus(); });
  onToggle(Check18, &Form1::Check18_Click);
  onToggle(Check19, &Form1::Check19_Click);
}

bool Form1::isArmed(const QWidget* w) const { return platform::backColor(w) == Armed; }

bool Form1::headerMode() const { return makeheader->isChecked() || makeheader16->isChecked(); }

void Form1::closeEvent(QCloseEvent* e) {
  if (!unloaded) Form_Unload();
  e->accept();
  // Unloading the main window ends the program, even while the help window is still open.
  QCoreApplication::quit();
}
