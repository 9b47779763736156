#include "platform/picbuf.h"

#include <QFileInfo>
#include <QPainter>
#include <optional>

#include "platform/colour.h"
#include "platform/picturefile.h"
#include "raster/adjust.h"

namespace {

std::optional<PictureFormat> formatOfCode(int code) {
  switch (code) {
    case PicBuf::Tiff: return PictureFormat::Tiff;
    case PicBuf::Targa: return PictureFormat::Tga;
    case PicBuf::Bmp: return PictureFormat::Bmp;
    case PicBuf::Gif: return PictureFormat::Gif;
    case PicBuf::Dib: return PictureFormat::Dib;
    case PicBuf::Pcx: return PictureFormat::Pcx;
    case PicBuf::Jpeg: return PictureFormat::Jpeg;
    case PicBuf::Fif: return PictureFormat::Fif;
    case PicBuf::Png: return PictureFormat::Png;
    default: return std::nullopt;
  }
}

std::optional<PictureFormat> formatOfName(const QString& fileName) {
  const QString suffix = QFileInfo(fileName).suffix().toLower();
  if (suffix == QLatin1String("tif") || suffix == QLatin1String("tiff")) return PictureFormat::Tiff;
  if (suffix == QLatin1String("tga")) return PictureFormat::Tga;
  if (suffix == QLatin1String("bmp")) return PictureFormat::Bmp;
  if (suffix == QLatin1String("gif")) return PictureFormat::Gif;
  if (suffix == QLatin1String("dib")) return PictureFormat::Dib;
  if (suffix == QLatin1String("pcx")) return PictureFormat::Pcx;
  if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg")) return PictureFormat::Jpeg;
  if (suffix == QLatin1String("fif")) return PictureFormat::Fif;
  if (suffix == QLatin1String("png")) return PictureFormat::Png;
  return std::nullopt;
}

}  // namespace

PicBuf::PicBuf(QWidget* parent) : QWidget(parent) {}

bool PicBuf::load(QString* reason) {
  QImage image;
  if (!readPictureFile(fileName, &image, reason)) return false;
  setPicture(image);
  return true;
}

bool PicBuf::store(QString* reason) {
  const std::optional<PictureFormat> format = imageFormat == NoFormat ? formatOfName(fileName) : formatOfCode(imageFormat);
  const int quality = writeCompression >= 1 && writeCompression <= 100 ? writeCompression : DefaultJpegQuality;
  imageFormat = NoFormat;
  writeCompression = 0;
  if (!format) {
    if (reason) *reason = QFileInfo(fileName).fileName() + QStringLiteral(": no picture format is known by this name");
    return false;
  }
  return writePictureFile(fileName, picture_, *format, quality, reason);
}

void PicBuf::setPicture(const QImage& p) {
  picture_ = p;
  update();
  emit change();
}

namespace {

// Runs a filter on a copy, so that a refused filter leaves the held picture and raises nothing.
template <typename Filter>
bool filtered(PicBuf& buffer, Filter filter) {
  QImage work = buffer.picture().convertToFormat(QImage::Format_RGB32);
  if (!filter(work)) return false;
  buffer.setPicture(work);
  return true;
}

}  // namespace

bool PicBuf::grey() { return filtered(*this, [](QImage& p) { return raster::grey(p); }); }
bool PicBuf::negative() { return filtered(*this, [](QImage& p) { return raster::negative(p); }); }
bool PicBuf::sharpen(int strength) {
  return filtered(*this, [strength](QImage& p) { return raster::sharpen(p, strength); });
}
bool PicBuf::soften(int strength) {
  return filtered(*this, [strength](QImage& p) { return raster::soften(p, strength); });
}
bool PicBuf::brightnessContrast(double brightness, double contrast) {
  return filtered(*this, [=](QImage& p) { return raster::brightnessContrast(p, brightness, contrast); });
}
bool PicBuf::gamma(double value) {
  return filtered(*this, [value](QImage& p) { return raster::gammaCorrect(p, value); });
}

void PicBuf::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), colour::toQColor(backColor));
  // Unstretched, so that the preview shows the picture pixel for pixel over the main picture.
  if (!picture_.isNull()) p.drawImage(0, 0, picture_);
}
