#pragma once
// A 4000 x 3000 picture as a camera takes it, with detail everywhere so that a JPEG decoder has
// real work; `seed` makes pictures of the same size differ.
#include <QImage>

namespace bench {

inline QImage cameraPicture(int seed) {
  constexpr int kWidth = 4000, kHeight = 3000;
  QImage picture(kWidth, kHeight, QImage::Format_RGB32);
  for (int y = 0; y < kHeight; ++y) {
    QRgb* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
    for (int x = 0; x < kWidth; ++x) row[x] = qRgb(x * 255 / kWidth, y * 255 / kHeight, (x ^ y ^ seed) & 0xFF);
  }
  return picture;
}

}  // namespace bench
