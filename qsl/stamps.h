#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <array>
#include <functional>

// The texts of the QSL band and the date stamp. Each is made from one reading of the clock, so
// the time and the date printed always belong to the same moment.
namespace stamps {

// The local wall-clock time now; tests give a fixed one.
using Clock = std::function<QDateTime()>;

// The QSL defaults and boxes a band or a stamp is made from.
struct QslSettings {
  QString ownCall;  // qsldefaults(2)
  QString band;     // Text9
  QString report;   // Text10
  QString zone;     // qsldefaults(5): "UTC" or "LCL"
  QString offset;   // Text16: hours to add to local time for UTC, as typed ("-9.5", "-10 hrs")
  QLocale locale = QLocale::system();  // whose month names the date uses
};

// The typed hours offset: the number at its start (blanks before it skipped), within 24 hours
// either way, else 0.
double hoursOffset(const QString& typed);

// Time "hh:mm" and date "MMM dd yyyy" (month names of `locale`) of `localNow`: in zone "UTC"
// shifted by `offsetHours`, the date following the shifted time over midnight either way; in any
// other zone the local time and date as they are.
struct TimeAndDate {
  QString time;
  QString date;
};
TimeAndDate timeAndDate(const QDateTime& localNow, const QString& zone, double offsetHours, const QLocale& locale);

// The QSL band: the callsign printed, the callsign stored from now on, the report stored, and
// the three lines under the callsign.
struct QslBand {
  QString ownCall;     // cut after its first character below "0" (a blank, "/", "-", ...), if any
  QString storedCall;  // cut only where that character is a blank: a name goes, a suffix stays
  QString report;      // the report without surrounding blanks, so it never grows between bands
  std::array<QString, 3> lines;
};
QslBand qslBand(const QslSettings& settings, const QString& recipient, const Clock& clock);

// The date stamp: the callsign stored (only an empty one becomes "NOCALL"), the part of it that
// fits the strip, and the time line.
struct DateStamp {
  QString ownCall;
  QString printedCall;  // up to and including a blank among the first five characters, else six
  QString timeLine;
};
DateStamp dateStamp(const QslSettings& settings, const Clock& clock);

}  // namespace stamps
