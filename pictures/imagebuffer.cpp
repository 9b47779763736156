#include <QDir>

#include "app/form1.h"

void Form1::setuppicbuf(PicBuf* buffer, bool scrollBars, const QString& fileName) {
  buffer->backColor = 0;
  buffer->appearance = 1;
  if (scrollBars) buffer->scrollBars = 3;
  if (fileName.isEmpty()) return;
  buffer->fileName = QDir::cleanPath(env.programDirectory + QStringLiteral("/../Images/") + fileName);
  buffer->load();
}
