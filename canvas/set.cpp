#include "app/form1.h"

void Form1::Label26_Click() { }
void Form1::Label26_MouseDown(int button, int shift, double x, double y) { }
