#include "platform/picturefile.h"

#include "app/form1.h"
#include "platform/colour.h"

using namespace colour::state;

void Form1::HScroll2_Change() {
  Text5->setBackColor(ModeChosen);
  Text7->setBackColor(Off);
  Label37->setBackColor(Off);
  scrapbookmode = 0;
  const int page = HScroll2->value();
  Text5->setText(QString::number(page));
  // From the top the boxes show the page's first, second, fourth and third slot.
  const int first = 4 * (page - 1) + 1;
  Image2->setPicture(savedthumbs[first]);
  Image3->setPicture(savedthumbs[first + 1]);
  Image5->setPicture(savedthumbs[first + 2]);
  Image4->setPicture(savedthumbs[first + 3]);
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
