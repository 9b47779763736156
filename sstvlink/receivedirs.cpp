#include <algorithm>
#include <array>

#include "sstvlink/link.h"
#include "sstvlink/programs.h"

namespace {

// One receive directory's prompt on Command22 and where its choice is stored; it serves every
// program whose receive directory that is. Four programs always save into a directory of a
// fixed name; a choice without that word is refused.
struct ReceivePrompt {
  void (Form1::*procedure)();
  QString caption;
  int entry;             // of `savedirs`
  QString word;          // what the path must contain; empty: any directory
  QString directoryText; // the refusal names the directory so
  bool byCheckMark;      // stored while its menu is checked, whatever the caption
};

const QString Then = QStringLiteral(" (Dbl Click), then Click here to set or click Exit Pic");

// In the order sdrx_Click looks for the checked menu.
const std::array<ReceivePrompt, 9> prompts = {{
    {&Form1::setdirchromapix, "For ChromaPIX Open CPIX Directory" + Then, 7, "CPIX", "\\CPIX Directory", false},
    {&Form1::setdirjvcomm, "For JVComm Open \\SSTV-Lastreceived sub directory" + Then, 8, "SSTV-Last",
     "JVComm\\SSTV-Lastreceived Directory", false},
    {&Form1::setdirmscan, "For MScan Open chosen Directory" + Then, 15, {}, {}, false},
    {&Form1::setdirroy1, "For Roy1 Open ROY1_SSTV\\RxBmp Directory" + Then, 12, "RxBmp", "ROY1_SSTV\\RxBmp Directory",
     false},
    {&Form1::setdirw95sstv, "For W95SSTV Open chosen Directory" + Then, 14, {}, {}, false},
    {&Form1::setdirwinpix, "For WinPix Open chosen Directory" + Then, 13, {}, {}, false},
    {&Form1::setdirwinskan, "For WinSkan Open WinSkan\\RxThumbs Directory" + Then, 11, "RxThumbs",
     "Winskan\\RxThumbs Directory", false},
    {&Form1::setdirsstv32, "For SSTV32 Open SSTV32\\RxThumbs Directory" + Then, 16, {}, {}, true},
    {&Form1::setdirmmsstv, "For MMSSTV Open chosen Directory" + Then, 17, {}, {}, true},
}};
enum { ChromaPix, JvComm, MScan, Roy1, W95Sstv, WinPix, WinSkan, Sstv32, Mmsstv };

// The order in which Command22_Click tries them.
constexpr std::array storeOrder = {WinPix, W95Sstv, Mmsstv, ChromaPix, JvComm, WinSkan, Sstv32, Roy1, MScan};

// Whether the menu of a program the prompt serves is checked.
bool checked(const Form1& f, const ReceivePrompt& p) {
  return std::ranges::any_of(sstvPrograms(), [&](const SstvProgram& program) {
    return program.receiveDirectory == p.entry && (f.*program.menu)->isChecked();
  });
}

// The prompt opens the browser as Load Pic does, so it closes the strip panels as Load Pic does:
// with both open, closing either would close the other, which closes the first, without end.
void showPrompt(Form1& f, int which) {
  f.closeStripPanels();
  f.Command22->setCaption(prompts[which].caption);
  f.Frame2->show();
  f.Command22->show();
  f.Command20->setCaption(QStringLiteral("Exit Pic"));
}

// The entry takes `path`; a path without the program's word is refused and the entry kept.
void store(Form1& f, const ReceivePrompt& p, const QString& path) {
  if (p.word.isEmpty() || path.contains(p.word)) {
    f.storeDirectory(p.entry, path);
    return;
  }
  f.env.dialogs->MsgBox(QStringLiteral("Not \"") + p.directoryText + QStringLiteral("\", Try again"), vb::OKOnly, QString());
}

}  // namespace

void Form1::sdrx_Click() {
  for (const ReceivePrompt& p : prompts)
    if (checked(*this, p)) return (this->*p.procedure)();
}

void Form1::setdirchromapix() { showPrompt(*this, ChromaPix); }
void Form1::setdirmscan() { showPrompt(*this, MScan); }
void Form1::setdirroy1() { showPrompt(*this, Roy1); }
void Form1::setdirw95sstv() { showPrompt(*this, W95Sstv); }
void Form1::setdirwinpix() { showPrompt(*this, WinPix); }
void Form1::setdirwinskan() { showPrompt(*this, WinSkan); }
void Form1::setdirsstv32() { showPrompt(*this, Sstv32); }
void Form1::setdirmmsstv() { showPrompt(*this, Mmsstv); }

void Form1::setdirjvcomm() {
  showPrompt(*this, JvComm);
  sdrx->setText(QStringLiteral("Set Directory for JVComm RX thumbnails"));
}

// The prompt on the button names the program, except for MMSSTV and SSTV32, which go by their
// check marks. The directory shown in the browser is stored as it stands.
void Form1::Command22_Click() {
  const QString path = File1->path();
  for (const int which : storeOrder) {
    const ReceivePrompt& p = prompts[which];
    if (p.byCheckMark ? checked(*this, p) : Command22->caption() == p.caption) store(*this, p, path);
  }
  Command20_Click();
  Text1->setFocus();
}
