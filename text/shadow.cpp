#include "app/form1.h"

void Form1::Check17_Click() { }
void Form1::Check17_MouseUp(int button, int shift, double x, double y) { }
void Form1::Option2_Click() { }
void Form1::Option3_Click() { }
void Form1::Option4_Click() { }
void Form1::Option5_Click() { }
void Form1::OptionDirection_MouseUp(int button, int shift, double x, double y) { }
void Form1::VScroll1_Change() { }
void Form1::HScroll5_Change() { }
void Form1::Text13_MouseDown(int button, int shift, double x, double y) { }
