#include "app/codes.h"
#include "canvas/canvaskit.h"
#include "platform/clipboard.h"
#include "platform/colour.h"
#include "sstvlink/link.h"
#include "sstvlink/programs.h"

using namespace colour::state;

namespace {

void importIntoStripBox(Form1& f, int n, const QImage& picture) {
  // An empty clipboard must not empty the box and the saved page with it.
  if (picture.isNull()) {
    f.env.dialogs->MsgBox(QStringLiteral("Nothing to get."), vb::OKOnly, QString());
    return;
  }
  f.stripBox(n)->setPicture(picture);
  f.setNothingPending();
  // In Pic in Pic and Overlays the import becomes the picture to insert; in the other modes
  // Image6 is the committed main picture, which a picture meant for the strip must not replace.
  if (canvaskit::insertMode(f)) f.Image6->setPicture(picture);
  f.keepStripBox(n);
}

}  // namespace

void Form1::Command1_MouseDown(int, int, double, double) {
  if (isArmed(Label38)) Label38_Click();
  if (!Frame9->isHidden()) {
    Text1->setFocus();
    return;
  }
  dragsource = drag::ImportButton;
  giveNormalIcon(Command1);
  beginDrag(Command1);
}

bool Form1::importfromprogram(const std::function<void(const QImage&)>& take) {
  const LinkOperation operation(*this);
  if (!operation.started()) return false;
  const SstvProgram& program = *sstvProgramOf(sstvprogram);
  bool reached = true;
  {
    const platform::ClipboardKeeper keeper(*env.clipboard);
    if (!program.importTitles.isEmpty()) {
      const std::optional<platform::LinkWindow> window = platform::activateInOrder(*env.link, program.importTitles);
      letSystemEventsRun();
      reached = window && typeCopyKeys(*this, *window, program.importKeys);
    }
    if (reached) take(env.clipboard->picture());
  }
  if (!reached) showCannotPaste(*this);
  return reached;
}

// While the strip shows received pictures it takes no drop. A box dropped on itself copies
// nothing; `dragsource` stays as it was.
void Form1::stripBox_DragDrop(int n) {
  if (headerMode()) return;
  if (headerdrag != strip::None) {
    headerdrag = strip::None;
    Text1->setFocus();
    return;
  }
  if (Text7->backColor() == Selected) return;
  if (dragsource == drag::ImportButton) {
    importfromprogram([this, n](const QImage& picture) { importIntoStripBox(*this, n, picture); });
  } else if (const std::optional<QImage> picture = draggedPicture(*this); picture && dragsource != n) {
    stripBox(n)->setPicture(*picture);
    keepStripBox(n);
  }
  Text1->setFocus();
}
