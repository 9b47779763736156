#include "app/form1.h"
#include "platform/colour.h"
#include "sstvlink/programs.h"

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
  for (const SstvProgram& p : sstvPrograms()) (this->*p.menu)->setChecked(false);
}

bool Form1::chooseProgram(int code) {
  const SstvProgram* choice = sstvProgramOf(code);
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
  if (!choice->importCaption.isNull()) Command1->setCaption(choice->importCaption);
  Command3->setCaption(choice->sendCaption);
  sstvprogram = code;
  sdrx->setText(choice->sdrxCaption);
  Text7->setBackColor(colour::state::Off);
  // Start-up runs the layout once itself, after it has set the captions.
  if (startingUp) return true;
  Text1->setFocus();
  // Every choice, Simple Copy Paste included, must bring the layout in line with the new width.
  checkscreensize();
  return true;
}
