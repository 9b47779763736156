#include "platform/picbuf.h"

#include "platform/picturefile.h"
#include <QPainter>

#include "platform/colour.h"

PicBuf::PicBuf(QWidget* parent) : QWidget(parent) {}

bool PicBuf::load() {
  QImage image;
  if (!readPictureFile(fileName, &image)) return false;
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
