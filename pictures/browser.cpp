#include "app/form1.h"

void Form1::Dir1_Change() {}
void Form1::Drive1_Change() {}
void Form1::Label13_Click() {}
