#include "qsl/messagelist.h"
#include "qsl/stamps.h"
#include "tests/support/checks.h"

using namespace stamps;

namespace {

QDateTime at(int y, int mo, int d, int h, int mi) { return QDateTime(QDate(y, mo, d), QTime(h, mi, 30)); }

// A clock fixed at `now` that counts how often it is read.
Clock fixedClock(QDateTime now, int* reads) { return [now, reads] { ++*reads; return now; }; }

}  // namespace

TEST(StampTime, UtcFollowsTheShiftedTimeOverMidnightBothWaysAndLclIgnoresTheOffset) {
  const struct { QDateTime local; const char* zone; const char* offset; const char* time; const char* date; } cases[] = {
      {at(2026, 12, 5, 8, 15), "UTC", "-10", "22:15", "Dec 04 2026"},
      {at(2026, 12, 5, 10, 0), "UTC", "-10", "00:00", "Dec 05 2026"},
      {at(2026, 12, 5, 12, 10), "UTC", "5.5", "17:40", "Dec 05 2026"},
      {at(2026, 12, 5, 12, 10), "UTC", "-9.5", "02:40", "Dec 05 2026"},
      {at(2026, 12, 5, 9, 45), "UTC", "-9.75", "00:00", "Dec 05 2026"},  // exactly midnight: still today
      {at(2026, 12, 31, 22, 0), "UTC", "+5", "03:00", "Jan 01 2027"},
      {at(2026, 12, 5, 8, 15), "LCL", "-10", "08:15", "Dec 05 2026"},
  };
  for (const auto& c : cases) {
    int reads = 0;
    const QslSettings settings{QStringLiteral("G4ABC"), QStringLiteral("20M"), QStringLiteral("595"),
                               QString::fromLatin1(c.zone), QString::fromLatin1(c.offset)};
    const QslBand band = qslBand(settings, QString(), fixedClock(c.local, &reads));
    EXPECT_EQ(band.lines[2], QStringLiteral("%1    %2 %3").arg(c.date, c.time, c.zone)) << c.offset;
    const DateStamp stamp = dateStamp(settings, fixedClock(c.local, &reads));
    EXPECT_EQ(stamp.timeLine, QStringLiteral("%1 %2  %3").arg(c.time, c.zone, c.date)) << c.offset;
    EXPECT_EQ(reads, 2);
  }
}

// The number the text begins with; beyond a day or no number: no offset.
TEST(StampTime, OffsetsThatReadAsNumbersWithinADay) {
  const struct { const char* typed; double hours; } cases[] = {
      {"-5", -5}, {" +3 ", 3}, {"5.5", 5.5}, {"-24", -24}, {"24.5", 0}, {"abc", 0}, {"5 hrs", 5}, {"", 0},
      {"-10 hrs", -10}, {" -9.5h", -9.5}, {"hrs -10", 0}, {"30 hrs", 0}};
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(hoursOffset(QString::fromLatin1(c.typed)), c.hours) << c.typed;
}

TEST(QslBandTexts, LinesCallsignAndAReportThatNeverGrows) {
  int reads = 0;
  const Clock clock = fixedClock(at(2026, 12, 5, 8, 15), &reads);
  QslSettings settings{QStringLiteral("G4ABC/P"), QStringLiteral("20M"), QStringLiteral(" 595 "), QStringLiteral("UTC"),
                       QStringLiteral("-10")};
  const QslBand first = qslBand(settings, QString(), clock);
  EXPECT_EQ(QStringList({first.ownCall, first.storedCall}), QStringList({"G4ABC/", "G4ABC/P"}));  // the suffix is kept
  EXPECT_EQ(QStringList(first.lines.begin(), first.lines.end()),
            QStringList({"Confirms  NOTHING   2xSSTV", "RSV -  595       Band - 20M", "Dec 04 2026    22:15 UTC"}));
  settings = {QStringLiteral("G4ABC FRED"), settings.band, first.report, settings.zone, settings.offset};
  const QslBand second = qslBand(settings, QStringLiteral("W1XYZ"), clock);
  EXPECT_EQ(QStringList({second.ownCall, second.storedCall}), QStringList({"G4ABC ", "G4ABC "}));  // the name goes
  EXPECT_EQ(second.lines[0], QStringLiteral("Confirms  W1XYZ   2xSSTV"));
  EXPECT_EQ(second.lines[1], first.lines[1]);
}

TEST(StampTime, MonthNamesAreTheLocales) {
  int reads = 0;
  const std::pair<QLocale, const char*> cases[] = {{QLocale::system(), "Dec 05 2026"}, {QLocale(QLocale::German), "Dez. 05 2026"}};
  for (const auto& [locale, date] : cases) {
    const QslSettings settings{QStringLiteral("G4ABC"), {}, {}, QStringLiteral("LCL"), {}, locale};
    EXPECT_EQ(dateStamp(settings, fixedClock(at(2026, 12, 5, 8, 15), &reads)).timeLine, QStringLiteral("08:15 LCL  ") + date);
  }
}

TEST(DateStampTexts, StoredCallsignStaysWholeAndThePrintedOneFitsTheStrip) {
  const struct { const char* stored; const char* kept; const char* printed; } cases[] = {
      {"", "NOCALL", "NOCALL"}, {"G4ABCD", "G4ABCD", "G4ABCD"}, {"VK2ABCD", "VK2ABCD", "VK2ABC"}, {"K1AB FRED", "K1AB FRED", "K1AB "}};
  int reads = 0;
  for (const auto& c : cases) {
    const QslSettings settings{QString::fromLatin1(c.stored), {}, {}, QStringLiteral("LCL"), {}};
    const DateStamp stamp = dateStamp(settings, fixedClock(at(2026, 12, 5, 8, 15), &reads));
    EXPECT_EQ(QStringList({stamp.ownCall, stamp.printedCall}), QStringList({c.kept, c.printed}));
  }
}

TEST(MessagePick, TheMessageAroundTheCaretWithoutSeparatorOrTrailingLineBreak) {
  const QString list = QStringLiteral("---\r\nCQ CQ\r\n---\r\n73 ALL\r\nDE G4ABC\r\n-----\r\nPSE K\r\n---\r\nLAST");
  const QString huge(2000, u'x');
  const struct { QString list, mark; qsizetype offset; QString message; } cases[] = {
      {list, QStringLiteral("Q CQ"), 0, QStringLiteral("CQ CQ")},
      {list, QStringLiteral("DE G4"), 0, QStringLiteral("73 ALL\r\nDE G4ABC")},  // inner line breaks stay
      {list, QStringLiteral("PSE"), 1, QStringLiteral("PSE K")},                 // five dashes
      {list, QStringLiteral("LAST"), 4, QStringLiteral("LAST")},                 // no CR LF after it: nothing cut
      {QStringLiteral("FIRST\r\n---\r\nSECOND"), QStringLiteral("IRST"), 0, QStringLiteral("FIRST")},
      {QStringLiteral("FIRST\r\n---\r\nSECOND"), QString(), -7, QStringLiteral("FIRST")},
      {QStringLiteral("FIRST\r\n---\r\nSECOND"), QString(), 500, QStringLiteral("SECOND")},
      {QStringLiteral("A---BC\r\n---\r\n"), QStringLiteral("BC"), 1, QStringLiteral("BC")},
      {QStringLiteral("---\r\n") + huge + QStringLiteral("\r\n---\r\n"), huge, 1999, huge},
  };
  for (const auto& c : cases) {
    const qsizetype caret = c.mark.isEmpty() ? c.offset : c.list.indexOf(c.mark) + c.offset;
    EXPECT_EQ(messagelist::pickMessage(c.list, caret), c.message) << c.mark.toStdString();
  }
}
