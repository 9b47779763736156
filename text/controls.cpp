#include <QPainter>
#include <QPixmap>

#include "app/controlkit.h"
#include "platform/colour.h"

using namespace colour::state;
using namespace controlkit;

namespace {

// The picture-font list in the order of a keyboard, one character an item.
QStringList pictureFontCharacters() {
  const QString keys = QStringLiteral("[]{}*()_+abcdefghijklmnopqrstuvwxyz1234567890-=\\!@$%^&|")
                       + QStringLiteral("QWERTYUIOPASDFGHJKL:\"ZXCVBNM<>?");
  QStringList items;
  for (const QChar ch : keys) items << QString(ch);
  return items;
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

// The twelve colour buttons (9 to 12 are the saved colours C1 to C4) and the two text colours.
void createPalette(Form1& f, QWidget* c) {
  static const long paletteColours[] = {0,        0x010101, 0xFFFFFF, 0xFF,     0x80FF, 0xFFFF,  0xFF00,
                                        0xFFFF00, 0xFF00FF, 0x80,     0x808080, 0x8080, 0x800080};
  for (int n = 1; n <= 12; ++n) {
    f.palette[n] = label(c, n >= 9 ? QStringLiteral("C%1").arg(n - 8) : QString(), paletteColours[n]);
    f.palette[n]->setToolTip(n <= 8 ? QStringLiteral("LeftClick for TextColor, RightClick for Shadow Color")
                             : n <= 10
                                 ? QStringLiteral("Saved Color, LeftClick for TextColor, RightClick for Shadow Color")
                                 : QStringLiteral("Saved Color,LeftClick for TextColor, RightClick for Shadow Color"));
  }
  f.Label9 = f.palette[9];
  f.Label10 = f.palette[10];
  f.Label11 = f.palette[11];
  f.Label12 = f.palette[12];
  f.Label25 = label(c, QStringLiteral("Text forecolor"), 238);  // the start-up text colour
  f.Label45 = label(c, QStringLiteral("Text backcolor"), 0xFFFF);
}

void createOutlineAndShadow(Form1& f, QWidget* c) {
  f.Check15 = new CheckBox(QStringLiteral("Outline"), c);
  f.Check15->setToolTip(QStringLiteral("Make colored outline around text"));
  f.Label47 = label(c, QStringLiteral("Fine outline"), Idle, QStringLiteral("Click to toggle Outline fine or bold"));
  f.HScroll4 = new ScrollBar(Qt::Horizontal, 0, 12, 0, c);
  f.Text8 = new TextField(c);
  f.Text8->setBackColor(0);
  f.Text8->setReadOnly(true);
  f.Text8->setToolTip(QStringLiteral("Outline color, scroll follows 12 colors below"));
  f.Check17 = new CheckBox(QStringLiteral("Shadow"), c);
  f.Check17->setToolTip(QStringLiteral("Make extrusion on text"));
  const std::array<OptionButton*, 4> directions = {
      f.Option2 = new OptionButton(QString(), c), f.Option3 = new OptionButton(QString(), c),
      f.Option4 = new OptionButton(QString(), c), f.Option5 = new OptionButton(QString(), c)};
  for (int k = 0; k < 4; ++k) {
    directions[k]->setIcon(diagonalArrow(k % 2 ? 1 : -1, k < 2 ? -1 : 1));
    directions[k]->setIconSize(QSize(32, 32));
    directions[k]->setToolTip(QStringLiteral("Direction of Shadow"));
  }
  OptionButton::makeContainer({f.Option2, f.Option3, f.Option4, f.Option5});
  f.VScroll1 = new ScrollBar(Qt::Vertical, 3, 20, 3, c);
  f.Text13 = new TextField(c);
  f.Text13->setText(QStringLiteral(" Off"));
  f.Text13->setBackColor(Idle);
  f.Text13->setReadOnly(true);
  f.Text13->setToolTip(QStringLiteral("When ON, use scroll bar to change text shadow effects."));
  f.HScroll5 = new ScrollBar(Qt::Horizontal, 1, 5, 1, c);
}

void createStyles(Form1& f, QWidget* c) {
  f.Check16 = new CheckBox(QStringLiteral("BkGnd"), c);
  f.Check16->setToolTip(QStringLiteral("Background fill color for text. Right click color with mouse"));
  f.Label31 = label(c, QStringLiteral("Horiz"), Idle, QStringLiteral("Toggles text Horizontal or Vertical"));
  f.VScroll3 = new ScrollBar(Qt::Vertical, 0, 9, 0, c);
  f.VScroll3->hide();
  f.Label34 = label(c, QStringLiteral(" Normal"), Idle, QStringLiteral("Style of text. "));
  f.Label36 = label(c, QStringLiteral("Try"), Armed);
  f.Label35 = label(c, QStringLiteral(" Dejag"), Idle,
                    QStringLiteral("Reduces jaggies. Good for rotated text or pictures. Sometimes makes text on poor "
                                   "Pix more readable"));
  f.Check6 = new CheckBox(QStringLiteral("Bold"), c);
  f.Check6->setToolTip(QStringLiteral("Bold text"));
  f.Check14 = new CheckBox(QStringLiteral("Ital"), c);
  f.Check14->setToolTip(QStringLiteral("Italic text"));
  f.Check13 = new CheckBox(QStringLiteral("U"), c);
  f.Check13->setToolTip(QStringLiteral("Underlined text"));
}

void createFonts(Form1& f, QWidget* c) {
  f.Command21 = command(c, QStringLiteral("F1"), QStringLiteral("Saved Font"));
  f.Command25 = command(c, QStringLiteral("F2"), QStringLiteral("Saved Font"));
  f.Command23 = command(c, QStringLiteral("F3"), QStringLiteral("Saved Font"));
  f.Command24 = command(c, QStringLiteral("F4"), QStringLiteral("Saved Font"));
  f.Combo3 = new ComboBox(c);
  f.Combo3->setToolTip(QStringLiteral(
      "Click on drop down pix to send to screen. different picture  Fonts can be selected by scroll bar "));
  f.Combo3->setEditable(false);
  f.Combo3->addItems(pictureFontCharacters());
  f.Text14 = new TextField(c);
  f.Text14->setText(QStringLiteral("1"));
  f.Text14->setReadOnly(true);
  f.Text14->setContextMenuPolicy(Qt::NoContextMenu);  // its right button chooses the font
  f.Text14->setToolTip(QStringLiteral("Rt Click to set fun font for selected number"));
  f.VScroll2 = new ScrollBar(Qt::Vertical, 1, 5, 1, c);
}

// A panel of one-shot boxes over the top of the column, shown while the operator uses it.
Frame* savePanel(QWidget* c, const QString& title, const std::array<CheckBox**, 5>& boxes,
                     const std::array<const char*, 5>& captions) {
  auto* frame = new Frame(c, title);
  for (std::size_t k = 0; k < boxes.size(); ++k)
    *boxes[k] = place(new CheckBox(QString::fromLatin1(captions[k]), frame), 8, 24 + int(k) * 30, 170, 24);
  place(frame, 0, 0, 185, LeftPanelHeight);
  frame->hide();
  return frame;
}

void createSavePanels(Form1& f, QWidget* c) {
  f.Frame1 = savePanel(c, QStringLiteral("     Save Font "), {&f.Check1, &f.Check2, &f.Check3, &f.Check4, &f.Check5},
                       {"Save  Font   to   F1", "Save  Font   to   F2", "Save   Font  to   F3",
                        "Save   Font  to   F4", "EXIT"});
  f.Frame8 = savePanel(c, QStringLiteral("Save Color"), {&f.Check20, &f.Check21, &f.Check22, &f.Check23, &f.Check24},
                       {"Save   Color   to   C1", "Save   Color   to   C2", "Save   Color  to   C3",
                        "Save   Color  to   C4", "EXIT"});
}

// The "Fonts/Colors" menu of the menu bar.
void createMenu(Form1& f) {
  f.changefont = f.fontscolors->addAction(QStringLiteral("Change Font"));
  f.savefontandcolor = f.fontscolors->addAction(QStringLiteral("Save Font"));
  f.savecolor = f.fontscolors->addAction(QStringLiteral("Save Color"));
}

void placeControls(Form1& f) {
  for (int n = 1; n <= 8; ++n) place(f.palette[n], 4 + (n - 1) * 23, 2, 20, 21);
  for (int n = 9; n <= 12; ++n) place(f.palette[n], 4 + (n - 9) * 46, 26, 43, 20);
  place(f.Label25, 4, 50, 90, 18);
  place(f.Label45, 96, 50, 89, 18);
  place(f.Check15, 4, 72, 70, 20);
  place(f.Label47, 78, 72, 84, 20);
  place(f.HScroll4, 4, 96, 140, 16);
  place(f.Text8, 148, 94, 36, 20);
  // The shadow: its switch and graded colour above the four directions, which stand 2 by 2 with
  // the depth beside them.
  place(f.Check17, 4, 118, 66, 20);
  place(f.Text13, 72, 118, 48, 20);
  place(f.HScroll5, 124, 120, 60, 16);
  place(f.Option2, 24, 140, 60, 37);
  place(f.Option3, 86, 140, 60, 37);
  place(f.Option4, 24, 178, 60, 37);
  place(f.Option5, 86, 178, 60, 37);
  place(f.VScroll1, 152, 140, 16, 75);
  place(f.Check16, 4, 219, 70, 20);
  place(f.Label31, 78, 219, 50, 20);
  place(f.VScroll3, 168, 219, 16, 46);
  place(f.Label34, 4, 243, 60, 20);
  place(f.Label36, 68, 243, 40, 20);
  place(f.Label35, 112, 243, 52, 20);
  place(f.Check6, 4, 267, 56, 20);
  place(f.Check14, 62, 267, 56, 20);
  place(f.Check13, 120, 267, 50, 20);
  place(f.Command21, 4, 291, 43, 24);
  place(f.Command25, 50, 291, 43, 24);
  place(f.Command23, 96, 291, 43, 24);
  place(f.Command24, 142, 291, 43, 24);
  place(f.Combo3, 4, 320, 110, 24);
  place(f.Text14, 118, 320, 30, 24);
  place(f.VScroll2, 152, 316, 18, 32);
}

void wireControls(Form1& f) {
  on(f.Check15, &QCheckBox::toggled, f, &Form1::Check15_Click);
  QObject::connect(f.Check15, &CheckBox::mouseUp, &f, &Form1::Check15_MouseUp);
  on(f.Label47, &LabelButton::clicked, f, &Form1::Label47_Click);
  on(f.HScroll4, &ScrollBar::change, f, &Form1::HScroll4_Change);
  on(f.Check16, &QCheckBox::toggled, f, &Form1::Check16_Click);
  on(f.Check17, &QCheckBox::toggled, f, &Form1::Check17_Click);
  QObject::connect(f.Check17, &CheckBox::mouseUp, &f, &Form1::Check17_MouseUp);
  on(f.Option2, &OptionButton::chosen, f, &Form1::Option2_Click);
  on(f.Option3, &OptionButton::chosen, f, &Form1::Option3_Click);
  on(f.Option4, &OptionButton::chosen, f, &Form1::Option4_Click);
  on(f.Option5, &OptionButton::chosen, f, &Form1::Option5_Click);
  for (OptionButton* o : {f.Option2, f.Option3, f.Option4, f.Option5})
    QObject::connect(o, &OptionButton::mouseUp, &f, &Form1::OptionDirection_MouseUp);
  on(f.VScroll1, &ScrollBar::change, f, &Form1::VScroll1_Change);
  on(f.HScroll5, &ScrollBar::change, f, &Form1::HScroll5_Change);
  QObject::connect(f.Text13, &TextField::mouseDown, &f, &Form1::Text13_MouseDown);
  on(f.Label31, &LabelButton::clicked, f, &Form1::Label31_Click);
  on(f.VScroll3, &ScrollBar::change, f, &Form1::VScroll3_Change);
  on(f.Label36, &LabelButton::clicked, f, &Form1::Label36_Click);
  QObject::connect(f.Label36, &LabelButton::mouseUp, &f, &Form1::Label36_MouseUp);
  on(f.Label34, &LabelButton::clicked, f, &Form1::Label34_Click);
  on(f.Label35, &LabelButton::clicked, f, &Form1::Label35_Click);
}

void wireFontsAndColours(Form1& f) {
  on(f.changefont, &QAction::triggered, f, &Form1::changefont_Click);
  on(f.savefontandcolor, &QAction::triggered, f, &Form1::savefontandcolor_Click);
  on(f.savecolor, &QAction::triggered, f, &Form1::savecolor_Click);
  on(f.Check6, &QCheckBox::toggled, f, &Form1::Check6_Click);
  on(f.Check14, &QCheckBox::toggled, f, &Form1::Check14_Click);
  on(f.Check13, &QCheckBox::toggled, f, &Form1::Check13_Click);
  QObject::connect(f.Command21, &CommandButton::mouseDown, &f, &Form1::Command21_MouseDown);
  QObject::connect(f.Command25, &CommandButton::mouseDown, &f, &Form1::Command25_MouseDown);
  QObject::connect(f.Command23, &CommandButton::mouseDown, &f, &Form1::Command23_MouseDown);
  QObject::connect(f.Command24, &CommandButton::mouseDown, &f, &Form1::Command24_MouseDown);
  const std::array<CheckBox*, 4> fontBoxes = {f.Check1, f.Check2, f.Check3, f.Check4};
  const std::array<CheckBox*, 4> colourBoxes = {f.Check20, f.Check21, f.Check22, f.Check23};
  for (int k = 1; k <= 4; ++k) {
    QObject::connect(fontBoxes[k - 1], &QCheckBox::toggled, &f, [&f, k] { f.SaveFontBox_Click(k); });
    QObject::connect(colourBoxes[k - 1], &QCheckBox::toggled, &f, [&f, k] { f.SaveColorBox_Click(k); });
  }
  on(f.Check5, &QCheckBox::toggled, f, &Form1::Check5_Click);
  on(f.Check24, &QCheckBox::toggled, f, &Form1::Check24_Click);
  for (int n = 1; n <= 12; ++n)
    QObject::connect(f.palette[n], &LabelButton::mouseDown, &f, [&f, n](int button, int shift, double x, double y) {
      f.Palette_MouseDown(n, button, shift, x, y);
    });
}

void wirePictureFonts(Form1& f) {
  on(f.Combo3, &ComboBox::click, f, &Form1::Combo3_Click);
  on(f.VScroll2, &ScrollBar::change, f, &Form1::VScroll2_Change);
  on(f.VScroll2, &ScrollBar::gotFocus, f, &Form1::VScroll2_GotFocus);
  QObject::connect(f.Text14, &TextField::mouseDown, &f, &Form1::Text14_MouseDown);
  QObject::connect(f.Text14, &TextField::mouseUp, &f, &Form1::Text14_MouseUp);
}

}  // namespace

void buildTextControls(Form1& f, QWidget* central) {
  createPalette(f, central);
  createOutlineAndShadow(f, central);
  createStyles(f, central);
  createFonts(f, central);
  createSavePanels(f, central);
  createMenu(f);
  placeControls(f);
  wireControls(f);
  wireFontsAndColours(f);
  wirePictureFonts(f);
}
