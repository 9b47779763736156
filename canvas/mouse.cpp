#include "app/form1.h"

void Form1::Picture1_MouseDown(int button, int shift, double x, double y) { }
void Form1::Picture1_MouseMove(int button, int shift, double x, double y) { }
void Form1::Picture1_MouseUp(int button, int shift, double x, double y) { }
