#include "platform/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace platform {

namespace {

// Qt's name for a picture it decoded from the offered image formats; the picture is kept as a
// picture, the formats it came from as their own bytes.
const QString kDecodedPicture = QStringLiteral("application/x-qt-image");

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
  for (const QString& format : data->formats())
    if (format != kDecodedPicture && !isProtocolTarget(format)) content.formats.append({format, data->data(format)});
  if (data->hasImage()) content.picture = qvariant_cast<QImage>(data->imageData());
  return content;
}

void SystemClipboard::restore(const ClipboardContent& content) {
  if (content.isEmpty()) {
    board()->clear();
    return;
  }
  auto* data = new QMimeData;
  for (const auto& [format, bytes] : content.formats) data->setData(format, bytes);
  // Formats the owner did not offer as bytes (ours never do) are made from the picture on request.
  if (!content.picture.isNull()) data->setImageData(content.picture);
  board()->setMimeData(data);
}

}  // namespace platform
