#include <QFocusEvent>
#include <QPainter>
#include <cmath>

#include "app/controlkit.h"
#include "platform/dragdrop.h"
#include "pictures/filetypes.h"
#include "platform/colour.h"
#include "sstvlink/layout.h"

using namespace colour::state;
using namespace controlkit;

namespace {

// The file list's focus and mouse presses, which the list itself does not signal. Focus that
// only follows the window being activated or a popup is no change of focus inside the window.
// The list outlives the window's own members while the window is torn down, so the form is
// touched only for the events handled.
class FileListEvents : public QObject {
 public:
  explicit FileListEvents(Form1& f) : QObject(f.File1), f_(f) {}
  bool eventFilter(QObject* watched, QEvent* e) override {
    const QEvent::Type type = e->type();
    if (type == QEvent::MouseButtonPress) f_.File1_MouseDown();
    if (watched == parent() && (type == QEvent::FocusIn || type == QEvent::FocusOut)) {
      const Qt::FocusReason reason = static_cast<QFocusEvent*>(e)->reason();
      if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) return false;
      type == QEvent::FocusIn ? f_.File1_GotFocus() : f_.File1_LostFocus();
    }
    return false;
  }

 private:
  Form1& f_;
};

constexpr int BrowseBoxWidth = 89;
constexpr int BrowseBoxHeight = 70;
const QString DirTip = QStringLiteral("Left click selects, Right click Saves Directory");

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

void createMenu(Form1& f) {
  f.loadpic = new QAction(QStringLiteral("Load Picture"), &f);
  f.savepic = new QAction(QStringLiteral("Save Picture"), &f);
  f.printpicture1 = new QAction(QStringLiteral("Print Picture"), &f);
  f.fileMenu->insertActions(f.exit, {f.loadpic, f.savepic, f.printpicture1});
  f.fileMenu->insertSeparator(f.exit);
}

void createLists(Form1& f) {
  f.Drive1 = new DriveListBox(f.Frame2);
  f.Dir1 = new DirListBox(f.Frame2);
  f.File1 = new FileListBox(f.Frame2);
  f.File1->setToolTip(
      QStringLiteral("Drag from thumbnails at left to main or other thumbnail screen, Drop here for Save"));
  f.File1->setPattern(QString::fromLatin1(StartPattern));
  platform::setDragIcon(f.Dir1, platform::drawDropAllowedIcon());
  platform::setDragIcon(f.Drive1, platform::drawNormalDragIcon());
}

void createTypeLabels(Form1& f) {
  for (const FileTypeLabel& t : fileTypeLabels)
    f.*t.label = label(f.Frame2, QString::fromLatin1(t.caption), t.label == &Form1::Label23 ? Selected : Idle);
  f.Label16->hide();
  f.Label43->setToolTip(
      QStringLiteral("Displays Icons in exe and dll files. Select file to display.Use  Next4 and Prev4 to scroll"));
}

void createBrowseBoxes(Form1& f, QWidget* c) {
  for (ImageBox** box : {&f.Image8, &f.Image9, &f.Image10, &f.Image11})
    *box = new ImageBox(f.Frame2, BrowseBoxWidth, BrowseBoxHeight);
  f.Label13 = label(f.Frame2, QStringLiteral("Next4"), Idle);
  f.Label27 = label(f.Frame2, QStringLiteral("Prev4"), Idle);
  // Holds whatever size it is given; it is never shown and takes no room.
  f.Picture13 = new ImageBox(c, 0, 0);
  f.Picture13->hide();
}

QImage drawBin() {
  QImage bin(30, 26, QImage::Format_RGB32);
  bin.fill(QColor(192, 192, 192));
  QPainter p(&bin);
  p.setPen(Qt::black);
  p.setBrush(QColor(128, 128, 128));
  p.drawRect(9, 3, 12, 3);
  p.drawRect(7, 6, 16, 17);
  for (int x = 11; x <= 19; x += 4) p.drawLine(x, 9, x, 20);
  return bin;
}

void createButtons(Form1& f) {
  CommandButton** dirButtons[] = {&f.Command14, &f.Command15, &f.Command16, &f.Command17,
                                  &f.Command18, &f.Command19, &f.Command5,  &f.Command30};
  for (int n = 1; n <= 8; ++n)
    *dirButtons[n - 1] =
        command(f.Frame2, n == 1 ? QStringLiteral("Dir*1") : QStringLiteral("Dir %1").arg(n), n <= 6 ? DirTip : QString());
  f.Command27 = command(f.Frame2, QStringLiteral("Del"));
  f.Image16 = new ImageBox(f.Frame2, 30, 26);
  f.Image16->setPicture(drawBin());
  f.Command22 = command(f.Frame2, QStringLiteral("Activate Directory and click here for OK or Exit"));
  f.Command22->hide();
}

// The picture browser covers the left column while it is open.
void createBrowser(Form1& f, QWidget* c) {
  f.Command20 = command(c, QStringLiteral("Load Pic"), QStringLiteral("Loads pictures from disk"));
  f.Frame2 = new Frame(c);
  f.Frame2->hide();
  createLists(f);
  createTypeLabels(f);
  createBrowseBoxes(f, c);
  createButtons(f);
  f.PicbufVisible = new PicBuf(c);
  f.PicbufOriginal = new PicBuf(c);
  f.PicbufEdit = new PicBuf(c);
}

// Shown on the main picture while the scanner is asked for a picture.
void createScannerLabel(Form1& f) {
  f.Label69 = new QLabel(QStringLiteral("        Loading Scanner"), f.Picture1);
  f.Label69->setAutoFillBackground(true);
  f.Label69->hide();
  place(f.Label69, 70, 110, 180, 30);
}

void placeStrip(Form1& f) {
  const int x = narrowLayout.thumbnailLeft;
  place(f.Image2, x, 8, 101, 81);
  place(f.Image3, x, 96, 101, 81);
  place(f.Image4, x, 184, 101, 81);
  place(f.Image5, x, 272, 101, 81);
  place(f.Text5, x, 358, 101, 22);
  place(f.HScroll2, x, 382, 101, 16);
  place(f.Label37, x, 402, 49, 34);
  place(f.Label28, x + 52, 402, 49, 34);
}

// The browser's controls stand between its borders, from x 3 to 181.
constexpr int BrowserLeft = 3;
constexpr int BrowserWidth = 179;

// `span` of `count` equal columns across the browser from `column` on, one pixel apart.
QRect browserCell(double column, double span, int count, int y, int height) {
  const auto edge = [count](double c) { return BrowserLeft + int(std::lround(c * BrowserWidth / count)); };
  return {edge(column), y, edge(column + span) - edge(column) - 1, height};
}

// Inside the browser, from the top: the three lists, the type labels with Next4 and Prev4, Del,
// the bin, the fill modes (placed by the imaging tools), the receive directory's prompt, which
// runs to several lines, the four boxes and the Dir buttons.
void placeBrowser(Form1& f) {
  place(f.Command20, 192, 516, 80, 20);
  place(f.Frame2, 0, 0, 185, windowHeight);
  place(f.Drive1, BrowserLeft, 4, BrowserWidth, 22);
  place(f.Dir1, BrowserLeft, 28, BrowserWidth, 56);
  place(f.File1, BrowserLeft, 86, BrowserWidth, 74);
  constexpr int typeTop = 162, typeRow = 17;
  for (const FileTypeLabel& t : fileTypeLabels)
    (f.*t.label)->setGeometry(browserCell(t.column, t.span, 5, typeTop + t.row * typeRow, typeRow - 1));
  f.Label27->setGeometry(browserCell(2, 1.5, 5, typeTop + 3 * typeRow, typeRow - 1));
  f.Label13->setGeometry(browserCell(3.5, 1.5, 5, typeTop + 3 * typeRow, typeRow - 1));
  place(f.Command27, BrowserLeft, 232, 40, 24);
  place(f.Image16, 48, 232, 30, 26);
  place(f.Command22, BrowserLeft, 282, BrowserWidth, 60);
  const std::array boxes = {f.Image8, f.Image9, f.Image10, f.Image11};
  for (int k = 0; k < 4; ++k)
    place(boxes[k], BrowserLeft + (k % 2) * BrowseBoxWidth, 344 + (k / 2) * BrowseBoxHeight, BrowseBoxWidth,
          BrowseBoxHeight);
  for (int n = 1; n <= 8; ++n) f.dirButton(n)->setGeometry(browserCell((n - 1) % 4, 1, 4, 486 + (n - 1) / 4 * 24, 23));
  // The image buffers work unseen over the main picture; the adjust panel shows one of them.
  f.placeImageBuffers();
  for (PicBuf* b : {f.PicbufVisible, f.PicbufOriginal, f.PicbufEdit}) b->hide();
}

void wireStrip(Form1& f) {
  on(f.HScroll2, &ScrollBar::change, f, &Form1::HScroll2_Change);
  on(f.HScroll2, &ScrollBar::gotFocus, f, &Form1::HScroll2_GotFocus);
  on(f.Text5, &TextField::mouseUp, f, &Form1::Text5_Click);
  on(f.Label37, &LabelButton::clicked, f, &Form1::Label37_Click);
  on(f.Label28, &LabelButton::clicked, f, &Form1::Label28_Click);
  for (int n = 2; n <= 5; ++n) {
    ImageBox* box = f.stripBox(n);
    QObject::connect(box, &ImageBox::mouseDown, &f, [&f, n](int button) { f.stripBox_MouseDown(n, button); });
    acceptDrops(box, {[&f, n](int state) { f.stripBox_DragOver(n, state); }, [&f, n](double, double) { f.stripBox_DragDrop(n); },
                 [&f, n](const QStringList& files, double, double) { f.stripBox_OLEDragDrop(n, files); }});
  }
}

void wireBrowser(Form1& f) {
  on(f.loadpic, &QAction::triggered, f, &Form1::loadpic_Click);
  on(f.savepic, &QAction::triggered, f, &Form1::savepic_Click);
  on(f.printpicture1, &QAction::triggered, f, &Form1::printpicture1_Click);
  on(f.Command20, &QPushButton::clicked, f, &Form1::Command20_Click);
  on(f.Dir1, &DirListBox::change, f, &Form1::Dir1_Change);
  on(f.Drive1, &DriveListBox::change, f, &Form1::Drive1_Change);
  QObject::connect(f.File1, &FileListBox::mouseUp, &f, &Form1::File1_MouseUp);
  auto* fileListEvents = new FileListEvents(f);
  f.File1->installEventFilter(fileListEvents);
  f.File1->viewport()->installEventFilter(fileListEvents);
  const DropHandlers saveHere = {[&f](int state) { f.browseTarget_DragOver(state); },
                                 [&f](double, double) { f.browseTarget_DragDrop(); },
                                 [&f](const QStringList& files, double, double) { f.browseTarget_OLEDragDrop(files); }};
  for (QWidget* target : std::initializer_list<QWidget*>{f.Dir1, f.Drive1, f.File1, f.Image8, f.Image9, f.Image10, f.Image11})
    acceptDrops(target, saveHere);
  for (int k = 1; k <= 4; ++k)
    QObject::connect(f.browseBox(k), &ImageBox::mouseDown, &f, [&f, k](int button) { f.browseBox_MouseDown(k, button); });
  for (const FileTypeLabel& t : fileTypeLabels) {
    LabelButton* l = f.*t.label;
    if (l == f.Label43)
      on(l, &LabelButton::clicked, f, &Form1::Label43_Click);
    else
      QObject::connect(l, &LabelButton::clicked, &f, [&f, l] { f.typeLabel_Click(l); });
  }
  on(f.Label13, &LabelButton::clicked, f, &Form1::Label13_Click);
  on(f.Label27, &LabelButton::clicked, f, &Form1::Label27_Click);
  for (LabelButton* l : {f.Label13, f.Label27}) {
    QObject::connect(l, &LabelButton::mouseDown, &f, [&f, l] { f.pageLabel_MouseDown(l); });
    QObject::connect(l, &LabelButton::mouseUp, &f, [&f, l] { f.pageLabel_MouseUp(l); });
  }
}

void wireButtons(Form1& f) {
  void (Form1::*const clicks[])() = {&Form1::Command14_Click, &Form1::Command15_Click, &Form1::Command16_Click,
                                     &Form1::Command17_Click, &Form1::Command18_Click, &Form1::Command19_Click,
                                     &Form1::Command5_Click,  &Form1::Command30_Click};
  for (int n = 1; n <= 8; ++n) {
    on(f.dirButton(n), &QPushButton::clicked, f, clicks[n - 1]);
    QObject::connect(f.dirButton(n), &CommandButton::mouseDown, &f,
                     [&f, n](int button) { f.dirButton_MouseDown(n, button); });
  }
  on(f.Command27, &QPushButton::clicked, f, &Form1::Command27_Click);
  acceptDrops(f.Image16, {[&f](int state) { f.Image16_DragOver(state); }, [&f](double, double) { f.Image16_DragDrop(); }, {}});
  on(f.Command22, &QPushButton::clicked, f, &Form1::Command22_Click);
}

}  // namespace

void buildPicturesControls(Form1& f, QWidget* central) {
  createStrip(f, central);
  createMenu(f);
  createBrowser(f, central);
  createScannerLabel(f);
  placeStrip(f);
  placeBrowser(f);
  wireStrip(f);
  wireBrowser(f);
  wireButtons(f);
}
