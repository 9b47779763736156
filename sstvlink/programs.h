#pragma once

#include <QString>
#include <QStringList>
#include <span>

class Form1;
class QAction;

// How a program's received pictures are picked from its receive directory, four a page, top box
// first. "Listing" is the directory's own order, as the file system gives it; names holding "PLR"
// are passed over there.
enum class ReceiveOrder {
  None,              // no program: nothing to show
  SortedFromStart,   // the sorted names, page 1 the first four
  SortedFromEnd,     // the sorted names backwards, the last two never shown (the newest last)
  Listing,           // the listing from its start
  ListingReversed,   // the same, bottom box first
  ListingFromEnd,    // page 1 is the listing's last four, without passing over "PLR" names
  ListingSkipFirst,  // the listing from its start, the page's first name passed over
  FixedFiles,        // one page: CPTEMP00 .. CPTEMP03, ".jpg" before ".bmp"
};

// One choice of the Setup menu and everything Marvane relies on of that external SSTV program:
// the captions a choice gives the window, the windows and keys that send and import a picture,
// and where the program keeps what it receives.
struct SstvProgram {
  int code = 0;                       // `sstvprogram`, as the settings file keeps it
  QAction* Form1::*menu = nullptr;    // the Setup menu item, which carries the check mark
  void (Form1::*choose)() = nullptr;  // that item's handler
  QString menuCaption;
  QString importCaption;           // null: the import button keeps what it showed
  QString importCaptionAtStartUp;  // null: the same as importCaption
  QString sendCaption;
  QString sdrxCaption;
  bool widePicture = false;  // the program takes pictures 340 pixels wide, not 320

  // The send activates each title that has a window, in order, so the last one found takes the
  // keys, one string per call.
  bool sendToCallsign = false;  // the window is titled with the operator's callsign
  QStringList sendTitles;
  QStringList sendKeys;
  // JVComm32 alone sends in two stages and takes the clipboard's picture between them.
  QStringList secondStageKeys;
  // No import titles: the import takes the clipboard as the operator left it.
  QStringList importTitles;
  QStringList importKeys;

  int receiveDirectory = 0;  // entry of `savedirs`; 0 for none
  QString receiveDefault;    // what start-up puts in an empty entry; null: it stays empty
  ReceiveOrder receiveOrder = ReceiveOrder::None;
};

// The twelve choices, in the order of the Setup menu.
std::span<const SstvProgram> sstvPrograms();
// The choice of a code, or null for a code that is none of them.
const SstvProgram* sstvProgramOf(int code);
