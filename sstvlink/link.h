#pragma once

#include <QImage>
#include <QStringList>
#include <optional>

#include "app/form1.h"
#include "platform/windowlink.h"

// What the send, the import, the received pictures and the scanner share.

// Each of them waits on another program or a device while window events run; one runs at a
// time. A handler holds one of these for its whole run and returns at once when it did not
// start. A close of the window asked for meanwhile ends the waits on the other program (the
// operation stops, leaving the clipboard as it found it) and is carried out when the operation
// ends.
class LinkOperation {
 public:
  explicit LinkOperation(Form1& f);
  ~LinkOperation();
  LinkOperation(const LinkOperation&) = delete;
  LinkOperation& operator=(const LinkOperation&) = delete;
  bool started() const { return started_; }

 private:
  Form1& f_;
  bool started_;
};

// Lets pending window events run, but no click or key of the operator's (platform::runPendingEvents).
void letSystemEventsRun();

// Types the key strings into `window` in order; false as soon as one does not reach it (the
// program ended or lost the focus) or the window is closing: the rest are not sent, to it or
// anywhere else.
bool typeKeys(Form1& f, const platform::LinkWindow& window, const QStringList& keys);
// Types keys that have the program paste the picture we have just put on the clipboard, as
// typeKeys; a program that keeps a clipboard of its own is first given up to kTakeInLimit to take
// ours in.
bool typePasteKeys(Form1& f, const platform::LinkWindow& window, const QStringList& keys);
// Types keys that have the program copy its picture, as typeKeys, then waits until the picture
// is on the clipboard, or until kProgramCopyLimit has passed without one; false too when the
// window began closing meanwhile, as the copy is not to be taken then.
bool typeCopyKeys(Form1& f, const platform::LinkWindow& window, const QStringList& keys);
// The program's window could not be reached. Nothing is said while the window is closing.
void showCannotPaste(Form1& f);

// The picture of the control `dragsource` names, for the drag sources the send and copy buttons
// and the strip take: the main picture, the strip boxes, the mugshot and the browse boxes.
// Nothing for any other source.
std::optional<QImage> draggedPicture(const Form1& f);
