#include "app/form1.h"

void Form1::Form_Unload() { }
void Form1::exit_Click() { }
void Form1::writeRestore() { }
bool Form1::writeMessages() { return false; }
void Form1::saveThumbFiles() { }
