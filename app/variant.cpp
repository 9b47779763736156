#include "app/variant.h"

#include <QRegularExpression>
#include <cmath>

bool readsAsNumber(const QString& text, double* value) {
  static const QRegularExpression number(QStringLiteral("^\\s*[+-]?(\\d+\\.?\\d*|\\.\\d+)\\s*$"));
  if (!number.match(text).hasMatch()) return false;
  if (value) *value = QString(text).remove(QLatin1Char(' ')).toDouble();
  return true;
}

QString numberText(double n) {
  if (n == std::floor(n) && std::fabs(n) < 1e15) return QString::number(qint64(n));
  return QString::number(n, 'g', 15);
}

QString trueFalse(bool on) { return on ? QStringLiteral("True") : QStringLiteral("False"); }

Variant Variant::fromText(const QString& t) {
  double n = 0;
  if (readsAsNumber(t, &n)) return Variant(n);
  return ofText(t);
}

Variant Variant::ofText(const QString& t) {
  Variant v;
  if (t.isEmpty()) return v;
  v.kind = Text;
  v.text = t;
  return v;
}

double Variant::toDouble() const {
  if (kind == Number) return number;
  double n = 0;
  if (kind == Text && readsAsNumber(text, &n)) return n;
  return 0;
}

int Variant::toInt() const { return int(std::nearbyint(toDouble())); }

QString Variant::toString() const {
  switch (kind) {
    case Number: return numberText(number);
    case Text: return text;
    default: return QString();
  }
}
