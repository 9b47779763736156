#include "app/form1.h"

// Lists the program files of the directory and shows the first four icons of the selected one.
void Form1::Label43_Click() {}

// Shows the next four icons of the program file named in the image buffer in the browse boxes.
void Form1::grabicons() {}
