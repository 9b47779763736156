#include "app/form1.h"

// Drag feedback over the main picture: the header-strip icons or iconon and iconoff.
void Form1::Picture1_DragOver(int) {}

// Places what was dropped: a header strip, a thumbnail fitted or as an insert, the import, a fill.
void Form1::Picture1_DragDrop(double, double) {}

// Loads a picture file dropped from the desktop as the whole picture or as an insert.
void Form1::Picture1_OLEDragDrop(const QStringList&, double, double) {}
