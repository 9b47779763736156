#include "platform/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <algorithm>

namespace platform {

namespace {

// Qt's name for a picture it decoded from the offered image formats.
const QString kDecodedPicture = QStringLiteral("application/x-qt-image");
const QString kPng = QStringLiteral("image/png");

bool isImageFormat(const QString& format) { return format.startsWith(QLatin1String("image/")); }

// The one image format whose bytes are kept: PNG, lossless and offered by most owners, else the
// first offered. Owners offer the same picture in many formats (Qt programs in about fifteen),
// each made on request; fetching them all took most of a second for a screen-sized picture.
QString pictureSource(const QStringList& formats) {
  if (formats.contains(kPng)) return kPng;
  const auto image = std::find_if(formats.begin(), formats.end(), isImageFormat);
  return image == formats.end() ? QString() : *image;
}

// Requests of the X selection protocol that Qt lists among an owner's formats; they describe the
// offer rather than hold content, and Qt answers them itself for what we offer.
bool isProtocolTarget(const QString& format) {
  static const QStringList targets = {QStringLiteral("TARGETS"), QStringLiteral("MULTIPLE"),
                                      QStringLiteral("TIMESTAMP"), QStringLiteral("SAVE_TARGETS"),
                                      QStringLiteral("DELETE"), QStringLiteral("INSERT_SELECTION"),
                                      QStringLiteral("INSERT_PROPERTY")};
  return targets.contains(format);
}

QClipboard* board() { return QGuiApplication::clipboard(); }

}  // namespace

QImage SystemClipboard::picture() { return board()->image(); }

void SystemClipboard::clear() { board()->clear(); }

void SystemClipboard::setPicture(const QImage& picture) { board()->setImage(picture); }

ClipboardContent SystemClipboard::content() {
  ClipboardContent content;
  const QMimeData* data = board()->mimeData();
  if (!data) return content;
  const QStringList formats = data->formats();
  const QString source = pictureSource(formats);
  for (const QString& format : formats) {
    const bool madeFromPicture = isImageFormat(format) && format != source;
    if (format == kDecodedPicture || isProtocolTarget(format) || madeFromPicture) continue;
    content.formats.append({format, data->data(format)});
    if (format == source) content.picture = QImage::fromData(content.formats.last().second);
  }
  // Our own offer, or a source Qt cannot read by itself: let Qt decode what it can.
  if (content.picture.isNull() && data->hasImage()) content.picture = qvariant_cast<QImage>(data->imageData());
  return content;
}

void SystemClipboard::restore(const ClipboardContent& content) {
  if (content.isEmpty()) {
    board()->clear();
    return;
  }
  auto* data = new QMimeData;
  for (const auto& [format, bytes] : content.formats) data->setData(format, bytes);
  // The other image formats are made from the picture again, on request.
  if (!content.picture.isNull()) data->setImageData(content.picture);
  board()->setMimeData(data);
}

}  // namespace platform
