#include "app/form1.h"

// The pictures the buffer can be given by name ship with the program, beside its own files.
void Form1::setuppicbuf(PicBuf* buffer, bool scrollBars, const QString& fileName) {
  buffer->backColor = 0;
  buffer->appearance = 1;
  if (scrollBars) buffer->scrollBars = 3;
  if (fileName.isEmpty()) return;
  buffer->fileName = QStringLiteral(":/Images/") + fileName;
  buffer->load();
}
