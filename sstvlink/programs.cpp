#include "app/form1.h"

#include "platform/colour.h"

namespace {

// What a program choice writes. A null import caption leaves the import button as it was.
struct ProgramChoice {
  int code;
  QAction* Form1::*menu;
  const char* importCaption;
  const char* sendCaption;
  const char* sdrxCaption;
};

// Menu order of the Setup menu.
const ProgramChoice programChoices[] = {
    {1, &Form1::simplecopypaste, "Paste", "Copy", "No SSTV program selected"},
    {4, &Form1::panel2panel1, "  Import from   CPIX-2", "Send to  CPIX-1", "Set Directory for CPIX RX thumbnails"},
    {5, &Form1::panel2panel2, "  Import from   CPIX-2", "Send to  CPIX-2", "Set Directory for CPIX RX thumbnails"},
    {8, &Form1::jvcomm1, "Paste from Clipboard Only", "Send to JVComm", "Set Directory for JVComm RX thumbnails"},
    {10, &Form1::mmsstv, "Import from MMSSTV", "Send to MMSSTV", "Set Directory for MMSSTV RX thumbnails"},
    // MScan's import takes the clipboard as the operator left it; the button keeps its last caption.
    {19, &Form1::mscann, nullptr, "Send to Mscan", "Set Directory for MScan RX thumbnails"},
    {17, &Form1::roy11, "Paste from Clipboard Only", "Send to Roy1", "Set Directory for Roy1 RX thumbnails"},
    {36, &Form1::sstv32e, "Paste from Clipboard Only", "Send to SSTV32 TX", "Set Directory for SSTV32 RX thumbnails"},
    {6, &Form1::w95sstvv, "Import from W95SSTV", "Send to W95sstv", "Set Directory for W95SSTV RX thumbnails"},
    {7, &Form1::winpixx, "Import from WinPix", "Send to WinPix", "Set Directory for WinPix RX thumbnails"},
    {27, &Form1::winpix2, "Import from WinPix", "Send to WinPix2", "Set Directory for WinPix RX thumbnails"},
    {16, &Form1::winskann, "Paste from Clipboard Only", "Send to WinSkan TX", "Set Directory for WinSkan RX thumbnails"},
};

const ProgramChoice* choiceOf(int code) {
  for (const ProgramChoice& c : programChoices)
    if (c.code == code) return &c;
  return nullptr;
}

}  // namespace

void Form1::simplecopypaste_Click() { chooseProgram(1); }
void Form1::panel2panel1_Click() { chooseProgram(4); }
void Form1::panel2panel2_Click() { chooseProgram(5); }
void Form1::w95sstvv_Click() { chooseProgram(6); }
void Form1::winpixx_Click() { chooseProgram(7); }
void Form1::jvcomm1_Click() { chooseProgram(8); }
void Form1::mmsstv_Click() { chooseProgram(10); }
void Form1::winskann_Click() { chooseProgram(16); }
void Form1::roy11_Click() { chooseProgram(17); }
void Form1::mscann_Click() { chooseProgram(19); }
void Form1::winpix2_Click() { chooseProgram(27); }
void Form1::sstv32e_Click() { chooseProgram(36); }

void Form1::nomodechecks() {
  for (QAction* menu : {winpixx, winpix2, winskann, simplecopypaste, panel2panel1, panel2panel2, w95sstvv, jvcomm1,
                        roy11, mscann, sstv32e, mmsstv})
    menu->setChecked(false);
}

bool Form1::chooseProgram(int code) {
  const ProgramChoice* choice = choiceOf(code);
  if (!choice) return false;
  QAction* own = this->*(choice->menu);
  if (!Frame9->isHidden()) {
    // The menu flips its own check mark before the handler runs; a refused choice puts it back.
    own->setChecked(sstvprogram == code);
    Text1->setFocus();
    return true;
  }
  Text7->setText(QStringLiteral("R"));
  HScroll3->hide();
  HScroll2_Change();
  nomodechecks();
  own->setChecked(true);
  if (choice->importCaption) Command1->setCaption(QString::fromLatin1(choice->importCaption));
  Command3->setCaption(QString::fromLatin1(choice->sendCaption));
  sstvprogram = code;
  sdrx->setText(QString::fromLatin1(choice->sdrxCaption));
  Text7->setBackColor(colour::state::Off);
  // Start-up runs the layout once itself, after it has set the captions.
  if (startingUp) return true;
  Text1->setFocus();
  // Every choice, Simple Copy Paste included, must bring the layout in line with the new width.
  checkscreensize();
  return true;
}
