// Compares the pixels of two picture files of any format Qt reads.
//   same_picture A B
// Exit status 0 when both have the same size and colours, 1 (naming the first difference) when
// not, 2 when either cannot be read.
#include <QImage>
#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s A B\n", argv[0]);
    return 2;
  }
  QImage a(QString::fromLocal8Bit(argv[1]));
  QImage b(QString::fromLocal8Bit(argv[2]));
  if (a.isNull() || b.isNull()) {
    std::fprintf(stderr, "cannot read %s\n", a.isNull() ? argv[1] : argv[2]);
    return 2;
  }
  if (a.size() != b.size()) {
    std::printf("sizes differ: %dx%d and %dx%d\n", a.width(), a.height(), b.width(), b.height());
    return 1;
  }
  a = a.convertToFormat(QImage::Format_RGB32);
  b = b.convertToFormat(QImage::Format_RGB32);
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if ((a.pixel(x, y) & 0xFFFFFF) != (b.pixel(x, y) & 0xFFFFFF)) {
        std::printf("first difference at (%d, %d): #%06x and #%06x\n", x, y, a.pixel(x, y) & 0xFFFFFF,
                    b.pixel(x, y) & 0xFFFFFF);
        return 1;
      }
  return 0;
}
