#include "app/form1.h"

void Form1::Label32_Click() { }
void Form1::Label38_Click() { }
