#include "app/form1.h"

void Form1::printtext() { }
void Form1::textrotate() { }
void Form1::Check16_Click() { }
void Form1::Label31_Click() { }
void Form1::VScroll3_Change() { }
void Form1::redrawPendingText() { }
