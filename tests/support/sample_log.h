#pragma once

// A large call log of made-up stations for the log tests and benchmarks: unique callsigns (some
// the start of others), information lines of names, towns, rigs and other stations' callsigns,
// each record 20 to 170 characters from callsign to end. The same seed gives the same log.

#include <QString>
#include <QStringList>
#include <random>
#include <set>
#include <vector>

struct SampleRecord {
  QString call;
  QString info;
};

class SampleLogMaker {
 public:
  explicit SampleLogMaker(unsigned seed) : rng_(seed) {}

  // A callsign no record has yet; one in ten extends an existing one by a letter.
  QString newCall() {
    for (;;) {
      QString call;
      if (!calls_.empty() && pick(10) == 0) {
        call = calls_[pick(calls_.size())] + letter();
      } else {
        for (int n = 1 + pick(2); n > 0; --n) call += letter();
        call += QChar(u'0' + pick(10));
        for (int n = 1 + pick(3); n > 0; --n) call += letter();
      }
      if (used_.insert(call).second) {
        calls_.push_back(call);
        return call;
      }
    }
  }

  // An information line that makes the record `length` characters long.
  QString info(const QString& call, int length) {
    static const QStringList words = QStringLiteral(
        "Fred Mary JOHN Leeds Sydney Huddersfield IC-7300 FT-991A ts-590 SSTV 73 QSL via bureau met 2024, "
        "Scottie 1 Martin 2 dipole beam Perth").split(u' ');
    QString text;
    while (text.size() < length) {
      const bool station = !calls_.empty() && pick(8) == 0;
      text += (station ? calls_[pick(calls_.size())] : words[pick(words.size())]) + u' ';
    }
    return text.left(length - call.size() - 1);
  }

  std::vector<SampleRecord> records(int count, int minLength = 20, int maxLength = 170) {
    std::vector<SampleRecord> list;
    list.reserve(count);
    for (int k = 0; k < count; ++k) {
      const QString call = newCall();
      list.push_back({call, info(call, minLength + pick(maxLength - minLength + 1))});
    }
    return list;
  }

  // A whole number from 0 to n - 1.
  int pick(std::size_t n) { return int(std::uniform_int_distribution<std::size_t>(0, n - 1)(rng_)); }

 private:
  QChar letter() { return QChar(u'A' + pick(26)); }
  std::mt19937 rng_;
  std::vector<QString> calls_;
  std::set<QString> used_;
};

// The log text of `records`, the first record newest.
inline QString sampleLog(const std::vector<SampleRecord>& records) {
  QString log;
  for (const SampleRecord& r : records) log += QStringLiteral("\r\n") + r.call + u' ' + r.info;
  return log;
}
