#include <QGuiApplication>

#include "app/form1.h"
#include "pictures/browserkit.h"
#include "platform/colour.h"
#include "platform/picturefile.h"
#include "sstvlink/layout.h"

using namespace colour::state;

namespace {

// The hourglass while a page is built.
struct WaitCursor {
  WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

// The image buffer reads these endings, the toolkit the second list, nothing any other.
const QStringList BufferEndings = {"JPG", "GIF", "TIF", "TGA", "PNG", "PCX", "DIB"};
const QStringList ToolkitEndings = {"BMP", "ICO", "RLE", "WMF", "EMF", "CUR"};

}  // namespace

void Form1::Label13_Click() {
  if (Label43->backColor() == Selected) {
    loadbrowsefile();
    grabicons();
    return;
  }
  workvalue = File1->currentRow();
  const int count = File1->count();
  if (workvalue > count - 4) emptyBrowseBoxes();
  if (workvalue == -1) return;
  const WaitCursor hourglass;
  File1->setCurrentRow(workvalue);
  // The lit Dir button ("Dir3", no blank) comes back to this page.
  for (int n = 1; n <= 8; ++n)
    if (dirButton(n)->caption().contains(QStringLiteral("Dir%1").arg(n))) dirlistindex[n] = File1->currentRow();
  Picture13->clearPicture();
  browsepagestart = workvalue;
  int shown = 0;
  for (int k = 1; k <= 4; ++k) {
    if (k > 1) {
      if (File1->currentRow() >= File1->count() - 1) break;
      platform::DoEvents();
      File1->setCurrentRow(workvalue + k - 1);
    }
    // A file that cannot be read leaves its box empty rather than showing another file's picture.
    if (loadbrowsefile())
      browseBox(k)->setPicture(Picture2->image());
    else
      browseBox(k)->clearPicture();
    browsethumbfile[k] = PicbufVisible->fileName;
    shown = k;
  }
  if (shown == 4 && workvalue + 4 < File1->count()) File1->setCurrentRow(workvalue + 4);
}

void Form1::Label27_Click() {
  if (Label43->backColor() == Selected) {
    iconindex -= 8;
    Label13_Click();
    return;
  }
  if (File1->currentRow() < 5) return;
  if (workvalue - 4 < 0) workvalue = 4;
  selectFile(workvalue - 4);
  Label13_Click();
}

// Next4 leaves the selection four past the page's start, or on its last file at the list's end:
// the page's own start is the one sure way back to it.
void Form1::reshowBrowsePage() {
  if (browsepagestart >= 0)
    selectFile(browsepagestart);
  else if (File1->currentRow() - 4 >= -1)
    File1->setCurrentRow(File1->currentRow() - 4);
  Label13_Click();
}

void Form1::pageLabel_MouseDown(LabelButton* label) {
  if (!Frame9->isHidden())
    Text1->setFocus();
  else
    label->setBackColor(Armed);
}

void Form1::pageLabel_MouseUp(LabelButton* label) { label->setBackColor(Idle); }

bool Form1::loadbrowsefile() {
  const QListWidgetItem* selected = File1->currentItem();
  PicbufVisible->fileName = joinPath(File1->path(), selected ? selected->text() : QString());
  worktext = PicbufVisible->fileName.right(3).toUpper();
  if (Label43->backColor() == Selected) return false;
  const bool buffered = BufferEndings.contains(worktext);
  if (!buffered && !ToolkitEndings.contains(worktext)) return false;
  // JPEGs of a page are decoded no larger than the frame needs; the fit stays as sharp.
  QImage picture;
  if (!readPictureFile(PicbufVisible->fileName, &picture, nullptr, QSize(frameWidth(), pictureHeight))) return false;
  if (buffered) PicbufVisible->setPicture(picture);
  Picture13->setPicture(picture);
  imagecorrectaspect();
  return true;
}
