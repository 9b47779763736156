#include "app/form1.h"

void Form1::turntransparent() { }
void Form1::Check18_Click() { }
void Form1::Check19_Click() { }
void Form1::transparentblit(PictureBox* destination, const QImage& source, const QRect& from, double x, double y, long key) {}
