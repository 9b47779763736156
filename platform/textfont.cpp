#include "platform/textfont.h"

#include <QVariant>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace {

// The stored name of a widget's face, kept beside the font that draws it.
constexpr const char* faceProperty = "marvaneFace";

}  // namespace

QString drawnFamily(const QString& name) {
  if (name.compare(QLatin1String("webdings"), Qt::CaseInsensitive) == 0 ||
      name.compare(QLatin1String("wingdings"), Qt::CaseInsensitive) == 0)
    return QStringLiteral("D050000L");
  return name;
}

void setFace(QWidget* w, const QString& name, double points) {
  QFont f = w->font();
  f.setFamily(drawnFamily(name));
  if (points > 0) f.setPointSizeF(points);
  w->setFont(f);
  w->setProperty(faceProperty, name);
}

QString faceName(const QWidget* w) {
  const QVariant stored = w->property(faceProperty);
  return stored.isValid() ? stored.toString() : w->font().family();
}

void setWidgetBold(QWidget* w, bool on) {
  QFont f = w->font();
  f.setBold(on);
  w->setFont(f);
}

void setWidgetUnderline(QWidget* w, bool on) {
  QFont f = w->font();
  f.setUnderline(on);
  w->setFont(f);
}

int TextFont::pixelSize() const {
  if (pixelHeight > 0) return pixelHeight;
  const int px = int(std::lround(size * 96.0 / 72.0));
  return px < 1 ? 1 : px;
}

QFont TextFont::qfont() const {
  QFont f(drawnFamily(name));
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
