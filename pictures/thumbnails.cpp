#include "app/form1.h"

void Form1::resetthumbnails() { }
void Form1::HScroll2_Change() { }
