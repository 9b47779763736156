#include "platform/scanner.h"

#include "platform/autoredraw.h"
#include "platform/clipboard.h"
#include "sstvlink/layout.h"
#include "sstvlink/link.h"

platform::Scanner& Form1::scanner() {
  if (!env.scanner) env.scanner = std::make_shared<platform::Scanner>();
  return *env.scanner;
}

void Form1::selectsource_Click() { scanner().selectSource(this); }

// The scan goes onto the clipboard at its own size and into the main picture stretched to the
// frame. A scan that fails or is cancelled changes neither; a failure is told in SANE's words.
void Form1::acquire_Click() {
  const LinkOperation operation(*this);
  if (!operation.started()) return;
  const int width = frameWidth();
  Label69->show();
  Command12_Click();
  const QImage before = Picture1->image();
  const platform::ScanResult scan = scanner().acquire(this);
  Label69->hide();
  letSystemEventsRun();
  if (!scan.error.isEmpty()) env.dialogs->MsgBox(scan.error, vb::OKOnly, QStringLiteral("Scanner"));
  if (!scan.picture.isNull()) {
    env.clipboard->clear();
    env.clipboard->setPicture(scan.picture);
    drawCommitted(Picture1, [&] { Picture1->PaintPicture(scan.picture, 0, 0, width, pictureHeight); });
    pictureReplaced(before);
  }
  Text1->setFocus();
}
