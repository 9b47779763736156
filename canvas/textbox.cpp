#include "app/form1.h"

void Form1::Text1_Change() { }
void Form1::Text1_DblClick() { }
void Form1::Text1_MouseUp(int button, int shift, double x, double y) { }
void Form1::File1_MouseUp(int button, int shift, double x, double y) { }
void Form1::HScroll1_Change() { }
void Form1::VScroll4_Change() { }
