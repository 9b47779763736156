#include "app/form1.h"

void Form1::Option1_Click() { }
void Form1::Option1_MouseUp(int button, int shift, double x, double y) { }
void Form1::Option6_Click() { }
void Form1::Option7_Click() { }
void Form1::Option8_Click() { }
