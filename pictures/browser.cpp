#include <algorithm>

#include "app/form1.h"
#include "pictures/browserkit.h"
#include "pictures/filetypes.h"
#include "platform/colour.h"
#include "platform/textfont.h"

using namespace colour::state;

namespace {

// Codes 9 (the import button) and 11-14 (the browse boxes themselves) are never saved here.
bool browserSavesFrom(int source) {
  return source != drag::ImportButton &&
         !(source >= drag::FirstBrowseThumbnail && source < drag::FirstBrowseThumbnail + 4);
}

}  // namespace

ImageBox* Form1::browseBox(int k) const {
  switch (k) {
    case 1: return Image8;
    case 2: return Image9;
    case 3: return Image10;
    case 4: return Image11;
    default: return nullptr;
  }
}

void Form1::emptyBrowseBoxes() {
  for (int k = 1; k <= 4; ++k) browseBox(k)->clearPicture();
  browsepagestart = -1;
}

void Form1::selectFile(int index) { File1->setCurrentRow(std::clamp(index, -1, File1->count() - 1)); }

void Form1::Command20_Click() {
  if (!Frame9->isHidden()) {
    Text1->setFocus();
    return;
  }
  closeStripPanels();
  if (Command20->caption() != QLatin1String("Load Pic")) {
    Command20->setCaption(QStringLiteral("Load Pic"));
    setWidgetBold(Command20, false);
    Frame2->hide();
    Command22->hide();
    Text1->setFocus();
    return;
  }
  setWidgetBold(Command20, true);
  Command20->setCaption(QStringLiteral("Exit Pic"));
  Frame2->show();
  Text1->setFocus();
  platform::DoEvents();
  // The first opening of a run goes back to the directory and the page used last.
  if (!Command14->caption().contains(QLatin1Char('*'))) return;
  Command14->setCaption(QStringLiteral("Dir 1"));
  const int button = lastdirbutton.toInt();
  if (button >= 0 && button <= 8) selectFile(dirlistindex[button].toInt());
  if (button >= 1 && button <= 8) dirButton_Click(button);
}

// A drive's own current directory is kept while the directory list is already on that drive.
void Form1::Drive1_Change() {
  const QString root = Drive1->root();
  if (root.isEmpty()) {
    env.dialogs->MsgBox(QStringLiteral("Drive not ready. Please insert disk in drive."), vb::OKOnly | vb::Exclamation,
                        QString());
    Drive1->setDrive(Dir1->path());
    return;
  }
  if (Drive1->driveOf(Dir1->path()) == Drive1->drive()) return;
  if (!Dir1->setPath(root))
    env.dialogs->MsgBox(QStringLiteral("Application error."), vb::OKOnly | vb::Exclamation, QString());
}

void Form1::Dir1_Change() {
  File1->setPath(Dir1->path());
  emptyBrowseBoxes();
  if (toolmarker != tool::DirButtonClicked) return;
  toolmarker = 0;
  File1->refresh();
  if (File1->count() > 0) File1->setCurrentRow(0);
  Label13_Click();
}

void Form1::File1_GotFocus() {
  Label13_Click();
  Text1->setFocus();
}

void Form1::File1_LostFocus() {
  setNothingPending();
  Text1->setFocus();
}

void Form1::File1_MouseDown() {
  iconindex = 0;
  emptyBrowseBoxes();
}

void Form1::typeLabel_Click(LabelButton* label) {
  const auto type = std::find_if(fileTypeLabels.begin(), fileTypeLabels.end(),
                                 [&](const FileTypeLabel& t) { return this->*t.label == label; });
  File1->setPattern(QString::fromLatin1(type->pattern));
  File1->setCurrentRow(File1->count() > 0 ? 0 : -1);
  clearformatlabels();
  label->setBackColor(Selected);
  Label13_Click();
}

void Form1::clearformatlabels() {
  for (const FileTypeLabel& t : fileTypeLabels) (this->*t.label)->setBackColor(Idle);
  Label39->setCaption(QStringLiteral("RLE"));
}

void Form1::browseBox_MouseDown(int k, int button) {
  if (isArmed(Label38)) Label38_Click();
  ImageBox* box = browseBox(k);
  const bool refusedByAdjust = k >= 3 && !Frame9->isHidden();
  if (!box->hasPicture() || button == mousebutton::Right || refusedByAdjust) {
    Text1->setFocus();
    return;
  }
  picinpicsize = drag::ThumbnailInsertWidth;
  dragsource = drag::FirstBrowseThumbnail + k - 1;
  giveNormalIcon(box);
  beginDrag(box);
}

void Form1::browseTarget_DragOver(int state) {
  if (!browserSavesFrom(dragsource) || headerMode()) return;
  if (state == dragstate::Enter) iconon();
  if (state == dragstate::Leave) iconoff();
}

void Form1::browseTarget_DragDrop() { savedroppedpicture(); }

// A file the buffer cannot read is named with the reason; the buffer's older picture is not saved
// in its place.
void Form1::browseTarget_OLEDragDrop(const QStringList& files) {
  PicbufVisible->fileName = files.value(0);
  QString reason;
  if (!PicbufVisible->load(&reason)) {
    env.dialogs->MsgBox(QStringLiteral("Picture not saved. ") + reason, vb::OKOnly, QStringLiteral("Save"));
    Text1->setFocus();
    return;
  }
  dragsource = drag::Nothing;
  savedroppedpicture();
}
