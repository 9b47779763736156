#include "app/form1.h"

void Form1::setuppicbuf(PicBuf* buffer, bool scrollBars, const QString& fileName) {}
