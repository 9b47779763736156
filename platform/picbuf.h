#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

// The image buffer: holds one picture, reads it from a file of any supported format, writes it in
// a chosen format, and is the preview of the adjust panel. Start-up gives it a black back colour
// and a flat appearance.
class PicBuf : public QWidget {
  Q_OBJECT
 public:
  // The format codes of `imageFormat`; NoFormat lets the file name's extension choose.
  enum FormatCode { NoFormat = 0, Tiff = 1, Targa = 2, Bmp = 3, Gif = 4, Dib = 5, Pcx = 6, Jpeg = 7, Fif = 9, Png = 10 };
  // The JPEG quality when `writeCompression` gives none.
  static constexpr int DefaultJpegQuality = 65;

  explicit PicBuf(QWidget* parent);
  QString fileName;
  int imageFormat = NoFormat;
  int writeCompression = 0;  // JPEG quality; 0 for the default
  long backColor = 0xFFFFFF;
  int appearance = 0;
  int scrollBars = 0;
  // Two display settings the adjust panel gives the shown buffer (2 and 5); the picture is always
  // shown at its own size, so they change nothing.
  int property38 = 0;
  int property145 = 0;
  // Reads the file named by `fileName`; false, with the reason and the picture unchanged, when it
  // cannot be read.
  bool load(QString* reason = nullptr);
  // Writes the picture to `fileName` in `imageFormat` (by the name's extension with NoFormat).
  // Either way the format and the compression are then back to none, so that a later store never
  // writes the old format under a new name. False, with the reason, when nothing was written.
  bool store(QString* reason = nullptr);
  const QImage& picture() const { return picture_; }
  // Every change of the picture, by a load, a put or a filter, raises `change` before it returns.
  void setPicture(const QImage& p);

  // The filters, on the held picture in place. Each is false, and changes nothing, for an empty
  // picture or a value outside the filter's domain.
  bool grey();
  bool negative();
  bool sharpen(int strength);
  bool soften(int strength);
  bool brightnessContrast(double brightness, double contrast);
  bool gamma(double value);

 signals:
  void change();

 protected:
  void paintEvent(QPaintEvent*) override;
 private:
  QImage picture_;
};
