#include "app/codes.h"
#include "platform/autoredraw.h"
#include "platform/clipboard.h"
#include "sstvlink/layout.h"
#include "sstvlink/link.h"
#include "sstvlink/programs.h"

namespace {

// JVComm32 is told to go on without the picture its first stage did not find.
const QString NoFirstPicture = QStringLiteral("{tab}");

QStringList sendTitles(const Form1& f, const SstvProgram& p) {
  return p.sendToCallsign ? QStringList{f.qsldefaults[2]} : p.sendTitles;
}

// JVComm32's first stage may leave a picture on the clipboard; only whether it did matters, so
// it is looked at on its own and kept nowhere: Image6 is the operator's committed picture, which
// the text styles, Undo and OOPS rebuild from. The second stage takes the main picture.
bool sendInTwoStages(Form1& f, const SstvProgram& p) {
  platform::Clipboard& clipboard = *f.env.clipboard;
  clipboard.clear();
  const std::optional<platform::LinkWindow> window = platform::activateInOrder(*f.env.link, p.sendTitles);
  if (!window || !typeCopyKeys(f, *window, p.sendKeys)) return false;
  const bool firstStageCopied = !clipboard.picture().isNull();
  if (!firstStageCopied && !typeKeys(f, *window, {NoFirstPicture})) return false;
  clipboard.setPicture(f.Picture1->image());
  return typePasteKeys(f, *window, p.secondStageKeys);
}

// With the main picture on the clipboard; false when the program's window could not be reached.
bool runSendSequence(Form1& f, const SstvProgram& p) {
  if (!p.secondStageKeys.isEmpty()) return sendInTwoStages(f, p);
  const std::optional<platform::LinkWindow> window = platform::activateInOrder(*f.env.link, sendTitles(f, p));
  return window && typePasteKeys(f, *window, p.sendKeys);
}

// A header strip is neither sent nor copied: its drop, or any drop while a header is being made,
// only gives the focus back.
bool refusedForHeaders(Form1& f) {
  if (!f.headerMode() && f.headerdrag == strip::None) return false;
  f.Text1->setFocus();
  return true;
}

// Both drops on the send button first commit an adjusted picture and give unset work up.
void prepareDropSend(Form1& f) {
  if (!f.Frame9->isHidden()) f.Command38_Click();
  f.Text1->setFocus();
  f.setNothingPending();
}

// Sends `picture` in place of the main picture, which comes back afterwards. The main picture
// does not change, so OOPS keeps the pictures it had.
void sendInstead(Form1& f, const QImage& picture) {
  const int width = f.frameWidth();
  const QImage mainPicture = f.Picture1->image();
  f.Picture1->hide();
  drawCommitted(f.Picture1, [&] { f.Picture1->PaintPicture(picture, 0, 0, width, pictureHeight); });
  f.sendtoprogram();
  drawCommitted(f.Picture1, [&] { f.Picture1->PaintPicture(mainPicture, 0, 0, width, pictureHeight); });
  f.Picture1->show();
}

void sendTargetDragOver(Form1& f, int state) {
  if (f.dragsource == drag::ImportButton || f.headerMode()) return;
  if (state == dragstate::Enter) f.iconon();
  if (state == dragstate::Leave) f.iconoff();
}

}  // namespace

void Form1::Command3_Click() {
  const LinkOperation operation(*this);
  if (operation.started()) sendtoprogram();
}

// The clipboard comes back whole afterwards, whatever happened, except with no program chosen:
// then "Copy" leaves the main picture there for the operator to paste.
void Form1::sendtoprogram() {
  if (!Frame9->isHidden()) Command38_Click();
  Text1->setFocus();
  setNothingPending();
  Picture1->Cls();
  const SstvProgram& program = *sstvProgramOf(sstvprogram);
  platform::Clipboard& clipboard = *env.clipboard;
  if (sendTitles(*this, program).isEmpty()) {
    clipboard.clear();
    clipboard.setPicture(Picture1->image());
    return;
  }
  bool reached = false;
  {
    const platform::ClipboardKeeper keeper(clipboard);
    clipboard.clear();
    clipboard.setPicture(Picture1->image());
    reached = runSendSequence(*this, program);
  }
  if (!reached) showCannotPaste(*this);
}

void Form1::Command3_DragDrop() {
  if (refusedForHeaders(*this)) return;
  const LinkOperation operation(*this);
  const std::optional<QImage> picture = draggedPicture(*this);
  if (!operation.started() || !picture) {
    Text1->setFocus();
    return;
  }
  prepareDropSend(*this);
  if (picture->isNull()) return showCannotPaste(*this);
  Picture2->setPicture(*picture);
  sendInstead(*this, *picture);
}

// A file that cannot be read ends the drop without a word: nothing is sent.
void Form1::Command3_OLEDragDrop(const QStringList& files) {
  if (refusedForHeaders(*this)) return;
  const LinkOperation operation(*this);
  if (!operation.started()) return;
  prepareDropSend(*this);
  PicbufVisible->fileName = files.value(0);
  if (!PicbufVisible->load()) return;
  olepicturesize();
  sendInstead(*this, Picture2->picture());
}

void Form1::Command3_DragOver(int state) { sendTargetDragOver(*this, state); }

void Form1::Command11_Click() {
  setNothingPending();
  {
    PersistentDrawing persistent(Picture1);
    env.clipboard->clear();
    Picture1->Cls();
    env.clipboard->setPicture(Picture1->image());
  }
  Text1->setFocus();
}

// Copies the dragged picture; the main picture and its unset work stay as they are.
void Form1::Command11_DragDrop() {
  if (refusedForHeaders(*this)) return;
  const std::optional<QImage> picture = draggedPicture(*this);
  if (!picture) {
    Text1->setFocus();
    return;
  }
  setNothingPending();
  env.clipboard->clear();
  env.clipboard->setPicture(*picture);
}

void Form1::Command11_DragOver(int state) { sendTargetDragOver(*this, state); }
