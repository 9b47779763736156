#include "app/controlkit.h"
#include "platform/colour.h"
#include "sstvlink/layout.h"

using namespace colour::state;
using namespace controlkit;

namespace {

// The header maker covers the main picture while it is open: the nine strips (32-line strips
// 4 to 6, 16-line strips 7 to 12) above its help text.
void createHeaderMaker(Form1& f, QWidget* c) {
  f.Image15 = new ImageBox(c, 32, 26);
  f.Image15->hide();
  f.Frame7 = new QGroupBox(c);
  f.Frame7->hide();
  for (int n = 4; n <= 12; ++n) f.headerStrips[n] = new PictureBox(f.Frame7, 320, n <= 6 ? 32 : 16);
  f.Picture4 = f.headerStrips[4];
  f.Picture5 = f.headerStrips[5];
  f.Picture6 = f.headerStrips[6];
  f.Picture7 = f.headerStrips[7];
  f.Picture8 = f.headerStrips[8];
  f.Picture9 = f.headerStrips[9];
  f.Picture10 = f.headerStrips[10];
  f.Picture11 = f.headerStrips[11];
  f.Picture12 = f.headerStrips[12];
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

void createStampsAndMessages(Form1& f, QWidget* c) {
  f.Label53 = label(c, QStringLiteral(" Date"), Idle, QStringLiteral("Puts current date near bottom of picture"));
  f.Label54 =
      label(c, QStringLiteral(" QSL"), Idle, QStringLiteral("Puts a QSL band with signal report on the picture"));
  f.Command8 = command(c, QStringLiteral("Load Msg"), QStringLiteral("Load Saved Messages"));
  f.Text2 = new TextBox(c);
  f.Text2->setBackColor(0xE0E0E0);
  f.Text2->setToolTip(
      QStringLiteral("Dbl Click anywhere in desired message to transfer to Text Box. Seperate "
                     "messages with at least three\"---\", Multi Line Messages OK."));
  f.Text2->hide();
  f.Frame5 = new QGroupBox(QStringLiteral("Quick set QSL details"), c);
  f.Frame5->hide();
  f.Text9 = new TextField(f.Frame5);
  f.Text10 = new TextField(f.Frame5);
  f.Frame6 = new QGroupBox(QStringLiteral("Default QSL info Settings"), c);
  f.Frame6->hide();
  f.Text16 = new TextField(f.Frame6);
  f.qslinfo = new QAction(QStringLiteral("QSL info Defaults"), &f);
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

void placeControls(Form1& f) {
  place(f.Frame7, narrowLayout.pictureLeft, 0, 324, 229);
  for (int n = 4; n <= 12; ++n) {
    const int top = n <= 6 ? 2 + (n - 4) * 40 : 2 + (n - 7) * 20;
    place(f.headerStrips[n], 0, top, 324, f.headerStrips[n]->height());
    f.headerStrips[n]->setVisible(n <= 6);
  }
  place(f.Text12, 0, 144, 324, 73);
  place(f.Command35, narrowLayout.thumbnailLeft, 468, 49, 24);
  place(f.Command37, narrowLayout.thumbnailLeft + 52, 468, 49, 24);
  place(f.Label53, 4, 330, 54, 22);
  place(f.Label54, 62, 330, 54, 22);
  place(f.Command8, 120, 330, 65, 24);
  place(f.Text2, 0, 0, 185, 350);
  place(f.Text3, 4, 360, 156, 22);
  place(f.Label48, 164, 360, 21, 22);
  place(f.Text4, 4, 386, 181, 22);
  place(f.Command2, 4, 412, 87, 24);
  place(f.Command9, 98, 412, 87, 24);
  place(f.Frame5, 0, 0, 185, 56);
  place(f.Text9, 8, 22, 80, 24);
  place(f.Text10, 96, 22, 80, 24);
  place(f.Frame6, 0, 0, 185, 56);
  place(f.Text16, 8, 22, 80, 24);
  place(f.Image7, 4, 440, 80, 64);
}

void wireControls(Form1& f) {
  on(f.Text3, &TextField::change, f, &Form1::Text3_Change);
  on(f.Text4, &TextField::change, f, &Form1::Text4_Change);
}

}  // namespace

void buildQslControls(Form1& f, QWidget* central) {
  createHeaderMaker(f, central);
  createStampsAndMessages(f, central);
  createCallLog(f, central);
  placeControls(f);
  wireControls(f);
}
