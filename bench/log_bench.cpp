// Cost of the call log's searches over a log of 60,000 stations: the lookup that runs on every
// key typed in the callsign box, and the wildcard search of one to five words.
#include <benchmark/benchmark.h>

#include "qsl/logbook.h"
#include "qsl/logsearch.h"
#include "tests/support/sample_log.h"

namespace {

constexpr int Stations = 60000;
constexpr unsigned Seed = 7;

struct Log {
  std::vector<SampleRecord> records;
  QString text;
  QString upper;
};

const Log& sample() {
  static const Log log = [] {
    Log l;
    l.records = SampleLogMaker(Seed).records(Stations);
    l.text = sampleLog(l.records);
    l.upper = logbook::upperCopy(l.text);
    return l;
  }();
  return log;
}

void lookUp(benchmark::State& state, const QString& typed, logbook::Found expected) {
  const Log& log = sample();
  if (logbook::lookUp(log.text, log.upper, typed).found != expected) state.SkipWithError("unexpected lookup result");
  for (auto _ : state) benchmark::DoNotOptimize(logbook::lookUp(log.text, log.upper, typed));
}

void BM_LookUpStationNearTheEnd(benchmark::State& state) {
  lookUp(state, sample().records[Stations - 10].call.toLower(), logbook::Found::Record);
}
BENCHMARK(BM_LookUpStationNearTheEnd)->Unit(benchmark::kMillisecond);

void BM_LookUpAbsentStation(benchmark::State& state) { lookUp(state, QStringLiteral("ZZ9ZZZ"), logbook::Found::Nothing); }
BENCHMARK(BM_LookUpAbsentStation)->Unit(benchmark::kMillisecond);

void search(benchmark::State& state, const QString& typed) {
  const Log& log = sample();
  const QString list = logbook::wildcardList(log.text, log.upper, typed);
  if (list.contains(QStringLiteral("Text box full"))) state.SkipWithError("the list filled the text box");
  state.counters["listed"] = double(list.count(QStringLiteral("\r\n\r\n")) - 1);
  for (auto _ : state) benchmark::DoNotOptimize(logbook::wildcardList(log.text, log.upper, typed));
}

// A station near the end, by its callsign and words of its line: as an operator searches for
// someone they half remember.
void BM_WildcardSearchWords(benchmark::State& state) {
  const SampleRecord& station = sample().records[Stations - 10];
  QStringList words = {station.call};
  for (const QString& w : station.info.split(u' ', Qt::SkipEmptyParts))
    if (words.size() < state.range(0) && !w.contains(u',') && !words.contains(w)) words += w;
  search(state, words.join(u','));
}
BENCHMARK(BM_WildcardSearchWords)->DenseRange(1, 5)->Unit(benchmark::kMillisecond);

// The worst case: the longest word is in half the log and a second word rejects every record.
void BM_WildcardSearchCommonWordRejected(benchmark::State& state) {
  search(state, QStringLiteral("huddersfield,qqq"));
}
BENCHMARK(BM_WildcardSearchCommonWordRejected)->Unit(benchmark::kMillisecond);

void BM_WildcardSearchAbsentWord(benchmark::State& state) { search(state, QStringLiteral("zz9zzz")); }
BENCHMARK(BM_WildcardSearchAbsentWord)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
