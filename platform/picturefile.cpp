#include "platform/picturefile.h"

#include <QImageReader>

bool readPictureFile(const QString& path, QImage* picture) {
  QImageReader reader(path);
  reader.setDecideFormatFromContent(true);
  if (!reader.canRead() || !reader.size().isValid()) return false;
  QImage image;
  if (!reader.read(&image)) return false;
  *picture = image;
  return true;
}
