#include "app/form1.h"

void Form1::readCallLog() { }
void Form1::Text3_Change() { }
void Form1::Text4_Change() { }
