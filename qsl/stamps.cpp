#include "qsl/stamps.h"

#include <QRegularExpression>
#include <cmath>

#include "app/variant.h"

namespace stamps {

namespace {

const QString Utc = QStringLiteral("UTC");
const QString NoCall = QStringLiteral("NOCALL");
constexpr double MaxOffsetHours = 24;
constexpr qsizetype StampCallBlankWithin = 5;
constexpr qsizetype StampCallLength = 6;

TimeAndDate readClock(const QslSettings& settings, const Clock& clock) {
  return timeAndDate(clock(), settings.zone, hoursOffset(settings.offset), settings.locale);
}

// The band prints the callsign proper: a suffix after "/" or a name after a blank is cut off,
// the separating character kept.
QString bandCall(const QString& call) {
  for (qsizetype i = 0; i < call.size(); ++i)
    if (call[i] < u'0') return call.left(i + 1);
  return call;
}

// The stamp's strip leaves room for six characters before the time.
QString stampCall(const QString& call) {
  const qsizetype blank = call.left(StampCallBlankWithin).indexOf(u' ');
  return call.left(blank >= 0 ? blank + 1 : StampCallLength);
}

}  // namespace

double hoursOffset(const QString& typed) {
  static const QRegularExpression leadingNumber(QStringLiteral("^\\s*[+-]?(\\d+\\.?\\d*|\\.\\d+)"));
  double hours = 0;
  if (!readsAsNumber(leadingNumber.match(typed).captured(), &hours) || std::fabs(hours) > MaxOffsetHours) return 0;
  return hours;
}

TimeAndDate timeAndDate(const QDateTime& localNow, const QString& zone, double offsetHours, const QLocale& locale) {
  QDate date = localNow.date();
  QTime time = localNow.time();
  if (zone == Utc) {
    // Wall-clock arithmetic: a daylight-saving change of the local zone must not move the result.
    const QDateTime shifted =
        QDateTime(date, time, Qt::UTC).addSecs(60 * std::llround(offsetHours * 60));
    date = shifted.date();
    time = shifted.time();
  }
  return {time.toString(QStringLiteral("hh:mm")), locale.toString(date, QStringLiteral("MMM dd yyyy"))};
}

QslBand qslBand(const QslSettings& settings, const QString& recipient, const Clock& clock) {
  const TimeAndDate now = readClock(settings, clock);
  QslBand band;
  band.ownCall = bandCall(settings.ownCall);
  band.storedCall = band.ownCall.endsWith(u' ') ? band.ownCall : settings.ownCall;
  band.report = settings.report.trimmed();
  const QString nobody = recipient.isEmpty() ? QStringLiteral("NOTHING") : QString();
  band.lines = {QStringLiteral("Confirms  ") + nobody + recipient + QStringLiteral("   2xSSTV"),
                QStringLiteral("RSV -  ") + band.report + QStringLiteral("       Band - ") + settings.band,
                now.date + QStringLiteral("    ") + now.time + u' ' + settings.zone};
  return band;
}

DateStamp dateStamp(const QslSettings& settings, const Clock& clock) {
  const TimeAndDate now = readClock(settings, clock);
  DateStamp stamp;
  stamp.ownCall = settings.ownCall.isEmpty() ? NoCall : settings.ownCall;
  stamp.printedCall = stampCall(stamp.ownCall);
  stamp.timeLine = now.time + u' ' + settings.zone + QStringLiteral("  ") + now.date;
  return stamp;
}

}  // namespace stamps
