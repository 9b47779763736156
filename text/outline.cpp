#include "app/form1.h"

void Form1::Check15_Click() { }
void Form1::Check15_MouseUp(int button, int shift, double x, double y) { }
void Form1::Label47_Click() { }
void Form1::HScroll4_Change() { }
