#include "app/controlkit.h"
#include "platform/colour.h"
#include "sstvlink/layout.h"

using namespace colour::state;
using namespace controlkit;

namespace {

// The saved-thumbnail strip right of the main picture, with its page scroll bar and the scrap book.
void createStrip(Form1& f, QWidget* c) {
  for (ImageBox** box : {&f.Image2, &f.Image3, &f.Image4, &f.Image5}) {
    *box = new ImageBox(c, 101, 81);
    (*box)->setToolTip(QStringLiteral("Saved thumbnail. Drag to main screen, or drop a picture here to keep it"));
  }
  f.Text5 = indicator(c, QStringLiteral("Saved Thumbnails, scroll for more"), ModeChosen,
                      QStringLiteral("Saved thumbnail page. Click to show it again"));
  f.HScroll2 = new ScrollBar(Qt::Horizontal, 1, 5, 1, c);
  f.Label37 =
      label(c, QStringLiteral("Scrap   Book"), Off, QStringLiteral("Four scrap pictures, kept until the program ends"));
  f.Label28 =
      label(c, QStringLiteral("Reset thumb"), Off, QStringLiteral("Reload the saved thumbnails from their files"));
  f.Label37->setWordWrap(true);
  f.Label28->setWordWrap(true);
}

// The picture browser covers the left column while it is open.
void createBrowser(Form1& f, QWidget* c) {
  f.Command20 = command(c, QStringLiteral("Load Pic"), QStringLiteral("Loads pictures from disk"));
  f.Frame2 = new QGroupBox(c);
  f.Frame2->hide();
  f.Drive1 = new DriveListBox(f.Frame2);
  f.Dir1 = new DirListBox(f.Frame2);
  f.File1 = new FileListBox(f.Frame2);
  f.File1->setToolTip(
      QStringLiteral("Drag from thumbnails at left to main or other thumbnail screen, Drop here for Save"));
  f.Label16 = label(f.Frame2, QStringLiteral("GIF"), Idle);
  f.Label16->hide();
  f.Label43 = label(f.Frame2, QStringLiteral("Grab Icons"), Idle,
                    QStringLiteral("Displays Icons in exe and dll files. Select file to display.Use  Next4 and Prev4 "
                                   "to scroll"));
  CommandButton** dirButtons[] = {&f.Command14, &f.Command15, &f.Command16, &f.Command17, &f.Command18, &f.Command19};
  for (int i = 0; i < 6; ++i)
    *dirButtons[i] = command(f.Frame2, i == 0 ? QStringLiteral("Dir*1") : QStringLiteral("Dir %1").arg(i + 1),
                             QStringLiteral("Left click selects, Right click Saves Directory"));
  f.PicbufVisible = new PicBuf(c);
  f.PicbufOriginal = new PicBuf(c);
  f.PicbufEdit = new PicBuf(c);
}

void placeControls(Form1& f) {
  const int x = narrowLayout.thumbnailLeft;
  place(f.Image2, x, 8, 101, 81);
  place(f.Image3, x, 96, 101, 81);
  place(f.Image4, x, 184, 101, 81);
  place(f.Image5, x, 272, 101, 81);
  place(f.Text5, x, 358, 101, 22);
  place(f.HScroll2, x, 382, 101, 16);
  place(f.Label37, x, 402, 49, 34);
  place(f.Label28, x + 52, 402, 49, 34);
  place(f.Command20, 192, 516, 80, 20);
  place(f.Frame2, 0, 0, 185, 530);
  place(f.Drive1, 4, 14, 177, 24);
  place(f.Dir1, 4, 40, 177, 110);
  place(f.File1, 4, 152, 177, 140);
  place(f.Label16, 4, 296, 40, 18);
  place(f.Label43, 48, 296, 80, 18);
  const std::array dirButtons = {f.Command14, f.Command15, f.Command16, f.Command17, f.Command18, f.Command19};
  for (int i = 0; i < 6; ++i) place(dirButtons[i], 4 + (i % 3) * 60, 340 + (i / 3) * 26, 57, 24);
  // The image buffers work unseen over the main picture; the adjust panel shows one of them.
  f.placeImageBuffers();
  for (PicBuf* b : {f.PicbufVisible, f.PicbufOriginal, f.PicbufEdit}) b->hide();
}

void wireControls(Form1& f) {
  on(f.HScroll2, &ScrollBar::change, f, &Form1::HScroll2_Change);
  on(f.Dir1, &DirListBox::change, f, &Form1::Dir1_Change);
  on(f.Drive1, &DriveListBox::change, f, &Form1::Drive1_Change);
  QObject::connect(f.File1, &FileListBox::mouseUp, &f, &Form1::File1_MouseUp);
}

}  // namespace

void buildPicturesControls(Form1& f, QWidget* central) {
  createStrip(f, central);
  createBrowser(f, central);
  placeControls(f);
  wireControls(f);
}
