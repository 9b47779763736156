#include "platform/picturefile.h"

#include "app/codes.h"
#include "app/form1.h"
#include "platform/colour.h"

using namespace colour::state;

namespace {

// The page's slots from the top are its first, second, fourth and third: box n shows slot
// first + pageOffset[n].
constexpr int pageOffset[] = {0, 0, 0, 1, 3, 2};
int firstSlotOfPage(int page) { return 4 * (page - 1) + 1; }

// The scrap-book slot of strip box n.
int scrapSlot(int n) { return slot::FirstScrap + n - drag::FirstThumbnail; }

}  // namespace

ImageBox* Form1::stripBox(int n) const {
  switch (n) {
    case 2: return Image2;
    case 3: return Image3;
    case 4: return Image4;
    case 5: return Image5;
    default: return nullptr;
  }
}

void Form1::HScroll2_Change() {
  Text5->setBackColor(ModeChosen);
  Text7->setBackColor(Off);
  Label37->setBackColor(Off);
  scrapbookmode = 0;
  const int page = HScroll2->value();
  Text5->setText(QString::number(page));
  for (int n = 2; n <= 5; ++n) stripBox(n)->setPicture(savedthumbs[firstSlotOfPage(page) + pageOffset[n]]);
}

void Form1::HScroll2_GotFocus() {
  const bool receivedShown = Text7->backColor() == Selected;
  Label37->setBackColor(Off);
  HScroll2_Change();
  if (receivedShown) {
    HScroll3->setValueChecked(1);
    Text7->setText(QStringLiteral("R"));
    HScroll3->hide();
    Text7->setBackColor(Off);
  }
  Text1->setFocus();
}

// Only a saved page is kept: the scrap book keeps its own slots and received pictures are the
// external program's, never saved thumbnails.
void Form1::storethumbpage() {
  if (scrapbookmode == 1 || Text5->backColor() != ModeChosen) return;
  const int first = firstSlotOfPage(HScroll2->value());
  for (int n = 2; n <= 5; ++n) savedthumbs[first + pageOffset[n]] = stripBox(n)->picture();
  HScroll2_Change();
}

// storethumbpage keeps nothing while the scrap book is shown: there the box's own slot takes it.
void Form1::keepStripBox(int n) {
  storethumbpage();
  if (scrapbookmode == 1) savedthumbs[scrapSlot(n)] = stripBox(n)->picture();
}

void Form1::Text5_Click() {
  if (Label37->backColor() == Selected) {
    Label37->setBackColor(Off);
    Text1->setFocus();
    scrapbookmode = 0;
    HScroll2_Change();
  }
  Text5->setBackColor(ModeChosen);
  if (Text7->backColor() == Selected) {
    Text7->setBackColor(Off);
    HScroll2_Change();
    Text1->setFocus();
  }
}

void Form1::Label37_Click() {
  if (Label37->backColor() != Off) return;
  Text5->setBackColor(Off);
  Text7->setBackColor(Off);
  Label37->setBackColor(Selected);
  scrapbookmode = 1;
  for (int n = 2; n <= 5; ++n) stripBox(n)->setPicture(savedthumbs[scrapSlot(n)]);
  Text1->setFocus();
}

void Form1::Label28_Click() {
  Label28->setBackColor(Selected);
  resetthumbnails();
  Label28->setBackColor(Off);
}

bool Form1::readSavedPicture(int n) {
  return readPictureFile(env.programDirectory + QStringLiteral("/JustText%1.bmp").arg(n), &savedthumbs[n]);
}

void Form1::resetthumbnails() {
  HScroll2_Change();
  Label37->setBackColor(Off);
  Text7->setBackColor(Off);
  scrapbookmode = 0;
  if (env.dialogs->MsgBox(QStringLiteral("Reset thumbnails to original?"), vb::YesNo | vb::DefaultButton2,
                          QStringLiteral("THUMBNAILS")) == vb::No)
    return;
  for (int n = 1; n <= 30; ++n) readSavedPicture(n);
  HScroll2_Change();
}

void Form1::stripBox_MouseDown(int n, int button) {
  if (isArmed(Label38)) Label38_Click();
  ImageBox* box = stripBox(n);
  if (!box->hasPicture() || !Frame9->isHidden() || button == mousebutton::Right) {
    Text1->setFocus();
    return;
  }
  picinpicsize = drag::ThumbnailInsertWidth;
  dragsource = n;
  giveNormalIcon(box);
  beginDrag(box);
}

void Form1::stripBox_DragOver(int n, int state) {
  if (headerMode()) return;
  if (state == dragstate::Leave) return iconoff();
  if (state != dragstate::Enter) return;
  if (dragsource == drag::MainPicture)
    giveDropAllowedIcon(Picture1);
  else if (dragsource == n)
    giveNormalIcon(stripBox(n));
  else
    iconon();
}

// A file the buffer cannot read leaves the box and the page as they were.
void Form1::stripBox_OLEDragDrop(int n, const QStringList& files) {
  PicbufVisible->fileName = files.value(0);
  if (!PicbufVisible->load()) return;
  olepicturesize();
  stripBox(n)->setPicture(Picture2->picture());
  keepStripBox(n);
}
