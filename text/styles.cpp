#include "app/form1.h"

void Form1::Label36_Click() {}
void Form1::drawstyledtext() {}
