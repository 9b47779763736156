#include "app/form1.h"

void Form1::Command12_Click() { }
void Form1::Command31_Click() { }
