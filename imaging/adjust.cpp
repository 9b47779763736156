#include "app/form1.h"

void Form1::Command13_Click() {}

// Sharpen and Soften filter the image buffer only; the adjust panel and Dejag take the result
// from there, so the other two buffers follow it.
void Form1::filterVisibleBuffer(bool (PicBuf::*filter)(int), int strength) {
  (PicbufVisible->*filter)(strength);
  PicbufOriginal->setPicture(PicbufVisible->picture());
  PicbufEdit->setPicture(PicbufVisible->picture());
  Text1->setFocus();
}

void Form1::Command39_Click() { filterVisibleBuffer(&PicBuf::sharpen, sharpenamount); }
void Form1::Command41_Click() { filterVisibleBuffer(&PicBuf::soften, softenamount); }
