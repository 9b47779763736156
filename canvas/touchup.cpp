#include "app/form1.h"

void Form1::cropStart(double, double) {}
void Form1::cropRubberBand(double, double) {}
void Form1::cropFinish(double, double) {}
void Form1::noiseLinePointer() {}
void Form1::noiseLineRemoval(int, double) {}
