#include "platform/textfont.h"

#include <QFontDatabase>
#include <algorithm>
#include <cmath>

namespace {

// Faces with no free look-alike keep their stored name but draw with a symbol font.
QString availableFamily(const QString& name) {
  if (name.compare(QLatin1String("webdings"), Qt::CaseInsensitive) == 0 ||
      name.compare(QLatin1String("wingdings"), Qt::CaseInsensitive) == 0)
    return QStringLiteral("D050000L");
  return name;
}

}  // namespace

int TextFont::pixelSize() const {
  if (pixelHeight > 0) return pixelHeight;
  const int px = int(std::lround(size * 96.0 / 72.0));
  return px < 1 ? 1 : px;
}

QFont TextFont::qfont() const {
  QFont f(availableFamily(name));
  f.setPixelSize(pixelSize());
  // GDI accepts weights up to 1000 and beyond; Qt's scale stops at 900.
  f.setWeight(QFont::Weight(std::clamp(weight, 100, 900)));
  f.setItalic(italic);
  f.setUnderline(underline);
  f.setStrikeOut(strikethrough);
  f.setStyleStrategy(QFont::NoAntialias);
  f.setHintingPreference(QFont::PreferFullHinting);
  f.setKerning(false);
  return f;
}

QString TextFont::key() const {
  return QStringLiteral("%1|%2|%3|%4%5%6")
      .arg(name)
      .arg(pixelSize())
      .arg(weight)
      .arg(int(italic))
      .arg(int(underline))
      .arg(int(strikethrough));
}
