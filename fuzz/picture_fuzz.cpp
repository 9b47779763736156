// The picture reader on any bytes: the whole picture within the limits, or a refusal with a
// reason naming the file. WMF and EMF are drawn by the helper program, as in Marvane. The same
// bytes offered on the clipboard decode or not, but never crash.
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>

#include "platform/picturefile.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  static int argc = 1;
  static char name[] = "picture_fuzz";
  static char* argv[] = {name, nullptr};
  static QCoreApplication application(argc, argv);
  if (qEnvironmentVariableIsEmpty("MARVANE_METAFILE_HELPER")) qputenv("MARVANE_METAFILE_HELPER", MARVANE_METAFILE_HELPER);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("input"));
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
    __builtin_trap();
  file.close();
  QImage picture;
  QString reason;
  if (readPictureFile(path, &picture, &reason)) {
    const bool sound = picture.format() == QImage::Format_RGB32 && picture.width() <= MaxPictureSide &&
                       picture.height() <= MaxPictureSide && qint64(picture.width()) * picture.height() <= MaxPicturePixels;
    if (!sound) __builtin_trap();
  } else if (!reason.startsWith(QStringLiteral("input: "))) {
    __builtin_trap();
  }
  (void)decodeOfferedPicture(QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)));
  return 0;
}
