#include "platform/picbuf.h"

#include <QImageReader>
#include <QPainter>

#include "platform/colour.h"

PicBuf::PicBuf(QWidget* parent) : QWidget(parent) {}

bool PicBuf::load() {
  QImageReader reader(fileName);
  reader.setDecideFormatFromContent(true);
  // A truncated file reads as "loaded" with grey rows; a header that promises no size is refused.
  if (!reader.canRead() || !reader.size().isValid()) return false;
  QImage image;
  if (!reader.read(&image)) return false;
  setPicture(image);
  return true;
}

void PicBuf::setPicture(const QImage& p) {
  picture_ = p;
  update();
}

void PicBuf::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), colour::toQColor(backColor));
  if (!picture_.isNull()) p.drawImage(rect(), picture_);
}
