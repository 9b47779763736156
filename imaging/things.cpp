#include "app/form1.h"

void Form1::Combo1_Click() { }
void Form1::Combo1_GotFocus() { }
void Form1::Combo1_LostFocus() { }
