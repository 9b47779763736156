#include "app/form1.h"

void Form1::Command35_Click() {}
void Form1::Command36_Click() {}
void Form1::Command37_Click() {}
