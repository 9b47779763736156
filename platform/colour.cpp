#include "platform/colour.h"

#include <QApplication>
#include <QPalette>

namespace colour {

QRgb toQRgb(long bgr) {
  if (bgr & 0x80000000L) {
    // Only the button face is used as a system colour.
    return QApplication::palette().color(QPalette::Button).rgb();
  }
  return qRgb(red(bgr), green(bgr), blue(bgr));
}

}  // namespace colour
