#include "app/variant.h"

#include <QRegularExpression>
#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>

bool readsAsNumber(const QString& text, double* value) {
  static const QRegularExpression number(QStringLiteral("^\\s*[+-]?(\\d+\\.?\\d*|\\.\\d+)\\s*$"));
  if (!number.match(text).hasMatch()) return false;
  if (value) *value = std::clamp(QString(text).remove(QLatin1Char(' ')).toDouble(), -DBL_MAX, DBL_MAX);
  return true;
}

QString numberText(double n) {
  if (n == std::floor(n) && std::fabs(n) < 1e15) return QString::number(qint64(n));
  const QString shortest = QString::number(n, 'g', 15);
  if (!shortest.contains(u'e')) return shortest;
  // Very large or very small: written out in full, which the reader takes.
  QString fixed = QString::number(n, 'f', 20);
  while (fixed.endsWith(u'0')) fixed.chop(1);
  if (fixed.endsWith(u'.')) fixed.chop(1);
  return fixed;
}

long long roundedWithin(double n, long long low, long long high) {
  const double whole = std::isnan(n) ? 0 : std::nearbyint(n);
  if (whole <= double(low)) return low;
  if (whole >= double(high)) return high;
  return static_cast<long long>(whole);
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

int Variant::toInt() const { return int(roundedWithin(toDouble(), INT_MIN, INT_MAX)); }

QString Variant::toString() const {
  switch (kind) {
    case Number: return numberText(number);
    case Text: return text;
    default: return QString();
  }
}
