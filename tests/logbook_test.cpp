#include <random>

#include "qsl/logbook.h"
#include "qsl/logsearch.h"
#include "qsl/textfind.h"
#include "tests/support/checks.h"
#include "tests/support/sample_log.h"

using namespace logbook;

namespace {

// A longer callsign before a shorter one, a callsign inside a line and at the start of another's,
// a station without information, and the oldest record at the end.
const QString Log = QStringLiteral(
    "\r\nG4ABCD Dave, Derby, works G4AB\r\nW1XYZ Bob, Boston\r\nG4ABC Fred, Leeds\r\nVK2QQ \r\nK1AB talks to W1XY");

QByteArray file(const QString& log) { return QByteArray("\"") + log.toUtf8() + "\"\r\n"; }

QString record(const QString& call, const QString& info) { return QStringLiteral("\r\n") + call + u' ' + info; }

// The log holds exactly these records, in this order (compared in place: the log is large).
bool holdsExactly(const QString& log, const std::vector<SampleRecord>& records) {
  qsizetype at = 0;
  for (const SampleRecord& r : records)
    for (QStringView part : {QStringView(u"\r\n"), QStringView(r.call), QStringView(u" "), QStringView(r.info)}) {
      if (QStringView(log).mid(at, part.size()) != part) return false;
      at += part.size();
    }
  return at == log.size();
}

}  // namespace

TEST(CallLog, LookupFindsOnlyACallsignThatStartsARecord) {
  const struct { QString typed; Found found; QString info; } cases[] = {
      {QStringLiteral("g4abc"), Found::Record, QStringLiteral("Fred, Leeds")},  // the longer G4ABCD hides nothing
      {QStringLiteral("K1AB"), Found::Record, QStringLiteral("talks to W1XY")},
      {QStringLiteral("VK2QQ"), Found::Record, QString()},
      {QStringLiteral("G4AB"), Found::StartOfLonger, QString()},
      {QStringLiteral("DERBY"), Found::InsideText, QString()},
      {QStringLiteral("ZZ1ZZ"), Found::Nothing, QString()},
      {QString(), Found::Nothing, QString()},
  };
  for (const auto& c : cases) {
    const Lookup got = lookUp(Log, upperCopy(Log), c.typed);
    EXPECT_EQ(std::tuple(got.found, got.info), std::tuple(c.found, c.info)) << c.typed.toStdString();
  }
}

TEST(CallLog, SaveReplacesInPlaceOrPutsANewRecordFirstAndWritesTheseBytes) {
  const QString long300(300, u'x');
  const QString withLong = Log + record(QStringLiteral("M0LNG"), long300);
  const struct { QString log, call, info; QByteArray bytes; bool replaced; } cases[] = {
      {Log, QStringLiteral("W1XYZ"), QStringLiteral("Bob, Salem"),
       file(QString(Log).replace(QStringLiteral("Bob, Boston"), QStringLiteral("Bob, Salem"))), true},
      {Log, QStringLiteral("W1XYZ"), QStringLiteral("Bob, Boston"), file(Log), true},  // unchanged: same bytes
      {Log, QStringLiteral("G4AB"), QStringLiteral("Al"), file(record(QStringLiteral("G4AB"), QStringLiteral("Al")) + Log), false},
      {Log, QStringLiteral("M0NEW"), QStringLiteral("Says \"hi\"\tto\r\nall"),
       "\"\r\nM0NEW Says 'hi' to  all" + file(Log).mid(1), false},
      {withLong, QStringLiteral("M0LNG"), QStringLiteral("short now"),
       file(Log + record(QStringLiteral("M0LNG"), QStringLiteral("short now"))), true},
  };
  for (const auto& c : cases) {
    const Saved saved = savedLog(c.log, upperCopy(c.log), c.call, c.info);
    EXPECT_EQ(std::tuple(logFileBytes(saved.log), saved.replaced), std::tuple(c.bytes, c.replaced)) << c.call.toStdString();
  }
}

TEST(CallLog, DeleteTakesTheRecordAndOneLineBreakAndNothingElse) {
  const QString withLong = record(QStringLiteral("M0LNG"), QString(300, u'x')) + Log;
  const struct { QString log, call; QByteArray bytes; } cases[] = {
      {Log, QStringLiteral("G4ABCD"), file(QString(Log).remove(0, Log.indexOf(QStringLiteral("\r\nW1XYZ"))))},
      {Log, QStringLiteral("w1xyz"), file(QString(Log).remove(QStringLiteral("\r\nW1XYZ Bob, Boston")))},
      {Log, QStringLiteral("K1AB"), file(Log.left(Log.indexOf(QStringLiteral("\r\nK1AB"))))},
      {Log, QStringLiteral("G4AB"), file(Log)},  // only the start of G4ABCD and inside its line
      {withLong, QStringLiteral("M0LNG"), file(Log)},
      {record(QStringLiteral("K1AB"), QStringLiteral("Al")), QStringLiteral("K1AB"), "\"\"\r\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(logFileBytes(deletedLog(c.log, upperCopy(c.log), c.call)), c.bytes) << c.call.toStdString();
}

// Random saves (new, replaced, long) and deletes on a large log, each checked against a plain list.
TEST(CallLog, SixtyThousandStationsSurviveTwoHundredRandomEdits) {
  SampleLogMaker maker(11);
  std::vector<SampleRecord> model = maker.records(60000);
  QString log = sampleLog(model);
  for (int step = 0; step < 200; ++step) {
    const QString upper = upperCopy(log);
    const std::size_t k = maker.pick(model.size());
    switch (maker.pick(3)) {
      case 0:  // replace, sometimes longer than any scan limit
        model[k].info = maker.info(model[k].call, 20 + maker.pick(400));
        log = savedLog(log, upper, model[k].call.toLower(), model[k].info).log;
        break;
      case 1: {
        const QString call = maker.newCall();
        model.insert(model.begin(), {call, maker.info(call, 20 + maker.pick(151))});
        log = savedLog(log, upper, call, model.front().info).log;
        break;
      }
      default:
        log = deletedLog(log, upper, model[k].call);
        model.erase(model.begin() + k);
    }
    ASSERT_TRUE(holdsExactly(log, model)) << "step " << step;
  }
  const LogFile back = readLogFile(logFileBytes(log));
  EXPECT_TRUE(back.log == log && !back.repaired);
}

TEST(CallLogFile, BadFilesGiveEveryRecordInTheLogsOwnForm) {
  const QString two = QStringLiteral("\r\nG4ABC Fred\r\nW1XYZ Bob");
  const struct { QByteArray bytes; QString log; bool repaired; } cases[] = {
      {file(two), two, false},
      {"\"" + two.toUtf8() + "\"", two, false},
      {"\"\"\r\n", QString(), false},
      {"", QString(), false},
      {"\"\r\nF6ABC Ren\xe9\"\r\n", QStringLiteral("\r\nF6ABC Ren\u00e9"), false},  // written on Windows in its code page
      // One stray byte among UTF-8 records is the only character it changes.
      {"\"\r\nDL1AB M\xc3\xbcnchen\r\nF6ABC Ren\xc3\xa9 \xff 5\xe2\x82\xac \xe2\x82\"\r\n",
       QStringLiteral("\r\nDL1AB M\u00fcnchen\r\nF6ABC Ren\u00e9 \u00ff 5\u20ac \u00e2\u201a"), true},
      {two.toUtf8(), two, true},
      {"K1AB Al\r\n\"\r\nG4ABC Fred\r\nW1XYZ Bob", QStringLiteral("\r\nK1AB Al") + two, true},
      {"\"\r\nG4ABC Fred\"\r\nW1XYZ Bob\r\n", two, true},  // after the closing quote
      {"\"\r\nG4ABC Fred \"the rig\" man\"\r\nx\"\r\n", QStringLiteral("\r\nG4ABC Fred 'the rig' man'\r\nx "), true},
      {"\"\nG4ABC Fred\rW1XYZ Bob\n\rK1AB Al\"", two + QStringLiteral("\r\nK1AB Al"), true},
      {QByteArrayLiteral("\"\r\nG4ABC Fr\0ed\x1b\r\n\r\n\r\n \t\r\nW1XYZ Bob\r\n\""),
       QStringLiteral("\r\nG4ABC Fr ed \r\nW1XYZ Bob"), true},
      {"\"G4ABC\r\nW1XYZ Bob\"", QStringLiteral("\r\nG4ABC \r\nW1XYZ Bob"), true},
  };
  for (const auto& c : cases) {
    const LogFile got = readLogFile(c.bytes);
    EXPECT_EQ(std::tuple(got.log, got.repaired), std::tuple(c.log, c.repaired)) << c.bytes.toStdString();
  }
}

TEST(CallLogFile, TenMegabytesLoadWhole) {
  std::vector<SampleRecord> records = SampleLogMaker(3).records(110000);
  const QString log = sampleLog(records);
  ASSERT_GT(log.size(), 10'000'000);
  EXPECT_EQ(readLogFile(logFileBytes(log)).log, log);
  EXPECT_EQ(readLogFile(logFileBytes(log).replace("\r\n", "\n")).log, log);
}

TEST(LogSearch, ListsEveryRecordHoldingAllWordsOnce) {
  const QString log = QStringLiteral(
      "\r\nG4ABC Fred, Leeds, IC-7300\r\nW1XYZ Bob, Boston\r\nM0FRE Fredrik, Leeds or leeds\r\n"
      "K1AB Mary, Leeds, FT-991A, dipole, SSTV\r\nX1 al");
  const QString g4abc = QStringLiteral("\r\n\r\nG4ABC Fred, Leeds, IC-7300");
  const QString m0fre = QStringLiteral("\r\n\r\nM0FRE Fredrik, Leeds or leeds");
  const QString k1ab = QStringLiteral("\r\n\r\nK1AB Mary, Leeds, FT-991A, dipole, SSTV");
  const QString more = QStringLiteral("\r\n\r\n  ---no more matches---");
  const QString none = QStringLiteral("\r\n\r\n  ---no matches found---");
  const struct { QString log, typed, list; } cases[] = {
      {log, QStringLiteral("leeds"), g4abc + m0fre + k1ab + more},
      {log, QStringLiteral("LEEDS,fred"), g4abc + m0fre + more},
      {log, QStringLiteral("leeds,bob"), none},
      {log, QStringLiteral("SSTV,DIPOLE,FT-991A,MARY,LEEDS"), k1ab + more},
      {log, QStringLiteral("SSTV,DIPOLE,FT-991A,MARY,LEEDS,BOB"), k1ab + more},  // a sixth word is ignored
      {log, QStringLiteral("X1"), QStringLiteral("\r\n\r\nX1 al") + more},
      {log, QStringLiteral("A,L"), none},
      {log, QString(), none},
      {QStringLiteral("\r\nK1AB Al"), QStringLiteral("al"), QStringLiteral("\r\n\r\nK1AB Al") + more},
  };
  for (const auto& c : cases)
    EXPECT_EQ(wildcardList(c.log, upperCopy(c.log), c.typed), QStringLiteral("Matches for:-    ") + c.typed + c.list);
}

TEST(LogSearch, StopsOnceTheListPassesThirtyThousandCharacters) {
  std::vector<SampleRecord> records(400, {QStringLiteral("G4ABC"), QString(94, u'x')});
  const QString log = sampleLog(records);
  const QString list = wildcardList(log, upperCopy(log), QStringLiteral("G4ABC"));
  const QString full = QStringLiteral("\r\n\r\n---Text box full. List to big to show more---");
  ASSERT_TRUE(list.endsWith(full));
  EXPECT_GT(list.size() - full.size(), 30000);
  EXPECT_LE(list.size() - full.size() - 104, 30000);  // the line before the last was still within the limit
}

TEST(Mugshots, NamesMatchCaseBlindInExtensionOrderAndNeverOutsideTheDirectory) {
  const QStringList entries = {QStringLiteral("G4ABC.png"), QStringLiteral("g4abc.BMP"), QStringLiteral("G4ABC.jpg.txt"),
                               QStringLiteral("G4ABCD.gif"), QStringLiteral("G4ABC.TGA"), QStringLiteral("X.png")};
  EXPECT_EQ(mugshotFiles(QStringLiteral("G4ABC"), entries),
            QStringList({QStringLiteral("g4abc.BMP"), QStringLiteral("G4ABC.png"), QStringLiteral("G4ABC.TGA")}));
  for (const char* call : {"../X", "..", "A/X", "A\\X", ""})
    EXPECT_TRUE(mugshotFiles(QString::fromLatin1(call), entries + QStringList{QStringLiteral("../X.png")}).isEmpty()) << call;
}

// The vectorised search agrees with Qt's at both ends, across its 8-character blocks and from
// any start.
TEST(LogSearch, FastTextSearchAgreesWithQt) {
  std::mt19937 rng(5);
  auto text = [&](int length) {
    QString s;
    while (s.size() < length) s += QChar(u"AB\r\n"[rng() % 4]);
    return s;
  };
  for (int round = 0; round < 20000; ++round) {
    const QString haystack = text(int(rng() % 40)), needle = text(int(rng() % 6));
    const qsizetype from = rng() % 42;
    ASSERT_EQ(findText(haystack, needle, from), QStringView(haystack).indexOf(needle, from)) << round;
  }
}
