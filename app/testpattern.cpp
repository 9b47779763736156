#include "app/testpattern.h"

#include <QPainter>

#include "platform/textfont.h"

QImage makeTestPattern() {
  QImage img(320, 256, QImage::Format_RGB32);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing, false);
  // Eight colour bars over the top half, as a monitor test card has them.
  static const QRgb bars[] = {qRgb(255, 255, 255), qRgb(255, 255, 0), qRgb(0, 255, 255), qRgb(0, 255, 0),
                              qRgb(255, 0, 255),   qRgb(255, 0, 0),   qRgb(0, 0, 255),   qRgb(0, 0, 0)};
  for (int i = 0; i < 8; ++i) p.fillRect(i * 40, 0, 40, 128, QColor::fromRgb(bars[i]));
  // A grey ramp, then a black field with a white grid and circle for geometry.
  for (int i = 0; i < 16; ++i) p.fillRect(i * 20, 128, 20, 32, QColor(i * 17, i * 17, i * 17));
  p.fillRect(0, 160, 320, 96, Qt::black);
  p.setPen(Qt::white);
  for (int x = 0; x < 320; x += 32) p.drawLine(x, 160, x, 255);
  for (int y = 160; y < 256; y += 32) p.drawLine(0, y, 319, y);
  p.drawEllipse(QPoint(160, 208), 44, 44);
  TextFont f;
  f.name = QStringLiteral("Arial");
  f.pixelHeight = 22;
  f.setBold(true);
  p.setFont(f.qfont());
  p.fillRect(100, 196, 120, 26, Qt::black);
  p.drawText(QRect(100, 196, 120, 26), Qt::AlignCenter, QStringLiteral("MARVANE"));
  return img;
}
