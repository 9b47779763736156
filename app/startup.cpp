#include "app/form1.h"

bool Form1::Form_Load() { return false; }
void Form1::readRestore() { }
void Form1::readMessages() { }
