#include "app/form1.h"

// Makes the directory the browser shows the receive directory of the chosen program.
void Form1::Command22_Click() {}
