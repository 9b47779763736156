#include "sstvlink/link.h"

#include <utility>

#include "app/codes.h"
#include "canvas/canvaskit.h"
#include "platform/clipboard.h"
#include "platform/waits.h"

namespace {

// A program has read its keys when the typing returns, but its picture may reach the clipboard
// well after: one under Wine hands it over to X from another thread. Nor may we read or put back
// the clipboard before it has: the picture read would be the one from before, and the program's
// late copy would take the place of the operator's clipboard put back.
constexpr std::chrono::milliseconds kProgramCopyLimit{1000};
// Wine takes in a new clipboard a few milliseconds after it changes, when its machine is not
// starved; a program that has not asked for ours by then is not waited for any longer.
constexpr std::chrono::milliseconds kTakeInLimit{500};

}  // namespace

LinkOperation::LinkOperation(Form1& f) : f_(f), started_(!f.linkrunning) { f_.linkrunning = true; }

LinkOperation::~LinkOperation() {
  if (!started_) return;
  f_.linkrunning = false;
  if (!std::exchange(f_.closepending, false)) return;
  platform::resumeWaiting();
  QMetaObject::invokeMethod(&f_, &QWidget::close, Qt::QueuedConnection);
}

void letSystemEventsRun() { platform::runPendingEvents(); }

bool typeKeys(Form1& f, const platform::LinkWindow& window, const QStringList& keys) {
  for (const QString& k : keys)
    if (f.closepending || f.env.link->sendKeys(window, k) != platform::SendResult::Sent) return false;
  return true;
}

bool typePasteKeys(Form1& f, const platform::LinkWindow& window, const QStringList& keys) {
  if (window.keepsOwnClipboard) f.env.clipboard->awaitTakenIn(kTakeInLimit);
  return typeKeys(f, window, keys);
}

bool typeCopyKeys(Form1& f, const platform::LinkWindow& window, const QStringList& keys) {
  const platform::Clipboard::Mark before = f.env.clipboard->mark();
  if (!typeKeys(f, window, keys)) return false;
  f.env.clipboard->awaitCopyAfter(before, kProgramCopyLimit);
  return !f.closepending;
}

void showCannotPaste(Form1& f) {
  if (f.closepending) return;  // the operator is leaving, not waiting for the program
  f.env.dialogs->MsgBox(QStringLiteral("ERROR, Cannot paste. Check Selected Program is Active"), vb::OKOnly,
                        QStringLiteral("Check Setup"));
}

std::optional<QImage> draggedPicture(const Form1& f) {
  if (f.dragsource == drag::MainPicture) return f.Picture1->image();
  if (const ImageBox* thumbnail = canvaskit::draggedThumbnail(f)) return thumbnail->picture();
  return std::nullopt;
}
