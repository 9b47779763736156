#pragma once
// Shared by the benchmarks that time a Marvane kernel next to GraphicsMagick's nearest
// equivalent on the same picture: picture conversions (never timed), one-core setup, and a
// reporter that ends the run with a table of both times and the ratio.
#include <benchmark/benchmark.h>

#include <Magick++.h>
#include <QImage>
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <type_traits>
#include <vector>

#include "bench/one_core_magick.h"

namespace bench {

// Registered names are "<side>/<job>/<size>", side "Ours" or "GM"; the table pairs them by job
// and size.
inline const std::string kOurs = "Ours/";
inline const std::string kGm = "GM/";

// "<job>/<width>x<height>" of the picture the job works on.
inline std::string nameOf(const std::string& job, const QImage& picture) {
  return job + "/" + std::to_string(picture.width()) + "x" + std::to_string(picture.height());
}

inline QImage basePicture() {
  const QString path = QString::fromUtf8(__FILE__).section('/', 0, -3) + "/tests/data/pictures/base.ppm";
  const QImage img(path);
  if (img.isNull()) {
    std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
    std::exit(1);
  }
  return img.convertToFormat(QImage::Format_RGB32);
}

inline Magick::Image toMagick(const QImage& picture) {
  const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
  std::vector<unsigned char> packed(std::size_t(rgb.width()) * rgb.height() * 3);
  for (int y = 0; y < rgb.height(); ++y)
    std::copy_n(rgb.constScanLine(y), rgb.width() * 3, packed.data() + std::size_t(y) * rgb.width() * 3);
  return Magick::Image(rgb.width(), rgb.height(), "RGB", Magick::CharPixel, packed.data());
}

inline QImage fromMagick(Magick::Image image) {
  QImage rgb(int(image.columns()), int(image.rows()), QImage::Format_RGB888);
  std::vector<unsigned char> packed(std::size_t(rgb.width()) * rgb.height() * 3);
  image.write(0, 0, rgb.width(), rgb.height(), "RGB", Magick::CharPixel, packed.data());
  for (int y = 0; y < rgb.height(); ++y)
    std::copy_n(packed.data() + std::size_t(y) * rgb.width() * 3, rgb.width() * 3, rgb.scanLine(y));
  return rgb.convertToFormat(QImage::Format_RGB32);
}

// Pixels whose colours differ; a size mismatch counts every pixel.
inline long differingPixels(const QImage& a, const QImage& b) {
  if (a.size() != b.size()) return long(a.width()) * a.height();
  long n = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) n += ((a.pixel(x, y) ^ b.pixel(x, y)) & 0xFFFFFF) != 0;
  return n;
}

// Times one job on a fresh copy of `source` per iteration; the copy is made outside the clock.
// The rate counted is of the source's megapixels.
template <typename Picture, typename Job>
void timeOnCopies(benchmark::State& state, const Picture& source, Job job) {
  double megapixels;
  if constexpr (std::is_same_v<Picture, QImage>)
    megapixels = source.width() * double(source.height()) / 1e6;
  else
    megapixels = source.columns() * double(source.rows()) / 1e6;
  for (auto _ : state) {
    state.PauseTiming();
    Picture work = source;
    if constexpr (std::is_same_v<Picture, QImage>)
      work.bits();  // detach now, not inside the job
    else
      work.modifyImage();
    state.ResumeTiming();
    job(work);
    benchmark::ClobberMemory();
  }
  state.counters["Mpx"] = benchmark::Counter(megapixels, benchmark::Counter::kIsIterationInvariantRate);
}

// The console output, then one line per job: our time, GraphicsMagick's, how many times faster
// ours is, and whether the job's target holds.
struct Target {
  double maxMs = 0;       // our time must stay below it (0: no limit)
  double minSpeedup = 0;  // GraphicsMagick's time over ours must reach it (0: no limit)
};
using TargetOf = std::function<Target(const std::string& job)>;

class ComparisonReporter : public benchmark::ConsoleReporter {
 public:
  explicit ComparisonReporter(TargetOf targetOf) : targetOf_(std::move(targetOf)) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.error_occurred || (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median")) continue;
      const std::string& name = run.run_name.function_name;
      if (!times_.count(name)) order_.push_back(name);
      times_[name] = run.GetAdjustedRealTime() * msPer(run.time_unit);
    }
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    std::printf("\n%-34s %11s %11s %9s  %s\n", "job", "ours ms", "GM ms", "GM/ours", "target");
    for (const std::string& name : order_) {
      if (name.rfind(kOurs, 0) != 0) continue;
      const std::string job = name.substr(kOurs.size());
      const double ours = times_[name];
      const auto gm = times_.find(kGm + job);
      const double speedup = gm == times_.end() ? 0 : gm->second / ours;
      std::printf("%-34s %11.3f ", job.c_str(), ours);
      if (gm == times_.end())
        std::printf("%11s %9s  ", "-", "-");
      else
        std::printf("%11.3f %8.2fx  ", gm->second, speedup);
      std::printf("%s\n", verdict(job, ours, speedup).c_str());
    }
  }

 private:
  static double msPer(benchmark::TimeUnit unit) {
    switch (unit) {
      case benchmark::kNanosecond: return 1e-6;
      case benchmark::kMicrosecond: return 1e-3;
      case benchmark::kMillisecond: return 1;
      default: return 1e3;
    }
  }

  std::string verdict(const std::string& job, double ours, double speedup) const {
    const Target target = targetOf_(job);
    std::string text;
    bool met = true;
    if (target.maxMs > 0) {
      text += "< " + std::to_string(int(target.maxMs)) + " ms";
      met = met && ours < target.maxMs;
    }
    if (target.minSpeedup > 0) {
      text += (text.empty() ? ">= " : ", >= ") + std::to_string(int(target.minSpeedup)) + "x GM";
      met = met && speedup >= target.minSpeedup;
    }
    return text.empty() ? "reported" : text + (met ? ": met" : ": MISSED");
  }

  TargetOf targetOf_;
  std::map<std::string, double> times_;
  std::vector<std::string> order_;
};

inline int runWithComparison(int argc, char** argv, TargetOf targetOf) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  ComparisonReporter reporter(std::move(targetOf));
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}

}  // namespace bench
