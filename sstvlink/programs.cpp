#include "app/form1.h"

void Form1::simplecopypaste_Click() { }
void Form1::panel2panel1_Click() { }
void Form1::panel2panel2_Click() { }
void Form1::w95sstvv_Click() { }
void Form1::winpixx_Click() { }
void Form1::jvcomm1_Click() { }
void Form1::mmsstv_Click() { }
void Form1::winskann_Click() { }
void Form1::roy11_Click() { }
void Form1::mscann_Click() { }
void Form1::winpix2_Click() { }
void Form1::sstv32e_Click() { }
void Form1::nomodechecks() { }
bool Form1::chooseProgram(int code) { return false; }
